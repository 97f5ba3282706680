// Fonts and text on the software GDI: cell heights, extents against drawn pixels, alignment,
// clipping, colours on both depths, the glyph cache and face resolution.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "platform/FontFace.h"
#include "platform/Gdi.h"
#include "platform/PixelRows.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr COLORREF kPaper = 0x402010;

class TextTest : public PlatformTest {
protected:
    // The platform reset after each test frees the DCs, sections and fonts made here.

    // A memory DC on a w x h section of the given depth, filled with kPaper.
    HDC Surface(int w, int h, int bpp = 24) {
        struct {
            BITMAPINFOHEADER header;
            DWORD masks[3];
        } info{};
        info.header = {sizeof(BITMAPINFOHEADER), w, h, 1, static_cast<WORD>(bpp), bpp == 16 ? BI_BITFIELDS : BI_RGB,
                       0, 0, 0, 0, 0};
        info.masks[0] = 0xF800;
        info.masks[1] = 0x07E0;
        info.masks[2] = 0x001F;
        void* bits = nullptr;
        HBITMAP bm = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bm);
        RECT all{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(kPaper);
        FillRect(dc, &all, b);
        DeleteObject(b);
        return dc;
    }

    HFONT Font(int height, LONG weight = FW_NORMAL, const wchar_t* face = L"Tahoma") {
        LOGFONTW lf{};
        lf.lfHeight = height;
        lf.lfWeight = weight;
        lf.lfQuality = CLEARTYPE_QUALITY;
        wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        return CreateFontIndirectW(&lf);
    }

    static SIZE Extent(HDC dc, const wchar_t* text) {
        SIZE s{-1, -1};
        EXPECT_TRUE(GetTextExtentExPointW(dc, text, static_cast<int>(wcslen(text)), 0, nullptr, nullptr, &s));
        return s;
    }

