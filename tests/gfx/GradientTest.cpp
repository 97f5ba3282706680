// Vertical and diagonal gradients: the worked row positions, the column copies, depth checks,
// clipping, and the surface and DC forms.
#include <gtest/gtest.h>

#include <bit>

#include "gfx/Blend.h"
#include "gfx/Gradient.h"
#include "gfx/PixelMath.h"
#include "platform/Blit.h"
#include "platform/PixelBuffer.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

class GradientTest : public PlatformTest {
protected:
    static BOOL Vertical(CQorGDI& s, RECT rc, COLORREF top, COLORREF bottom) {
        return s.m_bm.bmBitsPixel == 24 ? GradientFillBits24(s.m_pBits, s.m_bm, s.m_hDC, &rc, top, bottom)
                                         : GradientFillBits16(s.m_pBits, s.m_bm, s.m_hDC, &rc, top, bottom);
    }
    static COLORREF Grey(int v) { return RGB(v, v, v); }
};

TEST_F(GradientTest, RowPositionsTakeTheSinglePrecisionStep) {
    EXPECT_EQ(gfx::VerticalPosition(0, 1), 255);
    EXPECT_EQ(gfx::VerticalPosition(0, 3), 255);
    EXPECT_EQ(gfx::VerticalPosition(1, 3), 169);
    EXPECT_EQ(gfx::VerticalPosition(2, 3), 84) << "85 in double precision";
}

TEST_F(GradientTest, TwoBandRowPositions) {
    auto rows = [](int h) {
        std::vector<std::pair<bool, int>> out;  // top line first: (upper band, position)
        for (int k = h - 1; k >= 0; --k) out.emplace_back(gfx::InUpperBand(k, h), gfx::BandPosition(k, h));
        return out;
    };
    using Rows = std::vector<std::pair<bool, int>>;
    EXPECT_EQ(rows(10), (Rows{{true, 51}, {true, 101}, {true, 153}, {true, 203}, {false, 0}, {false, 51},
                              {false, 101}, {false, 153}, {false, 203}, {false, 255}}));
    EXPECT_EQ(rows(9), (Rows{{true, 56}, {true, 113}, {true, 169}, {true, 226}, {false, 28}, {false, 84},
                             {false, 141}, {false, 198}, {false, 255}}));
    EXPECT_EQ(rows(1), (Rows{{false, 255}}));
}

TEST_F(GradientTest, HeightOneIsTheBottomColourTimes255Over256) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 4, 1, 24));
    EXPECT_TRUE(Vertical(s, RECT{0, 0, 4, 1}, 0x000000, 0x804020));
    for (COLORREF c : Pixels(s)) EXPECT_EQ(c, RGB(0x1F, 0x3F, 0x7F));
}

TEST_F(GradientTest, HeightThreeRowsOnBothDepths) {
    // Black to white: (255 × t) >> 8 for t = 84, 169, 255 from the top line down.
    const int expected[3] = {83, 168, 254};
    for (int depth : {24, 16}) {
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, 5, 3, depth));
        EXPECT_TRUE(Vertical(s, RECT{0, 0, 5, 3}, 0x000000, 0xFFFFFF));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const COLORREF want = depth == 24 ? Grey(expected[y]) : Packed(Grey(expected[y]));
                EXPECT_EQ(s.GetPixel(x, y), want) << depth << " bits, " << x << "," << y;
            }
    }
}

TEST_F(GradientTest, ColumnIsCopiedAcrossWithLogarithmicallyManyTransfers) {
    for (int w = 1; w <= 70; ++w) {
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, w + 3, 6, 16, 0x0000FF));
        const long before = platform::BlockTransferCalls();
        EXPECT_TRUE(Vertical(s, RECT{2, 1, 2 + w, 5}, 0x00FF00, 0xFF0000));
        const long transfers = platform::BlockTransferCalls() - before;
        if (w == 1) {
            EXPECT_EQ(transfers, 0) << "nothing to copy";
        }
        EXPECT_LE(transfers, std::bit_width(static_cast<unsigned>(w - 1))) << "width " << w;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < w + 3; ++x) {
                const bool inside = x >= 2 && x < 2 + w && y >= 1 && y < 5;
                const COLORREF want = inside ? s.GetPixel(2, y) : Packed(0x0000FF);
                ASSERT_EQ(s.GetPixel(x, y), want) << "width " << w << " at " << x << "," << y;
            }
        EXPECT_NE(s.GetPixel(2, 1), s.GetPixel(2, 4)) << "a gradient, not a fill";
    }
}

