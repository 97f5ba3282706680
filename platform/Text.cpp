// Fonts and text on the software GDI: creating fonts, measuring and drawing one line of text with
// grey-scale anti-aliasing onto 16- and 24-bit surfaces; the DC's text state.
#include "platform/Text.h"

#include <cwchar>
#include <string_view>
#include <utility>

#include "platform/FontFace.h"
#include "platform/FontResolver.h"
#include "platform/GdiObjects.h"
#include "platform/GdiState.h"
#include "platform/Rects.h"
#include "platform/Screen.h"

namespace platform {
namespace {

FontFace* SelectedFace(const DCRecord& dc) {
    FontRecord* font = FindFont(dc.font);
    return font ? FaceOf(*font) : nullptr;
}

// count -1 runs to the terminator.
bool TextOf(LPCWSTR text, int count, std::wstring_view* out) {
    if (!text || count < -1) return false;
    *out = count == -1 ? std::wstring_view(text) : std::wstring_view(text, static_cast<size_t>(count));
    return true;
}

// The start of a run of size pixels in [low, high). The division truncates toward zero, so a run
// wider than its box by an odd number overhangs one pixel more on the far side.
int Place(int low, int high, int size, bool centre, bool far) {
    if (centre) return low + (high - low - size) / 2;
    if (far) return high - size;
    return low;
}

// Mixes colour into a pixel by coverage through the surface's own read and write, so a 5-6-5
// pixel is unpacked, mixed and packed again.
void Blend(const PixelRows& rows, int x, int y, COLORREF colour, unsigned coverage) {
    if (coverage == 0) return;
    if (coverage == 255) {
        rows.Set(x, y, colour);
        return;
    }
    const COLORREF under = rows.Get(x, y);
    auto mix = [coverage](BYTE over, BYTE below) {
        return static_cast<BYTE>((over * coverage + below * (255 - coverage) + 127) / 255);
    };
    rows.Set(x, y, RGB(mix(GetRValue(colour), GetRValue(under)), mix(GetGValue(colour), GetGValue(under)),
                       mix(GetBValue(colour), GetBValue(under))));
}

void DrawGlyph(const PixelRows& rows, const RECT& clip, const Glyph& glyph, int penX, int baseline,
               COLORREF colour) {
    const int left = penX + glyph.left, top = baseline - glyph.top;
    const RECT area = IntersectRects(clip, RECT{left, top, left + glyph.width, top + glyph.rows});
    for (int y = area.top; y < area.bottom; ++y) {
        const uint8_t* line = &glyph.coverage[static_cast<size_t>(y - top) * glyph.width];
        for (int x = area.left; x < area.right; ++x) Blend(rows, x, y, colour, line[x - left]);
    }
}

void FillArea(const PixelRows& rows, const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) rows.Set(x, y, colour);
}

}  // namespace
}  // namespace platform

using namespace platform;

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (!font) return nullptr;
    bool terminated = false;
    for (WCHAR c : font->lfFaceName) terminated |= c == L'\0';
    if (!terminated) return nullptr;
    auto record = std::make_unique<FontRecord>();
    record->logFont = *font;
    record->face = ResolveFace(*font);
    if (!record->face) return nullptr;
    return AddFont(std::move(record));
}

BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit, int* dx, SIZE* size) {
    std::wstring_view s;
    const DCRecord* d = FindDC(dc);
    if (!d || !size || count < 0 || !TextOf(text, count, &s)) return FALSE;
    FontFace* face = SelectedFace(*d);
    if (!face) return FALSE;
    int width = 0, fitted = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        width += face->GlyphOf(s[i]).advance;
        if (dx) dx[i] = width;
        if (width <= maxExtent && static_cast<size_t>(fitted) == i) ++fitted;
    }
    if (fit) *fit = fitted;
    *size = SIZE{width, face->CellHeight()};
    return TRUE;
}

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rc, UINT format) {
    std::wstring_view s;
    DrawTarget t;
    if (!rc || !TextOf(text, count, &s) || !ResolveTarget(dc, &t)) return 0;
    FontFace* face = SelectedFace(*t.dc);
    if (!face) return 0;
    const int cx = face->Width(s), cy = face->CellHeight();
    const int x = t.origin.x + Place(rc->left, rc->right, cx, format & DT_CENTER, format & DT_RIGHT);
    const int y = t.origin.y + Place(rc->top, rc->bottom, cy, format & DT_VCENTER, format & DT_BOTTOM);
    RECT clip = t.clip;
    if (!(format & DT_NOCLIP))
        clip = IntersectRects(clip, RECT{rc->left + t.origin.x, rc->top + t.origin.y, rc->right + t.origin.x,
                                         rc->bottom + t.origin.y});
    // The faint fringe a glyph may have beyond its advance is cut off at the text's box, so what
    // is painted is exactly the box the extents describe.
    clip = IntersectRects(clip, RECT{x, y, x + cx, y + cy});
    if (IsEmptyArea(clip)) return cy;
    if (t.dc->bkMode == OPAQUE) FillArea(t.rows, clip, t.dc->bkColor);
    int pen = x;
    for (wchar_t c : s) {
        const Glyph& glyph = face->GlyphOf(c);
        DrawGlyph(t.rows, clip, glyph, pen, y + face->Ascent(), t.dc->textColor);
        pen += glyph.advance;
    }
    NoteDrawn(t);
    return cy;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    DCRecord* d = FindDC(dc);
    if (!d) return CLR_INVALID;
    return std::exchange(d->textColor, colour & 0xFFFFFF);
}

COLORREF GetTextColor(HDC dc) {
    const DCRecord* d = FindDC(dc);
    return d ? d->textColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
    DCRecord* d = FindDC(dc);
    if (!d || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(d->bkMode, mode);
}

int GetBkMode(HDC dc) {
    const DCRecord* d = FindDC(dc);
    return d ? d->bkMode : 0;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    DCRecord* d = FindDC(dc);
    if (!d) return CLR_INVALID;
    return std::exchange(d->bkColor, colour & 0xFFFFFF);
}