    // The bounding box of every pixel of a 24-bit surface that is no longer kPaper.
    static RECT Ink(HDC dc, int w, int h) {
        RECT box{w, h, 0, 0};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (GetPixel(dc, x, y) != kPaper) box = RECT{std::min(box.left, x), std::min(box.top, y),
                                                            std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
        return box;
    }

    static bool SamePixels(HDC a, HDC b, int w, int h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (GetPixel(a, x, y) != GetPixel(b, x, y)) return false;
        return true;
    }
};

TEST_F(TextTest, FacesResolveForTheGamesNameAndForUnknownNames) {
    HFONT tahoma = Font(16, FW_BOLD);
    ASSERT_NE(tahoma, nullptr) << "a sans face stands in when Tahoma is not installed";
    LOGFONTW back{};
    ASSERT_EQ(GetObject(tahoma, sizeof back, &back), static_cast<int>(sizeof back));
    EXPECT_STREQ(back.lfFaceName, L"Tahoma");
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_NE(Font(16, FW_NORMAL, L"No Such Face Anywhere"), nullptr);

    LOGFONTW unterminated{};
    unterminated.lfHeight = 12;
    std::fill(std::begin(unterminated.lfFaceName), std::end(unterminated.lfFaceName), L'x');
    EXPECT_EQ(CreateFontIndirectW(&unterminated), nullptr);
    EXPECT_EQ(Font(-12), nullptr) << "character heights are not supported";
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

TEST_F(TextTest, TheCellHeightIsTheRequestedHeight) {
    HDC dc = Surface(200, 80);
    for (int height : {8, 12, 16, 17, 31, 64}) {
        SelectObject(dc, Font(height));
        EXPECT_EQ(Extent(dc, L"Ag").cy, height);
        SIZE empty = Extent(dc, L"");
        EXPECT_EQ(empty.cx, 0);
        EXPECT_EQ(empty.cy, height);
    }
    SelectObject(dc, Font(0));
    EXPECT_EQ(Extent(dc, L"Ag").cy, 12) << "height 0 takes the default";

    HDC fresh = Surface(10, 10);
    EXPECT_EQ(Extent(fresh, L"Ag").cy, 12) << "the stock font of a new DC measures too";

    SelectObject(dc, Font(16));
    const int narrow = Extent(dc, L"Moves: 12").cx;
    SelectObject(dc, Font(32));
    const int wide = Extent(dc, L"Moves: 12").cx;
    EXPECT_NEAR(wide, 2 * narrow, 9) << "advances scale with the height, give or take a pixel a character";
}

TEST_F(TextTest, ExtentsAndDrawnPixelsAgreeForEveryAlignment) {
    const int w = 160, h = 60;
    const RECT rc{10, 5, 150, 55};
    const wchar_t* text = L"Total: 40";
    for (UINT horizontal : {DT_LEFT, DT_CENTER, DT_RIGHT}) {
        for (UINT vertical : {DT_TOP, DT_VCENTER, DT_BOTTOM}) {
            HDC dc = Surface(w, h);
            SelectObject(dc, Font(16));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, 0xFFFFFF);
            const SIZE s = Extent(dc, text);
            RECT r = rc;
            EXPECT_EQ(DrawTextW(dc, text, -1, &r, horizontal | vertical), 16);
            const int x = horizontal == DT_CENTER ? 10 + (140 - s.cx) / 2 : horizontal == DT_RIGHT ? 150 - s.cx : 10;
            const int y = vertical == DT_VCENTER ? 5 + (50 - 16) / 2 : vertical == DT_BOTTOM ? 55 - 16 : 5;
            const RECT ink = Ink(dc, w, h);
            SCOPED_TRACE(testing::Message() << "format " << (horizontal | vertical));
            EXPECT_GE(ink.left, x);
            EXPECT_LE(ink.left, x + 2) << "the first glyph starts near the box's left end";
            EXPECT_LE(ink.right, x + s.cx);
            EXPECT_GE(ink.right, x + s.cx - 2) << "the last glyph ends near the box's right end";
            EXPECT_GE(ink.top, y);
            EXPECT_LE(ink.bottom, y + s.cy);
        }
    }
}

TEST_F(TextTest, CentringTruncatesTowardZero) {
    // A box three pixels narrower and three rows lower than the text: a centred text starts one
    // pixel left of and above the box, not two. Left-aligned drawings at both places are the
    // references.
    const wchar_t* text = L"Options";
    HDC probe = Surface(10, 10);
    SelectObject(probe, Font(17, FW_BOLD));
    const SIZE s = Extent(probe, text);
    const int w = s.cx + 20, h = s.cy + 20;
    auto draw = [&](RECT r, UINT format) {
        HDC dc = Surface(w, h);
        SelectObject(dc, Font(17, FW_BOLD));
        SetTextColor(dc, 0xFFFFFF);
        DrawTextW(dc, text, -1, &r, format | DT_NOCLIP);
        return dc;
    };
    HDC centred = draw(RECT{10, 10, 10 + s.cx - 3, 10 + s.cy - 3}, DT_CENTER | DT_VCENTER);
    HDC truncated = draw(RECT{9, 9, 9 + s.cx, 9 + s.cy}, DT_LEFT);
    HDC floored = draw(RECT{8, 8, 8 + s.cx, 8 + s.cy}, DT_LEFT);
    EXPECT_TRUE(SamePixels(centred, truncated, w, h));
    EXPECT_FALSE(SamePixels(centred, floored, w, h));
}

TEST_F(TextTest, DrawingStaysInsideTheRectangleAndTheSurface) {
    const int w = 120, h = 40;
    HDC clipped = Surface(w, h);
    HDC free = Surface(w, h);
    for (HDC dc : {clipped, free}) {
        SelectObject(dc, Font(20));
        SetTextColor(dc, 0xFFFFFF);
    }
    RECT r{20, 10, 50, 22};
    DrawTextW(clipped, L"Resume Game", -1, &r, DT_LEFT);
    DrawTextW(free, L"Resume Game", -1, &r, DT_LEFT | DT_NOCLIP);
    const RECT inside = Ink(clipped, w, h);
    EXPECT_GE(inside.left, 20);
    EXPECT_LE(inside.right, 50);
    EXPECT_GE(inside.top, 10);
    EXPECT_LE(inside.bottom, 22);
    EXPECT_GT(Ink(free, w, h).right, 50) << "without the rectangle's clip the text runs on";

    // Off every edge of the surface: the sanitizers watch the writes.
    for (RECT edge : {RECT{-30, -8, 200, 100}, RECT{100, 30, 300, 90}}) EXPECT_GT(DrawTextW(free, L"Quit", -1, &edge, 0), 0);
}

TEST_F(TextTest, ColoursAndBackgroundOnBothDepths) {
    for (int bpp : {16, 24}) {
        SCOPED_TRACE(bpp);
        const auto stored = [bpp](COLORREF c) { return bpp == 16 ? platform::Unpack565(platform::Pack565(c)) : c; };
        const int w = 100, h = 30;
        HDC dc = Surface(w, h, bpp);
        SelectObject(dc, Font(20, FW_BOLD));
        const SIZE s = Extent(dc, L"HIT");
        SetTextColor(dc, 0x00FFFF);
        SetBkColor(dc, 0x0000C0);
        ASSERT_EQ(GetBkMode(dc), OPAQUE) << "a new DC draws its background";
        RECT r{5, 5, 95, 28};
        DrawTextW(dc, L"HIT", -1, &r, DT_LEFT);
        int solid = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                const bool inBox = x >= 5 && x < 5 + s.cx && y >= 5 && y < 5 + s.cy;
                if (!inBox) {
                    ASSERT_EQ(c, stored(kPaper)) << x << "," << y;
                    continue;
                }
                // A mix of the background's dark red and the text's yellow: red and green tell
                // the same share of text colour.
                const COLORREF bk = stored(0x0000C0), fg = stored(0x00FFFF);
                const double red = double(GetRValue(c) - GetRValue(bk)) / (GetRValue(fg) - GetRValue(bk));
                const double green = double(GetGValue(c)) / GetGValue(fg);
                EXPECT_EQ(GetBValue(c), 0);
                EXPECT_NEAR(red, green, 0.15) << x << "," << y;
                solid += c == stored(0x00FFFF);
            }
        }
        EXPECT_EQ(GetPixel(dc, 5, 5), stored(0x0000C0)) << "the box's corner shows the background colour";
        EXPECT_GT(solid, 20) << "the stems are in the text colour";

