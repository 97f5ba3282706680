// The scaler: area averages against an exact reference, the worked cases, bilinear sampling,
// the key pass and clean failures.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "gfx/Draw.h"
#include "gfx/Resample.h"
#include "platform/GdiState.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

class ResampleTest : public PlatformTest {
protected:
    static void Paint24(CQorGDI& s, int w, int h, const std::function<COLORREF(int, int)>& colour) {
        ASSERT_TRUE(s.CreateSized(nullptr, w, h, FALSE, TRUE, FALSE, 24));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) s.SetPixel(x, y, colour(x, y));
    }
};

int Channel(COLORREF c, int ch) { return static_cast<int>((c >> (8 * ch)) & 0xFF); }

TEST_F(ResampleTest, WhiteSheetShrinksToWhiteEvenIntoOnePixelCells) {
    EXPECT_EQ(AreaThousandths(5.2f, 5.2f), 27039) << "27.04 source pixels, in single precision";
    CQorGDI sheet;  // a 16-bit device bitmap, as a loaded picture may be
    ASSERT_TRUE(sheet.CreateSized(nullptr, 520, 104, FALSE, TRUE, FALSE, 16));
    RECT all{0, 0, 520, 104};
    FillSolidRect(sheet.m_hDC, &all, 0xFFFFFF);
    ASSERT_TRUE(sheet.MakeDeviceBitmap());
    for (auto [w, h] : {std::pair{100, 20}, {5, 1}}) {
        CQorGDI tiles;
        ASSERT_TRUE(sheet.ResampleTo(&tiles, w, h, FALSE, 0));
        EXPECT_EQ(tiles.m_pBits, nullptr) << "ends as a device bitmap";
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int ch = 0; ch < 3; ++ch) EXPECT_GE(Channel(tiles.GetPixel(x, y), ch), 254) << w << " " << x << "," << y;
    }
}

TEST_F(ResampleTest, ShrinkingAveragesTheCoveredArea) {
    // The worked case: buffer rows are stored bottom line first.
    CQorGDI small, half;
    const int grey[3][3] = {{60, 150, 240}, {30, 120, 210}, {0, 90, 180}};
    Paint24(small, 3, 3, [&](int x, int y) { return RGB(grey[y][x], grey[y][x], grey[y][x]); });
    ASSERT_TRUE(small.ResampleTo(&half, 2, 2, FALSE, 0));
    EXPECT_EQ(Pixels(half), (std::vector<COLORREF>{0x505050, 0xC8C8C8, 0x282828, 0xA0A0A0}));

    // Any picture: within one step of the exact average of the area each pixel covers.
    CQorGDI sheet;
    unsigned seed = 12345;
    Paint24(sheet, 520, 104, [&](int, int) { return (seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFFFF; });
    for (auto [w, h] : {std::pair{100, 20}, {150, 30}, {400, 80}, {37, 13}}) {
        CQorGDI out;
        ASSERT_TRUE(sheet.ResampleTo(&out, w, h, FALSE, 0));
        const double sx = 520.0 / w, sy = 104.0 / h;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int ch = 0; ch < 3; ++ch) {
                    double sum = 0;
                    for (int v = static_cast<int>(y * sy); v < std::ceil((y + 1) * sy); ++v)
                        for (int u = static_cast<int>(x * sx); u < std::ceil((x + 1) * sx); ++u) {
                            const double cover = (std::min(u + 1.0, (x + 1) * sx) - std::max<double>(u, x * sx)) *
                                                 (std::min(v + 1.0, (y + 1) * sy) - std::max<double>(v, y * sy));
                            sum += cover * Channel(sheet.GetPixel(u, v), ch);
                        }
                    ASSERT_NEAR(Channel(out.GetPixel(x, y), ch), sum / (sx * sy), 1.5) << w << ": " << x << "," << y;
                }
    }
}

