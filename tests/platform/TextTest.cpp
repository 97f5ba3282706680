// Fonts and text on the software GDI: cell heights, extents, alignment, clipping and colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

#include "platform/PixelRows.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/GdiPictures.h"

namespace {

constexpr COLORREF kPaper = 0x402010;

HFONT Font(int height, LONG weight = FW_NORMAL, const wchar_t* face = L"Tahoma") {
    LOGFONTW lf{height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, {}};
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}
HDC Surface(int w, int h, HFONT font, int bpp = 24) {
    HDC dc = SectionDC(w, h, bpp, kPaper);
    SelectObject(dc, font);
    SetTextColor(dc, 0xFFFFFF);
    return dc;
}
SIZE Extent(HDC dc, const wchar_t* text) {
    SIZE s{-1, -1};
    EXPECT_TRUE(GetTextExtentExPointW(dc, text, static_cast<int>(wcslen(text)), 0, nullptr, nullptr, &s));
    return s;
}
// The bounding box of the pixels of a 24-bit surface that are no longer kPaper.
RECT Ink(HDC dc, int w, int h) {
    RECT box{w, h, 0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(dc, x, y) != kPaper)
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
    return box;
}

using TextTest = PlatformTest;

TEST_F(TextTest, FacesResolveBoldIsWiderAndTheCellHeightIsTheRequestedHeight) {
    EXPECT_NE(Font(16, FW_NORMAL, L"No Such Face Anywhere"), nullptr) << "a sans face stands in";
    EXPECT_EQ(Font(-12), nullptr) << "character heights are not supported";
    LOGFONTW unterminated{};
    std::fill(std::begin(unterminated.lfFaceName), std::end(unterminated.lfFaceName), L'x');
    EXPECT_EQ(CreateFontIndirectW(&unterminated), nullptr);
    HDC dc = Surface(1, 1, nullptr);
    EXPECT_EQ(Extent(dc, L"Ag").cy, 12) << "the stock font of a new DC, at the default height";
    SelectObject(dc, Font(16, 600));
    const int bold = Extent(dc, L"New Game").cx;
    for (int height : {0, 8, 64, 16}) {  // the regular 16 last, for what follows
        SelectObject(dc, Font(height));
        EXPECT_TRUE(Extent(dc, L"Ag").cy == (height ? height : 12) && Extent(dc, L"").cx == 0 &&
                    Extent(dc, L"").cy == (height ? height : 12)) << height;
    }
    EXPECT_GT(bold, Extent(dc, L"New Game").cx) << "than the regular 16";
    int dx[4] = {}, fit = -1;
    SIZE quit{};
    ASSERT_TRUE(GetTextExtentExPointW(dc, L"Quit", 4, Extent(dc, L"Qu").cx, &fit, dx, &quit));
    EXPECT_TRUE(fit == 2 && dx[0] == Extent(dc, L"Q").cx && dx[3] == quit.cx);
}

// Each placement against a left-aligned drawing at the place it should give. Halves truncate toward
// zero: in a box three pixels narrower and lower than the text, a centred text starts one pixel left
// of and above the box, not two.
TEST_F(TextTest, TheFlagsPlaceTheTextExactlyAndItsInkFillsTheExtent) {
    HFONT font = Font(17, FW_BOLD);
    const SIZE s = Extent(Surface(1, 1, font), L"Options");
    const int W = s.cx + 40, H = s.cy + 40;
    auto draw = [&](RECT r, UINT format) {
        HDC dc = Surface(W, H, font);
        DrawTextW(dc, L"Options", -1, &r, format | DT_NOCLIP);
        return dc;
    };
    const RECT wide{10, 5, 21 + s.cx, 12 + s.cy}, narrow{10, 10, 7 + s.cx, 7 + s.cy};
    const struct { RECT box; UINT format; LONG x, y; } cases[] = {
        {wide, DT_LEFT | DT_VCENTER, 10, 8}, {wide, DT_CENTER | DT_BOTTOM, 15, 12}, {wide, DT_RIGHT | DT_TOP, 21, 5},
        {narrow, DT_CENTER | DT_VCENTER, 9, 9}, {narrow, DT_RIGHT | DT_BOTTOM, 7, 7}, {wide, DT_LEFT, 11, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(SamePixels(draw(c.box, c.format), draw(RECT{c.x, c.y, W, H}, DT_LEFT), W, H), &c != &cases[5]) << c.format;
    const RECT ink = Ink(draw(wide, DT_LEFT), W, H);
    EXPECT_TRUE(ink.left >= 10 && ink.left <= 12 && ink.right >= 8 + s.cx && ink.right <= 10 + s.cx && ink.top >= 5 && ink.bottom <= 5 + s.cy);
}

TEST_F(TextTest, DrawingIsClippedToTheRectangleAndTheSurface) {
    HDC clipped = Surface(120, 40, Font(20)), free = Surface(120, 40, Font(20));
    RECT r{20, 10, 50, 22};
    DrawTextW(clipped, L"Resume Game", -1, &r, DT_LEFT);
    DrawTextW(free, L"Resume Game", -1, &r, DT_LEFT | DT_NOCLIP);
    const RECT in = Ink(clipped, 120, 40);
    EXPECT_TRUE(in.left >= 20 && in.right <= 50 && in.top >= 10 && in.bottom <= 22);
    EXPECT_GT(Ink(free, 120, 40).right, 50) << "without the rectangle's clip the text runs on";
    // Off every edge of the surface: the sanitizers watch the writes.
    for (RECT edge : {RECT{-30, -8, 200, 100}, RECT{100, 30, 300, 90}}) EXPECT_EQ(DrawTextW(free, L"Quit", -1, &edge, 0), 20);
    EXPECT_FALSE(DrawTextW(nullptr, L"x", -1, &r, 0) || DrawTextW(free, nullptr, -1, &r, 0));
}

TEST_F(TextTest, TextColourAndOpaqueBackgroundOnBothDepths) {
    for (int bpp : {16, 24}) {
        SCOPED_TRACE(bpp);
        const auto stored = [bpp](COLORREF c) { return bpp == 16 ? platform::Unpack565(platform::Pack565(c)) : c; };
        const COLORREF bk = stored(0x0000C0), fg = stored(0x00FFFF);
        HDC dc = Surface(100, 30, Font(20, FW_BOLD), bpp);
        const SIZE s = Extent(dc, L"HIT");
        SetTextColor(dc, 0x00FFFF);
        SetBkColor(dc, 0x0000C0);
        RECT r{5, 5, 95, 28};
        DrawTextW(dc, L"HIT", -1, &r, DT_LEFT);
        int solid = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 100; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                if (x < 5 || x >= 5 + s.cx || y < 5 || y >= 5 + s.cy) {
                    ASSERT_EQ(c, stored(kPaper)) << x << "," << y;
                    continue;
                }
                // A mix of dark red and yellow: red and green tell the same share of text colour.
                const double red = double(GetRValue(c) - GetRValue(bk)) / (GetRValue(fg) - GetRValue(bk));
                EXPECT_NEAR(red, double(GetGValue(c)) / GetGValue(fg), 0.15) << x << "," << y;
                solid += c == fg;
            }
        }
        EXPECT_EQ(GetPixel(dc, 5, 5), bk) << "OPAQUE fills the text's box";
        EXPECT_GT(solid, 20) << "the stems are in the text colour";
    }
}

}  // namespace
