// Drawing primitives that make, select, restore and delete their own pens and brushes per call.
#include "gfx/Draw.h"

#include "gfx/Colors.h"

namespace {

// A made pen and brush, or the stock null pen and hollow brush standing in for them, selected for
// one drawing call. The pen is made and selected first; on the way out the brush goes back first,
// then the pen, and both made objects are deleted, whichever was actually selected.
class PenAndBrush {
public:
    PenAndBrush(HDC dc, COLORREF pen, bool nullPen, COLORREF fill) : dc_(dc) {
        pen_ = MakePen(pen, PS_SOLID, 1);
        oldPen_ = SelectObject(dc_, nullPen ? GetStockObject(NULL_PEN) : pen_);
        brush_ = MakeSolidBrush(fill);
        oldBrush_ = SelectObject(dc_, fill == NO_COLOR ? GetStockObject(NULL_BRUSH) : brush_);
    }
    ~PenAndBrush() {
        if (oldBrush_) SelectObject(dc_, oldBrush_);
        if (oldPen_) SelectObject(dc_, oldPen_);
        DeleteObject(brush_);
        DeleteObject(pen_);
    }
    PenAndBrush(const PenAndBrush&) = delete;
    PenAndBrush& operator=(const PenAndBrush&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

}  // namespace

BOOL FillSolidRect(HDC dc, const RECT* rc, COLORREF colour) {
    HBRUSH brush = MakeSolidBrush(colour);
    if (!brush) return 0;
    const int filled = FillRect(dc, rc, brush);
    DeleteObject(brush);
    return filled ? 1 : 0;
}

BOOL DrawRectangle(HDC dc, const RECT* rc, COLORREF fill, COLORREF pen) {
    if (!rc) return 0;
    PenAndBrush selection(dc, pen, false, fill);
    return Rectangle(dc, rc->left, rc->top, rc->right, rc->bottom) ? 1 : 0;
}

BOOL DrawRoundRect(HDC dc, const RECT* rc, COLORREF fill, COLORREF pen, int ellipseWidth, int ellipseHeight) {
    if (!rc) return 0;
    PenAndBrush selection(dc, pen, pen == NO_COLOR, fill);
    return RoundRect(dc, rc->left, rc->top, rc->right, rc->bottom, ellipseWidth, ellipseHeight) ? 1 : 0;
}

BOOL DrawFrame(HDC dc, const RECT* rc, COLORREF colour, int width) {
    if (!rc || width < 0) return 0;
    HPEN pen = MakePen(colour, PS_SOLID, width);
    if (!pen) return 0;
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT corners[] = {{rc->left, rc->top}, {rc->right, rc->top}, {rc->right, rc->bottom},
                             {rc->left, rc->bottom}, {rc->left, rc->top}};
    const BOOL drawn = Polyline(dc, corners, 5);
    if (old) SelectObject(dc, old);
    DeleteObject(pen);
    return drawn ? 1 : 0;
}

HBRUSH MakeSolidBrush(COLORREF colour) { return CreateSolidBrush(colour); }

HPEN MakePen(COLORREF colour, int style, int width) {
    if (width < 0) return nullptr;
    return CreatePen(style, width, colour);
}

BOOL DeleteGdiObject(HGDIOBJ* handle) {
    if (!handle || !*handle) return 0;
    if (!DeleteObject(*handle)) return 0;
    *handle = nullptr;
    return 1;
}
