// Pixel blending, gradients and dithering: the workers on a section's pixels, and the same
// operations for any DC through a temporary section. The surface operations are members of
// CQorGDI.
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

// Vertical gradient from top (near the top line) to bottom × 255/256 (the bottom line), on a 16-bit
// or 24-bit section whose DC is dc; 0 when the section has the other depth. One column is
// computed and copied across with a number of block transfers that grows with the logarithm of
// the width.
BOOL GradientFillBits16(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF top, COLORREF bottom);
BOOL GradientFillBits24(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF top, COLORREF bottom);
// The same for any DC, through a temporary section of 24 bits when bits24, else 16.
BOOL GradientFillRectDC(HDC dc, const RECT* rc, COLORREF top, COLORREF bottom, BOOL bits24);

// A rounded rectangle outlined in pen (NO_COLOR: none) whose inside is a vertical gradient, on a
// 16-bit section. The platform draws the shape in a marker colour that is then recoloured, so a
// pixel outside the shape that already reads back as the marker (0xF808F8) is recoloured too.
BOOL GradientRoundRectBits(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF pen, int ellipseWidth,
                           int ellipseHeight, COLORREF top, COLORREF bottom);
// As GradientRoundRectBits with two bands: c1 (top) to c2 above the middle line, c3 (middle line)
// to c4 × 255/256 (bottom line) below.
BOOL GlossRoundRectBits(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF pen, int ellipseWidth,
                        int ellipseHeight, COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4);

// A gradient along x + y: first at the top-left, toward last × 255/256 at the bottom-right.
// Draws through dc only (any depth), one block transfer per column from a one-pixel strip.
BOOL DiagonalGradientFill(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF first, COLORREF last);
// The same for any DC, through a temporary 16-bit section.
BOOL DiagonalGradientFillRectDC(HDC dc, const RECT* rc, COLORREF first, COLORREF last);
