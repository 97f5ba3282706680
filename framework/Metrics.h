// Screen sizes for layout.
#pragma once

#include "platform/Types.h"

// The screen height minus twice the window's top edge: the height the board and the menu may use.
// Never below 1.
int GetUsableHeight(HWND hwnd);
// A size from the 240-pixel-wide portrait design, scaled to this screen (truncating).
int ScaleToScreen(int value);