TEST_F(GradientTest, DepthMustMatchTheSection) {
    CQorGDI s16, s24;
    ASSERT_TRUE(MakeSection(s16, 4, 4, 16, 0x0000FF));
    ASSERT_TRUE(MakeSection(s24, 4, 4, 24, 0x0000FF));
    RECT rc{0, 0, 4, 4};
    EXPECT_FALSE(GradientFillBits24(s16.m_pBits, s16.m_bm, s16.m_hDC, &rc, 0, 0xFFFFFF));
    EXPECT_FALSE(GradientFillBits16(s24.m_pBits, s24.m_bm, s24.m_hDC, &rc, 0, 0xFFFFFF));
    EXPECT_FALSE(s16.GradientFillRect(&rc, 0, 0xFFFFFF, TRUE));
    EXPECT_FALSE(s24.GradientFillRect(&rc, 0, 0xFFFFFF, FALSE));
    for (COLORREF c : Pixels(s16)) EXPECT_EQ(c, Packed(0x0000FF));
    for (COLORREF c : Pixels(s24)) EXPECT_EQ(c, 0x0000FFu);
    EXPECT_TRUE(s24.GradientFillRect(&rc, 0, 0xFFFFFF, TRUE));
    EXPECT_EQ(s24.GetPixel(1, 3), Grey(254));
}

TEST_F(GradientTest, BadArgumentsAndEmptyRectangles) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 4, 3, 16, 0x0000FF));  // pitch 8: no padding after the last pixel
    RECT rc{0, 0, 4, 3}, inverted{3, 0, 1, 3}, flat{0, 2, 4, 2}, atRightEdge{4, 0, 4, 3};
    EXPECT_FALSE(GradientFillBits16(nullptr, s.m_bm, s.m_hDC, &rc, 0, 0xFFFFFF));
    EXPECT_FALSE(GradientFillBits16(s.m_pBits, s.m_bm, nullptr, &rc, 0, 0xFFFFFF));
    EXPECT_FALSE(GradientFillBits16(s.m_pBits, s.m_bm, s.m_hDC, &inverted, 0, 0xFFFFFF));
    EXPECT_TRUE(GradientFillBits16(s.m_pBits, s.m_bm, s.m_hDC, &flat, 0, 0xFFFFFF));
    // A zero-width rectangle on the right edge must not write the column just past it.
    EXPECT_TRUE(GradientFillBits16(s.m_pBits, s.m_bm, s.m_hDC, &atRightEdge, 0, 0xFFFFFF));
    for (COLORREF c : Pixels(s)) EXPECT_EQ(c, Packed(0x0000FF));
}

TEST_F(GradientTest, ClippedRectanglesKeepTheirGradientPositions) {
    const int W = 7, H = 6;
    for (int depth : {16, 24}) {
        for (RECT rc : {RECT{-5, -5, W + 5, H + 5}, RECT{-3, 2, 4, H + 9}, RECT{3, -8, W + 1, 3}}) {
            CQorGDI small, large;
            ASSERT_TRUE(MakeSection(small, W, H, depth, 0x0000FF));
            ASSERT_TRUE(MakeSection(large, W + 20, H + 20, depth, 0x0000FF));
            EXPECT_TRUE(Vertical(small, rc, 0x10E040, 0xF02080));
            EXPECT_TRUE(Vertical(large, RECT{rc.left + 10, rc.top + 10, rc.right + 10, rc.bottom + 10}, 0x10E040,
                                 0xF02080));
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    ASSERT_EQ(small.GetPixel(x, y), large.GetPixel(x + 10, y + 10))
                        << depth << " bits, rect " << rc.left << "," << rc.top << " at " << x << "," << y;
        }
    }
}

TEST_F(GradientTest, SurfaceFormConvertsADeviceBitmap) {
    CQorGDI ref, s;
    ASSERT_TRUE(MakeSection(ref, 1, 1, 24));
    ASSERT_TRUE(s.CreateSized(ref.m_hDC, 3, 3, FALSE, FALSE, FALSE, 0));
    RECT rc{0, 0, 3, 3};
    EXPECT_TRUE(s.GradientFillRect(&rc, 0x000000, 0xFFFFFF, TRUE));
    EXPECT_NE(s.m_pBits, nullptr);
    EXPECT_EQ(s.GetPixel(2, 0), Grey(83));
}

TEST_F(GradientTest, DCFormDrawsThroughATemporaryOfTheAskedDepth) {
    CQorGDI reference24, target;
    ASSERT_TRUE(MakeSection(reference24, 4, 3, 24));
    ASSERT_TRUE(Vertical(reference24, RECT{0, 0, 4, 3}, 0x2080F0, 0xF08020));
    ASSERT_TRUE(MakeSection(target, 7, 5, 16, 0x0000FF));
    RECT rc{2, 1, 6, 4};
    EXPECT_TRUE(GradientFillRectDC(target.m_hDC, &rc, 0x2080F0, 0xF08020, TRUE));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 4;
            const COLORREF want = inside ? Packed(reference24.GetPixel(x - 2, y - 1)) : Packed(0x0000FF);
            EXPECT_EQ(target.GetPixel(x, y), want) << x << "," << y;
        }
    platform::FailNextPixelBuffers(1);
    EXPECT_FALSE(GradientFillRectDC(target.m_hDC, &rc, 0, 0, FALSE));
    EXPECT_EQ(target.GetPixel(2, 1), Packed(reference24.GetPixel(0, 0))) << "untouched after the failure";
}

