// Pictures stored in a module (the tile strip) loaded into surfaces.
#pragma once

#include "gfx/QorGDI.h"

// Loads image resource resourceId of instance into dst as a device bitmap of the picture's own
// size, in the depth the decoder gives (24 bits for the module's PNG pictures); wnd only lends its
// DC as the reference. 1 when the picture reached dst; 0 when it could not be decoded (dst then
// untouched) or copied (dst then empty).
BOOL LoadImageResource(CQorGDI* dst, UINT resourceId, HWND wnd, HINSTANCE instance);
