// Vertical, diagonal and rounded gradients: worked rows and bands, strips, outlines, DC forms.
#include <gtest/gtest.h>

#include "gfx/Blend.h"
#include "gfx/Gradient.h"
#include "gfx/RoundGradient.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

class GradientTest : public PlatformTest {
protected:
    static BOOL Vertical(CQorGDI& s, RECT rc, COLORREF top, COLORREF bottom) {
        return s.m_bm.bmBitsPixel == 24 ? GradientFillBits24(s.m_pBits, s.m_bm, s.m_hDC, &rc, top, bottom)
                                         : GradientFillBits16(s.m_pBits, s.m_bm, s.m_hDC, &rc, top, bottom);
    }
};

COLORREF Grey(int v) { return RGB(v, v, v); }
// (255 × t) >> 8 of white and of red, as a 5-6-5 surface gives them back.
COLORREF GreyAt(int t) { return Packed(Grey((255 * t) >> 8)); }
COLORREF RedAt(int t) { return Packed(RGB((255 * t) >> 8, 0, 0)); }

TEST_F(GradientTest, WorkedRowsOnBothDepths) {
    CQorGDI one;
    ASSERT_TRUE(MakeSection(one, 4, 1, 24));
    EXPECT_TRUE(Vertical(one, RECT{0, 0, 4, 1}, 0x000000, 0x804020));
    EXPECT_EQ(Pixels(one), std::vector<COLORREF>(4, RGB(0x1F, 0x3F, 0x7F))) << "height 1: the bottom colour × 255/256";
    // Black to white: (255 × t) >> 8 for t = 84, 169, 255 from the top down (t in single precision, not 85).
    const int expected[3] = {83, 168, 254};
    for (int depth : {24, 16}) {
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, 5, 3, depth));
        EXPECT_TRUE(Vertical(s, RECT{0, 0, 5, 3}, 0x000000, 0xFFFFFF));
        EXPECT_EQ(Mismatches(s, [&](int, int y) { return depth == 24 ? Grey(expected[y]) : Packed(Grey(expected[y])); }), "")
            << depth << " bits";
    }
}

// The DC forms draw as the surface forms do on a section of the asked depth, moved into place.
TEST_F(GradientTest, DCFormsDrawAsTheSurfaceFormsThroughATemporaryOfTheAskedDepth) {
    RECT rc{2, 1, 6, 4}, all{0, 0, 4, 3};
    for (bool diagonal : {false, true}) {
        CQorGDI reference, target;
        ASSERT_TRUE(MakeSection(reference, 4, 3, diagonal ? 16 : 24) && MakeSection(target, 7, 5, 16, 0x0000FF));
        ASSERT_TRUE(diagonal ? reference.DiagonalGradientFillRect(&all, 0x8080FF, 0x200000) : Vertical(reference, all, 0x2080F0, 0xF08020));
        EXPECT_TRUE(diagonal ? DiagonalGradientFillRectDC(target.m_hDC, &rc, 0x8080FF, 0x200000)
                             : GradientFillRectDC(target.m_hDC, &rc, 0x2080F0, 0xF08020, TRUE));
        EXPECT_EQ(Mismatches(target, [&](int x, int y) { return Packed(Inside(rc, x, y) ? reference.GetPixel(x - 2, y - 1) : 0x0000FF); }), "")
            << diagonal;
    }
}

// The strip is a vertical gradient w + h lines high.
TEST_F(GradientTest, EachDiagonalPixelTakesTheStripPixelOfItsDiagonal) {
    for (int depth : {16, 24}) {
        CQorGDI strip, s;
        ASSERT_TRUE(MakeSection(strip, 1, 11, depth) && MakeSection(s, 9, 8, depth, 0x0000FF));
        ASSERT_TRUE(Vertical(strip, RECT{0, 0, 1, 11}, 0x00FFFF, 0x400000));
        const COLORREF outside = s.GetPixel(0, 0);
        RECT rc{1, 2, 8, 6};  // 7 × 4
        EXPECT_TRUE(s.DiagonalGradientFillRect(&rc, 0x00FFFF, 0x400000));
        EXPECT_EQ(Mismatches(s, [&](int x, int y) { return Inside(rc, x, y) ? strip.GetPixel(0, x - 1 + y - 2) : outside; }), "")
            << depth << " bits";
    }
}

