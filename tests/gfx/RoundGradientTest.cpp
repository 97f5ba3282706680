// Gradient and two-band rounded rectangles: the worked band rows, the outline, the corners and
// the marker quirk.
#include <gtest/gtest.h>

#include "gfx/RoundGradient.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

class RoundGradientTest : public PlatformTest {
protected:
    static COLORREF Grey(int t) { return Packed(RGB((255 * t) >> 8, (255 * t) >> 8, (255 * t) >> 8)); }
    static COLORREF Red(int t) { return Packed(RGB((255 * t) >> 8, 0, 0)); }
};

// The middle column of a two-band shape with no outline: grey above the middle line, red from it down.
TEST_F(RoundGradientTest, TwoBandRows) {
    const std::pair<int, std::vector<COLORREF>> cases[] = {
        {10, {Grey(51), Grey(101), Grey(153), Grey(203), Red(0), Red(51), Red(101), Red(153), Red(203), Red(255)}},
        {9, {Grey(56), Grey(113), Grey(169), Grey(226), Red(28), Red(84), Red(141), Red(198), Red(255)}},
        {1, {Red(255)}},
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
        EXPECT_EQ(s.GetPixel(6, 0), Packed(0x00FF00));
        EXPECT_EQ(s.GetPixel(6, h + 1), Packed(0x00FF00));
    }
}

TEST_F(RoundGradientTest, OutlineKeepsThePenAndCornersStayOutside) {
    CQorGDI shape, plain;
    ASSERT_TRUE(MakeSection(shape, 16, 12, 16, 0x0000FF));
    ASSERT_TRUE(MakeSection(plain, 16, 12, 16, 0x0000FF));
    RECT rc{1, 1, 15, 11};
    EXPECT_TRUE(shape.GradientRoundRect(&rc, 0x00FF00, 6, 6, 0x203040, 0xF0E0D0));
    ASSERT_TRUE(plain.GradientFillRect(&rc, 0x203040, 0xF0E0D0, FALSE));
    for (POINT p : {POINT{1, 1}, POINT{14, 10}, POINT{0, 0}}) EXPECT_EQ(shape.GetPixel(p.x, p.y), Packed(0x0000FF));
    for (POINT p : {POINT{8, 1}, POINT{8, 10}, POINT{1, 6}, POINT{14, 6}})
        EXPECT_EQ(shape.GetPixel(p.x, p.y), Packed(0x00FF00)) << "outline on the inner edge at " << p.x << "," << p.y;
    for (int y = 2; y < 10; ++y)
        for (int x = 3; x < 13; ++x)
            EXPECT_EQ(shape.GetPixel(x, y), plain.GetPixel(x, y)) << "the inside is the vertical gradient " << x << "," << y;
}

TEST_F(RoundGradientTest, MarkerColouredPixelsOutsideTheShapeAreRecolouredToo) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 12, 8, 16, 0x0000FF));
    s.SetPixel(0, 0, 0xF808F8);
    s.SetPixel(11, 0, 0xF808F8);
    RECT rc{0, 0, 10, 8};
    EXPECT_TRUE(s.GradientRoundRect(&rc, 0x00FF00, 6, 6, 0x000000, 0xFFFFFF));
    EXPECT_EQ(s.GetPixel(0, 0), Grey(31)) << "inside rc: taken for part of the shape (top line of 8: t = 31)";
    EXPECT_EQ(s.GetPixel(11, 0), 0xF808F8u) << "outside rc: left as it was";
}

}  // namespace
