// Vertical and diagonal gradients: one column (or strip) is computed, the rest is block transfers.
#include "gfx/Gradient.h"

#include <cstdint>

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
    const int64_t h = int64_t{rc->bottom} - rc->top;
    for (int y = area.top; y < area.bottom; ++y)
        rows.Set(area.left, y, Mix(top, bottom, VerticalPosition(int64_t{rc->bottom} - 1 - y, h)));
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
    // Pixel (left + i, top + j) of the whole rectangle takes step i + j of a vertical gradient
    // w + h steps long. The strip holds only the steps the visible part shows, from that of its
    // top-left pixel on; the rectangle may reach far past the surface, so its sizes are 64-bit.
    const int64_t steps = (int64_t{rc->right} - rc->left) + (int64_t{rc->bottom} - rc->top);
    const int64_t firstStep = (int64_t{area.left} - rc->left) + (int64_t{area.top} - rc->top);
    const int w = area.right - area.left, h = area.bottom - area.top;
    // The strip takes the depth of dc's bitmap, so the columns copy across unconverted.
    CQorGDI strip;
    if (!strip.CreateSized(dc, 1, w + h - 1, FALSE, FALSE, FALSE, 16) || !strip.MakeDIB()) return FALSE;
    const platform::PixelRows column = SectionRows(strip.m_pBits, strip.m_bm);
    for (int j = 0; j < column.height; ++j)
        column.Set(0, j, Mix(first, last, VerticalPosition(steps - 1 - (firstStep + j), steps)));
    for (int x = area.left; x < area.right; ++x)
        BitBlt(dc, x, area.top, 1, h, strip.m_hDC, 0, x - area.left, SRCCOPY);
    return TRUE;
}
