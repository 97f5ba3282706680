// Rounded rectangles filled with a one- or two-band vertical gradient, on a section's pixels.
//
// The workers take their section, clip and place gradients as Blend.h describes.
#pragma once

#include "gfx/QorGDI.h"

// A rounded rectangle outlined in pen (NO_COLOR: none) whose inside is a vertical gradient, on a
// 16-bit section. The platform draws the shape in a marker colour that is then recoloured, so a
// pixel outside the shape that already reads back as the marker (0xF808F8) is recoloured too.
BOOL GradientRoundRectBits(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF pen, int ellipseWidth,
                           int ellipseHeight, COLORREF top, COLORREF bottom);
// As GradientRoundRectBits with two bands: c1 (top) to c2 above the middle line, c3 (middle line)
// to c4 × 255/256 (bottom line) below.
BOOL GlossRoundRectBits(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF pen, int ellipseWidth,
                        int ellipseHeight, COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4);
