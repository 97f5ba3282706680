// The platform's drawing services (GDI), under their names: device contexts, bitmaps and
// sections, pens, brushes, fonts, shapes, block transfers and text. Each section below is a
// header of its own, named after the file that defines it.
//
// Rectangles are {left, top, right, bottom} with right and bottom exclusive. Every call that gets
// an invalid handle, a null DC or a size of zero or less returns the platform's failure value
// (FALSE, NULL, 0, CLR_INVALID) and draws nothing.
#pragma once

// Structures and constants (header only).
#include "platform/GdiTypes.h"
// Memory DCs, objects, selection, bitmaps and sections, the clip box: GdiObjects.cpp.
#include "platform/GdiObjects.h"
// Screen and window DCs, the paint cycle: Screen.cpp.
#include "platform/Screen.h"
// Block transfers, fills and pixels: Blit.cpp.
#include "platform/Blit.h"
// Rectangles, rounded rectangles and polylines: Shapes.cpp.
#include "platform/Shapes.h"
// Fonts, text and the DC's text state: Text.cpp.
#include "platform/Text.h"
