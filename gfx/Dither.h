// Error-diffusion reduction of a 24-bit section to the precision a 5-6-5 screen can show.
#pragma once

#include "gfx/QorGDI.h"

// In place, on the pixel pointer of a bottom-up 24-bit section and its BITMAP; 0 for a null
// pointer or any other depth. The outermost lines and columns receive error but keep their low bits.
BOOL Dither565Bits(BYTE* bits, BITMAP bm);
