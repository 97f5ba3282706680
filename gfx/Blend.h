// The translucent colour wash on a section's pixels, and the pixel operations for any DC through a
// temporary section. The surface operations are members of CQorGDI.
//
// Workers take the pixel pointer of a bottom-up section, its BITMAP as GetObject gave it and, where
// they copy or draw through the platform, the DC it is selected into. Rectangles reaching outside
// the surface are clipped to it; gradient positions stay those of the whole rectangle, so the
// visible part looks the same as it would on a larger surface. An inverted rectangle gives 0, an
// empty one draws nothing and gives 1.
#pragma once

#include "gfx/QorGDI.h"

// Blends colour over every 16-bit pixel of rc that is not KEY_COLOR. alpha is taken as unsigned
// and limited to 255, so a negative alpha counts as 255. The weights add up to 255 and the sum is
// divided by 256: even alpha 0 darkens slightly. 0 for a null pointer or a section that is not
// 16-bit; an inverted rectangle draws nothing and gives 1.
BOOL AlphaFillBits(BYTE* bits, BITMAP bm, const RECT* rc, COLORREF colour, int alpha);
// Copies rc of dc into a temporary 16-bit section, blends it with alpha limited to 255, copies it
// back. 0 if dc is null or the temporary or the blend fails.
BOOL AlphaFillRectDC(HDC dc, const RECT* rc, COLORREF colour, int alpha);

// GradientFillBits16 and 24 (Gradient.h) for any DC, through a temporary section of 24 bits when
// bits24, else 16.
BOOL GradientFillRectDC(HDC dc, const RECT* rc, COLORREF top, COLORREF bottom, BOOL bits24);
// DiagonalGradientFill (Gradient.h) for any DC, through a temporary 16-bit section.
BOOL DiagonalGradientFillRectDC(HDC dc, const RECT* rc, COLORREF first, COLORREF last);