// The middle column of a two-band shape with no outline: grey above the middle line, red from it down.
TEST_F(GradientTest, TwoBandRows) {
    const std::pair<int, std::vector<COLORREF>> cases[] = {
        {10, {GreyAt(51), GreyAt(101), GreyAt(153), GreyAt(203), RedAt(0), RedAt(51), RedAt(101), RedAt(153), RedAt(203), RedAt(255)}},
        {9, {GreyAt(56), GreyAt(113), GreyAt(169), GreyAt(226), RedAt(28), RedAt(84), RedAt(141), RedAt(198), RedAt(255)}},
        {1, {RedAt(255)}},
    };
    for (const auto& [h, want] : cases) {
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, 12, h + 2, 16, 0x00FF00));
        RECT rc{0, 1, 12, h + 1};
        EXPECT_TRUE(GlossRoundRectBits(s.m_pBits, s.m_bm, s.m_hDC, &rc, NO_COLOR, h > 1 ? 4 : 0, 4, 0x000000,
                                       0xFFFFFF, 0x000000, 0x0000FF));
        std::vector<COLORREF> column;
        for (int y = 1; y <= h; ++y) column.push_back(s.GetPixel(6, y));
        EXPECT_EQ(column, want) << "height " << h;
        EXPECT_TRUE(s.GetPixel(6, 0) == Packed(0x00FF00) && s.GetPixel(6, h + 1) == Packed(0x00FF00));
    }
}

TEST_F(GradientTest, RoundedOutlineKeepsThePenCornersStayOutsideAndMarkerPixelsInsideAreTakenForTheShape) {
    CQorGDI shape, plain, marked;
    ASSERT_TRUE(MakeSection(shape, 16, 12, 16, 0x0000FF) && MakeSection(plain, 16, 12, 16, 0x0000FF));
    RECT rc{1, 1, 15, 11};
    EXPECT_TRUE(shape.GradientRoundRect(&rc, 0x00FF00, 6, 6, 0x203040, 0xF0E0D0));
    ASSERT_TRUE(plain.GradientFillRect(&rc, 0x203040, 0xF0E0D0, FALSE));
    for (POINT p : {POINT{1, 1}, POINT{14, 10}, POINT{0, 0}}) EXPECT_EQ(shape.GetPixel(p.x, p.y), Packed(0x0000FF));
    for (POINT p : {POINT{8, 1}, POINT{8, 10}, POINT{1, 6}, POINT{14, 6}})
        EXPECT_EQ(shape.GetPixel(p.x, p.y), Packed(0x00FF00)) << "outline on the inner edge at " << p.x << "," << p.y;
    const RECT middle{3, 2, 13, 10};
    EXPECT_EQ(Mismatches(shape, [&](int x, int y) { return Inside(middle, x, y) ? plain.GetPixel(x, y) : shape.GetPixel(x, y); }), "")
        << "the inside is the vertical gradient";
    // The marker colour in a corner inside rc is taken for the shape (top line of 8: t = 31), not outside.
    ASSERT_TRUE(MakeSection(marked, 12, 8, 16, 0x0000FF));
    marked.SetPixel(0, 0, 0xF808F8);
    marked.SetPixel(11, 0, 0xF808F8);
    RECT left{0, 0, 10, 8};
    EXPECT_TRUE(marked.GradientRoundRect(&left, 0x00FF00, 6, 6, 0x000000, 0xFFFFFF));
    EXPECT_TRUE(marked.GetPixel(0, 0) == GreyAt(31) && marked.GetPixel(11, 0) == 0xF808F8u);
}

}  // namespace
