// The shell's image-resource loader: a compressed picture of a module decoded into a bitmap.
#pragma once

#include "platform/Types.h"

// Decodes image resource id of the module (a PNG, found under type "GIF" or "PNG") into a 24-bit
// device bitmap of the picture's own size: grey and palette pictures come out as RGB, 16-bit
// channels reduced to 8, transparency laid over black. The caller deletes it. NULL when the
// resource is missing, the data is not a complete and intact PNG, the picture is larger than
// 4096 pixels either way, or memory runs out.
HBITMAP ShellLoadImageResource(HINSTANCE instance, UINT id);
