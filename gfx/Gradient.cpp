// Vertical and diagonal gradients: one column (or strip) is computed, the rest is block transfers.
#include "gfx/Gradient.h"

#include "gfx/PixelMath.h"

using namespace gfx;

namespace {

// Copies the column at area.left across the area, doubling the copied width each time.
void SpreadColumn(HDC dc, const RECT& area) {
    const int h = area.bottom - area.top;
    int x = area.left + 1, n = 1;
    while (x + n < area.right) {
        BitBlt(dc, x, area.top, n, h, dc, area.left, area.top, SRCCOPY);
        x += n;
        n *= 2;
    }
    // A one-pixel-wide area has nothing left to copy.
    if (x < area.right) BitBlt(dc, x, area.top, area.right - x, h, dc, area.left, area.top, SRCCOPY);
}

BOOL VerticalGradient(BYTE* bits, const BITMAP& bm, HDC dc, const RECT* rc, COLORREF top, COLORREF bottom,
                      int bitsPerPixel) {
    if (!bits || !dc || !rc || IsInverted(*rc) || bm.bmBitsPixel != bitsPerPixel) return FALSE;
    const RECT area = ClipToSurface(*rc, bm);
    if (IsEmpty(area)) return TRUE;
    const platform::PixelRows rows = SectionRows(bits, bm);
    const int h = rc->bottom - rc->top;
    for (int y = area.top; y < area.bottom; ++y)
        rows.Set(area.left, y, Mix(top, bottom, VerticalPosition(rc->bottom - 1 - y, h)));
    SpreadColumn(dc, area);
    return TRUE;
}

}  // namespace

BOOL GradientFillBits16(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF top, COLORREF bottom) {
    return VerticalGradient(bits, bm, dc, rc, top, bottom, 16);
}

BOOL GradientFillBits24(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF top, COLORREF bottom) {
    return VerticalGradient(bits, bm, dc, rc, top, bottom, 24);
}

BOOL DiagonalGradientFill(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF first, COLORREF last) {
    if (!bits || !dc || !rc || IsInverted(*rc)) return FALSE;
    const RECT area = ClipToSurface(*rc, bm);
    if (IsEmpty(area)) return TRUE;
    // Pixel (left + i, top + j) takes strip pixel i + j; the strip spans the whole rectangle so the
    // clipped part keeps its colours.
    const int w = rc->right - rc->left, h = rc->bottom - rc->top;
    CQorGDI strip;
    if (!strip.CreateSized(dc, 1, w + h, FALSE, FALSE, FALSE, 16)) return FALSE;
    RECT line{0, 0, 1, w + h};
    // The strip has the depth of dc's bitmap; the gradient follows it.
    if (!strip.GradientFillRect(&line, first, last, strip.m_bm.bmBitsPixel == 24)) return FALSE;
    for (int x = area.left; x < area.right; ++x)
        BitBlt(dc, x, rc->top, 1, h, strip.m_hDC, 0, x - rc->left, SRCCOPY);
    return TRUE;
}
