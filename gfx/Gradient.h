// Vertical and diagonal gradients on a section's pixels: one column (or strip) is computed, the
// rest is block transfers.
//
// The workers take their section, clip and place gradients as Blend.h describes.
#pragma once

#include "gfx/QorGDI.h"

// Vertical gradient from top (near the top line) to bottom × 255/256 (the bottom line), on a 16-bit
// or 24-bit section whose DC is dc; 0 when the section has the other depth. One column is
// computed and copied across with a number of block transfers that grows with the logarithm of
// the width.
BOOL GradientFillBits16(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF top, COLORREF bottom);
BOOL GradientFillBits24(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF top, COLORREF bottom);

// A gradient along x + y: first at the top-left, toward last × 255/256 at the bottom-right.
// Draws through dc only (any depth), one block transfer per column from a one-pixel strip of the
// visible part's colours: a rectangle reaching far past the surface costs no more than the surface.
BOOL DiagonalGradientFill(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF first, COLORREF last);
