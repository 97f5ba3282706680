// The scaler: area averages, bilinear samples, the key pass, and failures that leave no half-made picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/Resample.h"
#include "platform/PixelBuffer.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

class ResampleTest : public PlatformTest {};

template <class Colour>
void Paint(CQorGDI& s, int w, int h, Colour colour) {
    ASSERT_TRUE(s.CreateSized(nullptr, w, h, FALSE, TRUE, FALSE, 24));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.SetPixel(x, y, colour(x, y));
}

TEST_F(ResampleTest, ShrinkingAveragesTheCoveredArea) {
    EXPECT_EQ(AreaThousandths(5.2f, 5.2f), 27039) << "27.04 source pixels, in single precision";
    CQorGDI white, small, sheet, out;
    ASSERT_TRUE(MakeSection(white, 520, 104, 16, 0xFFFFFF) && white.MakeDeviceBitmap());
    for (auto [w, h] : {std::pair{100, 20}, {5, 1}}) {  // 5 × 1: sums of 10 816 white pixels
        ASSERT_TRUE(white.ResampleTo(&out, w, h, FALSE, 0));
        EXPECT_EQ(out.m_pBits, nullptr) << "ends as a device bitmap";
        for (COLORREF c : Pixels(out)) EXPECT_EQ(c & 0xFEFEFE, 0xFEFEFEu) << std::hex << c << " at width " << w;
    }
    const int grey[3][3] = {{60, 150, 240}, {30, 120, 210}, {0, 90, 180}};  // top line first
    Paint(small, 3, 3, [&](int x, int y) { return 0x010101u * grey[y][x]; });
    ASSERT_TRUE(small.ResampleTo(&out, 2, 2, FALSE, 0));
    EXPECT_EQ(Pixels(out), (std::vector<COLORREF>{0x505050, 0xC8C8C8, 0x282828, 0xA0A0A0}));
    unsigned seed = 12345;  // shrunk by whole 5 × 4 blocks: the truncated mean of each block
    Paint(sheet, 520, 104, [&](int, int) { return (seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFFFF; });
    ASSERT_TRUE(sheet.ResampleTo(&out, 104, 26, FALSE, 0));
    for (int i = 0; i < 104 * 26 * 3; ++i) {
        const int x = i / 3 % 104, y = i / 312, shift = i % 3 * 8;
        unsigned sum = 0;
        for (int v = 0; v < 20; ++v) sum += sheet.GetPixel(5 * x + v % 5, 4 * y + v / 5) >> shift & 0xFF;
        ASSERT_EQ(out.GetPixel(x, y) >> shift & 0xFF, sum / 20) << x << "," << y;
    }
}

TEST_F(ResampleTest, OtherwiseSamplesBilinearlyAndMarksKeyPixels) {
    // Red 7 + 31x + 41y. 2 × 2 → 4 × 4: (1, 1) the mean of all four, (3, 3) the clamped last pixel.
    struct Probe { int size, w, h, x, y, red; };
    for (const Probe& p : {Probe{2, 4, 4, 1, 1, 43}, {2, 4, 4, 3, 3, 79}, {4, 2, 8, 1, 0, 69}, {4, 2, 8, 1, 1, 89},
                           {3, 3, 3, 0, 0, 7}}) {
        CQorGDI source, out;
        Paint(source, p.size, p.size, [](int x, int y) { return RGB(7 + 31 * x + 41 * y, 9 * x, 255 - 20 * y); });
        ASSERT_TRUE(source.ResampleTo(&out, p.w, p.h, FALSE, 0));
        EXPECT_EQ(GetRValue(out.GetPixel(p.x, p.y)), p.red) << p.w << "x" << p.h << " at " << p.x << "," << p.y;
        EXPECT_TRUE(p.size != p.w || Pixels(out) == Pixels(source));
    }
    for (COLORREF key : {KEY_COLOR, COLORREF{0x102030}}) {
        CQorGDI source, out;
        Paint(source, 4, 4, [&](int x, int y) { return x == 2 && y == 1 ? key : 0x80C040; });
        ASSERT_TRUE(source.ResampleTo(&out, 8, 8, TRUE, key));
        EXPECT_EQ(out.GetPixel(5, 2), 0x406020u) << "half the key pixel's black, none of its colour";
        // The nearest source pixel of x is (x + 1) / 2: the key sits under x, y = 3..4, 1..2, and
        // column and row 7 round to 4, outside the picture.
        const std::vector<COLORREF> p = Pixels(out);
        EXPECT_EQ(std::count(p.begin(), p.end(), KEY_COLOR), key == KEY_COLOR ? 19 : 15);
        EXPECT_EQ(p[2 * 8 + 4] == KEY_COLOR, key == KEY_COLOR);
    }
}

TEST_F(ResampleTest, RefusalsAndShortagesLeaveNoHalfMadePicture) {
    CQorGDI source, out, reference;
    ASSERT_TRUE(MakeSection(source, 52, 10, 24, 0x336699) && MakeSection(out, 3, 3, 16));
    EXPECT_FALSE(source.ResampleTo(&out, 4, 0, FALSE, 0) || out.m_hDC);
    ASSERT_TRUE(source.ResampleTo(&reference, 10, 2, FALSE, 0));
    for (int after = 0; after < 8; ++after) {  // each allocation of the call fails in turn
        platform::FailNextPixelBuffers(1, after);
        const BOOL made = source.ResampleTo(&out, 10, 2, FALSE, 0);
        platform::FailNextPixelBuffers(0);
        EXPECT_EQ(Pixels(out), made ? Pixels(reference) : std::vector<COLORREF>{}) << after;
    }
}

}  // namespace
