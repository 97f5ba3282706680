// Drawing primitives over a device context: solid fills, outlined and rounded rectangles, frames,
// and the pens and brushes behind them. Each call makes the objects it needs, selects them, draws,
// puts the DC's previous selection back and deletes what it made, so callers never manage
// selection state. Results are 1 for success and 0 for failure.
#pragma once

#include "platform/Gdi.h"

// Fills [left, right) x [top, bottom) with colour; 0 when the brush, the DC or rc is missing.
BOOL FillSolidRect(HDC dc, const RECT* rc, COLORREF colour);
// A one-pixel outline of colour pen on the rectangle's inner edge around a fill of colour fill.
// A fill of NO_COLOR leaves the inside alone; a pen of NO_COLOR is drawn in that colour all the same.
BOOL DrawRectangle(HDC dc, const RECT* rc, COLORREF fill, COLORREF pen);
// As DrawRectangle with corners rounded by an ellipseWidth x ellipseHeight ellipse; here a pen of
// NO_COLOR draws no outline and the fill then covers the whole shape.
BOOL DrawRoundRect(HDC dc, const RECT* rc, COLORREF fill, COLORREF pen, int ellipseWidth, int ellipseHeight);
// An outline of the given pen width through the rectangle's four corners as they stand: the right
// and bottom sides run on the coordinates right and bottom, one pixel outside what FillSolidRect
// covers. 0 for a negative width.
BOOL DrawFrame(HDC dc, const RECT* rc, COLORREF colour, int width);

HBRUSH MakeSolidBrush(COLORREF colour);
// NULL for a negative width. Widths 0 and 1 both draw one pixel.
HPEN MakePen(COLORREF colour, int style, int width);
// Deletes *handle and clears it; 0 for a null handle, and 0 with the handle kept when the platform
// refuses (the object is still selected somewhere).
BOOL DeleteGdiObject(HGDIOBJ* handle);
// The same for a typed handle (HFONT, HPEN, HBRUSH, HBITMAP).
template <class Object>
BOOL DeleteGdiObject(Object** handle) {
    if (!handle) return 0;
    HGDIOBJ object = *handle;
    const BOOL deleted = DeleteGdiObject(&object);
    *handle = static_cast<Object*>(object);
    return deleted;
}
