// The translucent colour wash, and the DC forms of the pixel operations through a temporary section.
#include "gfx/Blend.h"

#include "gfx/PixelMath.h"

using namespace gfx;

BOOL AlphaFillBits(BYTE* bits, BITMAP bm, const RECT* rc, COLORREF colour, int alpha) {
    if (!bits || !rc || bm.bmBitsPixel != 16) return FALSE;
    const unsigned a = std::min(static_cast<unsigned>(alpha), 255u), ia = 255 - a;
    const unsigned cr = GetRValue(colour) * a, cg = GetGValue(colour) * a, cb = GetBValue(colour) * a;
    const RECT area = ClipToSurface(*rc, bm);
    if (IsEmpty(area)) return TRUE;
    const platform::PixelRows rows = SectionRows(bits, bm);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF p = platform::Unpack565(rows.Get16(x, y));
            if (p == KEY_COLOR) continue;
            const unsigned r = (cr + GetRValue(p) * ia) >> 8, g = (cg + GetGValue(p) * ia) >> 8,
                           b = (cb + GetBValue(p) * ia) >> 8;
            rows.Set16(x, y,
                       platform::Pack565(RGB(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b))));
        }
    }
    return TRUE;
}

namespace {

// Copies rc of dc into a temporary section of the given depth, applies operation to the whole of
// it and copies it back. Nothing reaches dc when the temporary or the operation fails.
template <class Operation>
BOOL ThroughTemporary(HDC dc, const RECT* rc, int bitsPerPixel, Operation operation) {
    if (!dc || !rc) return FALSE;
    CQorGDI temporary;
    if (!temporary.Create(dc, rc, TRUE, TRUE, FALSE, bitsPerPixel)) return FALSE;
    const int w = rc->right - rc->left, h = rc->bottom - rc->top;
    RECT all{0, 0, w, h};
    if (!operation(temporary, &all)) return FALSE;
    return BitBlt(dc, rc->left, rc->top, w, h, temporary.m_hDC, 0, 0, SRCCOPY);
}

}  // namespace

BOOL AlphaFillRectDC(HDC dc, const RECT* rc, COLORREF colour, int alpha) {
    return ThroughTemporary(dc, rc, 16, [&](CQorGDI& surface, const RECT* all) {
        return surface.AlphaFillRect(all, colour, std::min(alpha, 255));
    });
}

BOOL GradientFillRectDC(HDC dc, const RECT* rc, COLORREF top, COLORREF bottom, BOOL bits24) {
    return ThroughTemporary(dc, rc, bits24 ? 24 : 16, [&](CQorGDI& surface, const RECT* all) {
        return surface.GradientFillRect(all, top, bottom, bits24);
    });
}

BOOL DiagonalGradientFillRectDC(HDC dc, const RECT* rc, COLORREF first, COLORREF last) {
    return ThroughTemporary(dc, rc, 16, [&](CQorGDI& surface, const RECT* all) {
        return surface.DiagonalGradientFillRect(all, first, last);
    });
}