        HDC clear = Surface(w, h, bpp);
        SelectObject(clear, Font(20, FW_BOLD));
        SetTextColor(clear, 0xFFFFFF);
        EXPECT_EQ(SetBkMode(clear, TRANSPARENT), OPAQUE);
        DrawTextW(clear, L"HIT", -1, &r, DT_LEFT);
        EXPECT_EQ(GetPixel(clear, 5, 5), stored(kPaper)) << "transparent text leaves its box alone";
        int white = 0;
        for (int x = 0; x < w; ++x) white += GetPixel(clear, x, 5 + s.cy / 2) == stored(0xFFFFFF);
        EXPECT_GT(white, 3) << "white " << (bpp == 16 ? "reads back as 0xF8FCF8" : "stays white");
    }
}

TEST_F(TextTest, GlyphsAreRenderedOnceAndFacesShared) {
    HDC dc = Surface(200, 40);
    SelectObject(dc, Font(18));
    RECT r{0, 0, 200, 40};
    const long before = platform::RasterisedGlyphCount();
    DrawTextW(dc, L"Level 3", -1, &r, 0);
    const long first = platform::RasterisedGlyphCount();
    EXPECT_EQ(first - before, 6) << "one rendering per distinct character";
    DrawTextW(dc, L"Level 3", -1, &r, DT_RIGHT);
    Extent(dc, L"Level 3");
    EXPECT_EQ(platform::RasterisedGlyphCount(), first) << "the second draw comes from the cache";

    SelectObject(dc, Font(18));
    DrawTextW(dc, L"Level 3", -1, &r, 0);
    EXPECT_EQ(platform::RasterisedGlyphCount(), first) << "a second font of the same face and size shares it";
    SelectObject(dc, Font(18, FW_BOLD));
    DrawTextW(dc, L"Level 3", -1, &r, 0);
    EXPECT_GT(platform::RasterisedGlyphCount(), first) << "bold is a face of its own";
}

TEST_F(TextTest, BoldIsWiderThanRegular) {
    HDC dc = Surface(10, 10);
    SelectObject(dc, Font(16, FW_NORMAL));
    const int regular = Extent(dc, L"New Game").cx;
    SelectObject(dc, Font(16, 600));
    const int bold = Extent(dc, L"New Game").cx;
    EXPECT_GT(bold, regular);
    SelectObject(dc, Font(16, FW_BOLD));
    EXPECT_EQ(Extent(dc, L"New Game").cx, bold) << "600 and 700 are the same bold";
}

TEST_F(TextTest, PartialExtentsAndFit) {
    HDC dc = Surface(10, 10);
    SelectObject(dc, Font(16));
    int dx[4] = {};
    int fit = -1;
    SIZE whole{};
    ASSERT_TRUE(GetTextExtentExPointW(dc, L"Quit", 4, 0, &fit, dx, &whole));
    EXPECT_EQ(dx[3], whole.cx);
    EXPECT_EQ(fit, 0);
    EXPECT_EQ(dx[0], Extent(dc, L"Q").cx);
    EXPECT_EQ(dx[1], Extent(dc, L"Qu").cx);
    ASSERT_TRUE(GetTextExtentExPointW(dc, L"Quit", 4, dx[1], &fit, nullptr, &whole));
    EXPECT_EQ(fit, 2);
    SIZE part{};
    ASSERT_TRUE(GetTextExtentExPointW(dc, L"Quit", 2, 0, nullptr, nullptr, &part));
    EXPECT_EQ(part.cx, dx[1]) << "only the first count characters";
}

TEST_F(TextTest, BadArgumentsFail) {
    HDC dc = Surface(10, 10);
    RECT r{0, 0, 10, 10};
    SIZE s{};
    EXPECT_EQ(DrawTextW(nullptr, L"x", -1, &r, 0), 0);
    EXPECT_EQ(DrawTextW(dc, nullptr, -1, &r, 0), 0);
    EXPECT_EQ(DrawTextW(dc, L"x", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(dc, L"x", -2, &r, 0), 0);
    EXPECT_FALSE(GetTextExtentExPointW(nullptr, L"x", 1, 0, nullptr, nullptr, &s));
    EXPECT_FALSE(GetTextExtentExPointW(dc, L"x", 1, 0, nullptr, nullptr, nullptr));
    EXPECT_FALSE(GetTextExtentExPointW(dc, L"x", -1, 0, nullptr, nullptr, &s));
}

}  // namespace