TEST_F(ResampleTest, OtherwiseSamplesBilinearlyFromTheTopLeftCorner) {
    struct Case { int srcW, srcH, w, h, x, y; std::function<int(std::function<int(int, int)>)> expected; };
    const Case cases[] = {
        {2, 2, 4, 4, 1, 1, [](auto g) { return (g(0, 0) + g(1, 0) + g(0, 1) + g(1, 1)) / 4; }},
        {2, 2, 4, 4, 3, 3, [](auto g) { return g(1, 1); }},  // (1.5, 1.5): clamped to the last pixel
        {4, 4, 2, 8, 1, 0, [](auto g) { return g(2, 0); }},  // narrower but taller: no averaging
        {4, 4, 2, 8, 1, 1, [](auto g) { return (g(2, 0) + g(2, 1)) / 2; }},
        {4, 4, 4, 4, 3, 2, [](auto g) { return g(3, 2); }},
    };
    auto grey = [](int x, int y) { return 7 + 31 * x + 53 * y; };
    for (const Case& c : cases) {
        CQorGDI source, out;
        Paint24(source, c.srcW, c.srcH, [&](int x, int y) { return RGB(grey(x, y), 255 - grey(x, y), grey(x, y) / 2); });
        ASSERT_TRUE(source.ResampleTo(&out, c.w, c.h, FALSE, 0));
        const int g = c.expected(grey);
        EXPECT_EQ(out.GetPixel(c.x, c.y), RGB(g, c.expected([&](int x, int y) { return 255 - grey(x, y); }),
                                               c.expected([&](int x, int y) { return grey(x, y) / 2; })))
            << c.srcW << "x" << c.srcH << " to " << c.w << "x" << c.h << " at " << c.x << "," << c.y;
        if (c.w == c.srcW && c.h == c.srcH) {
            EXPECT_EQ(Pixels(out), Pixels(source));
        }
    }
}

TEST_F(ResampleTest, KeyPixelsTurnBlackAndOnlyKeyColourMarksTheResult) {
    for (COLORREF key : {KEY_COLOR, COLORREF{0x102030}}) {
        CQorGDI source, out;
        Paint24(source, 4, 4, [&](int x, int y) { return x == 2 && y == 1 ? key : 0x80C040; });
        ASSERT_TRUE(source.ResampleTo(&out, 8, 8, TRUE, key));
        EXPECT_EQ(out.GetPixel(5, 2), 0x406020u) << "half of the key pixel's black, none of its colour";
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                // Nearest source pixel of (x, y) is (x + 1) / 2; column and row 4 lie outside.
                const bool onKey = key == KEY_COLOR && (x + 1) / 2 == 2 && (y + 1) / 2 == 1;
                EXPECT_EQ(out.GetPixel(x, y) == KEY_COLOR, onKey || x == 7 || y == 7) << x << "," << y;
            }
    }
}

TEST_F(ResampleTest, RefusalsAndShortagesLeaveNoHalfMadePicture) {
    CQorGDI source, empty, out;
    Paint24(source, 52, 10, [](int x, int y) { return RGB(x * 4, y * 20, 99); });
    for (auto [w, h] : {std::pair{0, 4}, {4, -1}}) {
        ASSERT_TRUE(out.CreateSized(nullptr, 3, 3, FALSE, TRUE, FALSE, 16));
        EXPECT_FALSE(source.ResampleTo(&out, w, h, FALSE, 0));
        EXPECT_EQ(out.m_hDC, nullptr);
    }
    EXPECT_FALSE(empty.ResampleTo(&out, 4, 4, FALSE, 0));
    EXPECT_FALSE(source.ResampleTo(&source, 4, 4, FALSE, 0));
    EXPECT_NE(source.m_hDC, nullptr);
    CQorGDI reference;
    ASSERT_TRUE(source.ResampleTo(&reference, 10, 2, FALSE, 0));
    for (int after = 0; after < 8; ++after) {
        platform::FailNextPixelBuffers(1, after);
        const BOOL made = source.ResampleTo(&out, 10, 2, FALSE, 0);
        platform::FailNextPixelBuffers(0);
        if (made) {
            EXPECT_EQ(Pixels(out), Pixels(reference)) << after;
        } else {
            EXPECT_EQ(out.m_hDC, nullptr) << after;
        }
    }
}

}  // namespace
