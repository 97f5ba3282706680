// The image scaler behind CQorGDI::ResampleTo: area averaging for shrinking, bilinear otherwise.
#pragma once

#include "gfx/QorGDI.h"

// Scales source into dst, which is made anew as a width × height picture and ends as a device
// bitmap (or as a 24-bit section of the same picture when no device bitmap can be had).
//
// When both dimensions shrink, every destination pixel is the average of the source area it
// covers, weighted in thousandths of a source pixel and truncated; otherwise the source is
// interpolated bilinearly, sampled from the top-left corner without a half-pixel offset. Both
// work on a 24-bit copy of the source, which itself may be left converted to a section.
//
// With useKey, source pixels that read back as key turn black in that copy, so they do not bleed
// into their neighbours, and each destination pixel whose nearest source pixel reads KEY_COLOR
// (a position outside the source counts as that) becomes KEY_COLOR.
//
// 0 when the source has no DC (dst untouched) or dst is the source itself; 0 with dst left empty
// for a width or height of 0 or less, or when a surface or the accumulators cannot be had.
BOOL ResampleSurface(CQorGDI& source, CQorGDI* dst, int width, int height, BOOL useKey, COLORREF key);

// The number of source pixels a destination pixel covers when shrinking by sx × sy, in whole
// thousandths, taken in single precision: 5.2 × 5.2 gives 27039, not 27040.
int AreaThousandths(float sx, float sy);
