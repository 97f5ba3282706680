// Rounded rectangles filled with a one- or two-band gradient: the platform draws the shape in a
// marker colour, and every pixel that reads back as the marker is recoloured by its row.
#include "gfx/RoundGradient.h"

#include <cstdint>

#include "gfx/Draw.h"
#include "gfx/PixelMath.h"

using namespace gfx;

namespace {

// Both markers are stored as 0xF85F in a 5-6-5 pixel, which reads back as this.
constexpr COLORREF kMarkerReadBack = 0xF808F8;
constexpr COLORREF kGradientMarker = 0xF808F8;
constexpr COLORREF kGlossMarker = 0xFF08FF;

// Draws the marked shape, then gives each marked pixel of rc the colour rowColour(k, h) of its row
// (k = 0 for the bottom line).
template <class RowColour>
BOOL RecolourRoundRect(BYTE* bits, const BITMAP& bm, HDC dc, const RECT* rc, COLORREF marker, COLORREF pen,
                       int ellipseWidth, int ellipseHeight, RowColour rowColour) {
    if (!bits || !dc || !rc || IsInverted(*rc) || bm.bmBitsPixel != 16) return FALSE;
    if (!DrawRoundRect(dc, rc, marker, pen, ellipseWidth, ellipseHeight)) return FALSE;
    const RECT area = ClipToSurface(*rc, bm);
    if (IsEmpty(area)) return TRUE;
    const platform::PixelRows rows = SectionRows(bits, bm);
    const int64_t h = int64_t{rc->bottom} - rc->top;
    for (int y = area.top; y < area.bottom; ++y) {
        const uint16_t colour = platform::Pack565(rowColour(int64_t{rc->bottom} - 1 - y, h));
        for (int x = area.left; x < area.right; ++x)
            if (platform::Unpack565(rows.Get16(x, y)) == kMarkerReadBack) rows.Set16(x, y, colour);
    }
    return TRUE;
}

}  // namespace

BOOL GradientRoundRectBits(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF pen, int ellipseWidth,
                           int ellipseHeight, COLORREF top, COLORREF bottom) {
    return RecolourRoundRect(bits, bm, dc, rc, kGradientMarker, pen, ellipseWidth, ellipseHeight,
                             [&](int64_t k, int64_t h) { return Mix(top, bottom, VerticalPosition(k, h)); });
}

BOOL GlossRoundRectBits(BYTE* bits, BITMAP bm, HDC dc, const RECT* rc, COLORREF pen, int ellipseWidth,
                        int ellipseHeight, COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4) {
    return RecolourRoundRect(bits, bm, dc, rc, kGlossMarker, pen, ellipseWidth, ellipseHeight, [&](int64_t k, int64_t h) {
        const int t = BandPosition(k, h);
        return InUpperBand(k, h) ? Mix(c1, c2, t) : Mix(c3, c4, t);
    });
}