// ---- Diagonal ----------------------------------------------------------------------------------

class DiagonalTest : public GradientTest {
protected:
    // The strip the diagonal takes its colours from: a vertical gradient L = w + h lines high.
    static std::vector<COLORREF> Strip(int length, int depth, COLORREF first, COLORREF last) {
        CQorGDI strip;
        EXPECT_TRUE(MakeSection(strip, 1, length, depth));
        EXPECT_TRUE(Vertical(strip, RECT{0, 0, 1, length}, first, last));
        return Pixels(strip);
    }
};

TEST_F(DiagonalTest, EachPixelTakesTheStripPixelOfItsDiagonal) {
    for (int depth : {16, 24}) {
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, 9, 8, depth, 0x0000FF));
        RECT rc{1, 2, 8, 6};  // 7 × 4
        const long before = platform::BlockTransferCalls();
        EXPECT_TRUE(s.DiagonalGradientFillRect(&rc, 0x00FFFF, 0x400000));
        EXPECT_LE(platform::BlockTransferCalls() - before, 7 + 1) << "one per column, one to make the strip a section";
        const std::vector<COLORREF> strip = Strip(11, depth, 0x00FFFF, 0x400000);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 9; ++x) {
                const bool inside = x >= 1 && x < 8 && y >= 2 && y < 6;
                const COLORREF want = inside ? strip[(x - 1) + (y - 2)] : s.GetPixel(0, 0);
                EXPECT_EQ(s.GetPixel(x, y), want) << depth << " bits at " << x << "," << y;
            }
        EXPECT_EQ(s.GetPixel(0, 0), depth == 24 ? 0x0000FFu : Packed(0x0000FF));
        EXPECT_NE(s.GetPixel(1, 2), s.GetPixel(7, 5));
    }
}

TEST_F(DiagonalTest, ClippedRectanglesKeepTheirColours) {
    const int W = 6, H = 5;
    RECT rc{-4, -2, W + 3, H + 6};
    CQorGDI small, large;
    ASSERT_TRUE(MakeSection(small, W, H, 16));
    ASSERT_TRUE(MakeSection(large, W + 20, H + 20, 16));
    EXPECT_TRUE(small.DiagonalGradientFillRect(&rc, 0xFFFFFF, 0x000000));
    RECT moved{rc.left + 10, rc.top + 10, rc.right + 10, rc.bottom + 10};
    EXPECT_TRUE(large.DiagonalGradientFillRect(&moved, 0xFFFFFF, 0x000000));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) EXPECT_EQ(small.GetPixel(x, y), large.GetPixel(x + 10, y + 10)) << x << "," << y;
}

TEST_F(DiagonalTest, BadArgumentsAndEmptyRectangles) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 4, 4, 16, 0x0000FF));
    RECT rc{0, 0, 4, 4}, inverted{0, 3, 4, 1}, flat{1, 1, 1, 4};
    EXPECT_FALSE(DiagonalGradientFill(nullptr, s.m_bm, s.m_hDC, &rc, 0, 0xFFFFFF));
    EXPECT_FALSE(DiagonalGradientFill(s.m_pBits, s.m_bm, nullptr, &rc, 0, 0xFFFFFF));
    EXPECT_FALSE(DiagonalGradientFill(s.m_pBits, s.m_bm, s.m_hDC, &inverted, 0, 0xFFFFFF));
    EXPECT_TRUE(DiagonalGradientFill(s.m_pBits, s.m_bm, s.m_hDC, &flat, 0, 0xFFFFFF));
    for (COLORREF c : Pixels(s)) EXPECT_EQ(c, Packed(0x0000FF));
}

TEST_F(DiagonalTest, DCFormMatchesTheSurfaceForm) {
    CQorGDI direct, throughDC;
    ASSERT_TRUE(MakeSection(direct, 5, 4, 16));
    ASSERT_TRUE(MakeSection(throughDC, 8, 6, 16, 0x00FF00));
    RECT all{0, 0, 5, 4}, rc{2, 1, 7, 5};
    ASSERT_TRUE(direct.DiagonalGradientFillRect(&all, 0x8080FF, 0x200000));
    EXPECT_TRUE(DiagonalGradientFillRectDC(throughDC.m_hDC, &rc, 0x8080FF, 0x200000));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 1 && y < 5;
            EXPECT_EQ(throughDC.GetPixel(x, y), inside ? direct.GetPixel(x - 2, y - 1) : Packed(0x00FF00))
                << x << "," << y;
        }
}

}  // namespace
