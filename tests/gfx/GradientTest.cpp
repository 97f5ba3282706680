// Vertical and diagonal gradients: the worked row positions, the column copies, the diagonal's
// strip, and the DC forms against the surface forms.
#include <gtest/gtest.h>

#include <bit>

#include "gfx/Blend.h"
#include "gfx/Gradient.h"
#include "platform/Blit.h"
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

TEST_F(GradientTest, WorkedRowsOnBothDepths) {
    CQorGDI one;
    ASSERT_TRUE(MakeSection(one, 4, 1, 24));
    EXPECT_TRUE(Vertical(one, RECT{0, 0, 4, 1}, 0x000000, 0x804020));
    for (COLORREF c : Pixels(one)) EXPECT_EQ(c, RGB(0x1F, 0x3F, 0x7F)) << "height 1: the bottom colour × 255/256";

    // Black to white: (255 × t) >> 8 for t = 84, 169, 255 from the top line down; t is taken in
    // single precision (85 in double precision).
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
}

TEST_F(GradientTest, EachDiagonalPixelTakesTheStripPixelOfItsDiagonal) {
    for (int depth : {16, 24}) {
        // The strip: a vertical gradient w + h lines high.
        CQorGDI strip, s;
        ASSERT_TRUE(MakeSection(strip, 1, 11, depth));
        ASSERT_TRUE(Vertical(strip, RECT{0, 0, 1, 11}, 0x00FFFF, 0x400000));
        ASSERT_TRUE(MakeSection(s, 9, 8, depth, 0x0000FF));
        const COLORREF outside = s.GetPixel(0, 0);
        RECT rc{1, 2, 8, 6};  // 7 × 4
        const long before = platform::BlockTransferCalls();
        EXPECT_TRUE(s.DiagonalGradientFillRect(&rc, 0x00FFFF, 0x400000));
        EXPECT_LE(platform::BlockTransferCalls() - before, 7 + 1) << "one per column, one to make the strip a section";
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 9; ++x) {
                const bool inside = x >= 1 && x < 8 && y >= 2 && y < 6;
                EXPECT_EQ(s.GetPixel(x, y), inside ? strip.GetPixel(0, (x - 1) + (y - 2)) : outside)
                    << depth << " bits at " << x << "," << y;
            }
    }
}

TEST_F(GradientTest, DiagonalDCFormMatchesTheSurfaceForm) {
    CQorGDI direct, throughDC;
    ASSERT_TRUE(MakeSection(direct, 5, 4, 16));
    ASSERT_TRUE(MakeSection(throughDC, 8, 6, 16, 0x00FF00));
    RECT all{0, 0, 5, 4}, rc{2, 1, 7, 5};
    ASSERT_TRUE(direct.DiagonalGradientFillRect(&all, 0x8080FF, 0x200000));
    EXPECT_TRUE(DiagonalGradientFillRectDC(throughDC.m_hDC, &rc, 0x8080FF, 0x200000));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 1 && y < 5;
            EXPECT_EQ(throughDC.GetPixel(x, y), inside ? direct.GetPixel(x - 2, y - 1) : Packed(0x00FF00)) << x << "," << y;
        }
}

}  // namespace
