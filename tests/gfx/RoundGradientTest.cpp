// Gradient and two-band rounded rectangles: the band rows, the outline, the corners, the marker
// quirk, clipping and the surfaces they refuse.
#include <gtest/gtest.h>

#include "gfx/RoundGradient.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

class RoundGradientTest : public PlatformTest {
protected:
    static COLORREF Grey(int t) { return Packed(RGB((255 * t) >> 8, (255 * t) >> 8, (255 * t) >> 8)); }
    static COLORREF Red(int t) { return Packed(RGB((255 * t) >> 8, 0, 0)); }

    // The middle column of a two-band shape h lines high with no outline: grey above the middle
    // line, red from it down.
    static std::vector<COLORREF> GlossColumn(int h) {
        CQorGDI s;
        EXPECT_TRUE(MakeSection(s, 12, h, 16, 0x00FF00));
        RECT rc{0, 0, 12, h};
        EXPECT_TRUE(GlossRoundRectBits(s.m_pBits, s.m_bm, s.m_hDC, &rc, NO_COLOR, 4, 4, 0x000000, 0xFFFFFF,
                                       0x000000, 0x0000FF));
        std::vector<COLORREF> column;
        for (int y = 0; y < h; ++y) column.push_back(s.GetPixel(6, y));
        return column;
    }
};

TEST_F(RoundGradientTest, TwoBandRowsOfHeightTen) {
    EXPECT_EQ(GlossColumn(10), (std::vector<COLORREF>{Grey(51), Grey(101), Grey(153), Grey(203), Red(0), Red(51),
                                                      Red(101), Red(153), Red(203), Red(255)}));
}

TEST_F(RoundGradientTest, TwoBandRowsOfHeightNine) {
    EXPECT_EQ(GlossColumn(9), (std::vector<COLORREF>{Grey(56), Grey(113), Grey(169), Grey(226), Red(28), Red(84),
                                                     Red(141), Red(198), Red(255)}));
}

TEST_F(RoundGradientTest, TwoBandHeightOneIsTheLastColour) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 12, 3, 16, 0x00FF00));
    RECT rc{0, 1, 12, 2};
    EXPECT_TRUE(GlossRoundRectBits(s.m_pBits, s.m_bm, s.m_hDC, &rc, NO_COLOR, 0, 0, 0x000000, 0xFFFFFF, 0x000000,
                                   0x0000FF));
    EXPECT_EQ(s.GetPixel(6, 1), Red(255));
    EXPECT_EQ(s.GetPixel(6, 0), Packed(0x00FF00));
    EXPECT_EQ(s.GetPixel(6, 2), Packed(0x00FF00));
}

TEST_F(RoundGradientTest, OutlineKeepsThePenAndCornersStayOutside) {
    CQorGDI shape, plain;
    ASSERT_TRUE(MakeSection(shape, 16, 12, 16, 0x0000FF));
    ASSERT_TRUE(MakeSection(plain, 16, 12, 16, 0x0000FF));
    RECT rc{1, 1, 15, 11};
    EXPECT_TRUE(shape.GradientRoundRect(&rc, 0x00FF00, 6, 6, 0x203040, 0xF0E0D0));
    ASSERT_TRUE(plain.GradientFillRect(&rc, 0x203040, 0xF0E0D0, FALSE));
    EXPECT_EQ(shape.GetPixel(1, 1), Packed(0x0000FF)) << "the corner is outside the shape";
    EXPECT_EQ(shape.GetPixel(14, 10), Packed(0x0000FF));
    EXPECT_EQ(shape.GetPixel(8, 1), Packed(0x00FF00)) << "outline on the inner edge";
    EXPECT_EQ(shape.GetPixel(8, 10), Packed(0x00FF00));
    EXPECT_EQ(shape.GetPixel(1, 6), Packed(0x00FF00));
    EXPECT_EQ(shape.GetPixel(14, 6), Packed(0x00FF00));
    for (int y = 2; y < 10; ++y)
        for (int x = 3; x < 13; ++x)
            EXPECT_EQ(shape.GetPixel(x, y), plain.GetPixel(x, y)) << "the inside is the vertical gradient " << x << ","
                                                                  << y;
    EXPECT_EQ(shape.GetPixel(0, 0), Packed(0x0000FF)) << "outside the rectangle";
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

TEST_F(RoundGradientTest, ClippedShapesMatchTheSameShapeOnALargerSurface) {
    const int W = 10, H = 8;
    RECT rc{-3, -4, W + 2, H + 1};
    CQorGDI small, large;
    ASSERT_TRUE(MakeSection(small, W, H, 16, 0x0000FF));
    ASSERT_TRUE(MakeSection(large, W + 20, H + 20, 16, 0x0000FF));
    RECT moved{rc.left + 10, rc.top + 10, rc.right + 10, rc.bottom + 10};
    EXPECT_TRUE(small.GlossRoundRect(&rc, 0x00FF00, 8, 8, 0x101010, 0x808080, 0x404040, 0xF0F0F0));
    EXPECT_TRUE(large.GlossRoundRect(&moved, 0x00FF00, 8, 8, 0x101010, 0x808080, 0x404040, 0xF0F0F0));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) EXPECT_EQ(small.GetPixel(x, y), large.GetPixel(x + 10, y + 10)) << x << "," << y;
}

TEST_F(RoundGradientTest, RefusesWhatIsNotASixteenBitSection) {
    CQorGDI s24, s16;
    ASSERT_TRUE(MakeSection(s24, 8, 8, 24, 0x123456));
    ASSERT_TRUE(MakeSection(s16, 8, 8, 16));
    RECT rc{0, 0, 8, 8};
    EXPECT_FALSE(s24.GradientRoundRect(&rc, 0, 4, 4, 0, 0xFFFFFF));
    EXPECT_FALSE(s24.GlossRoundRect(&rc, 0, 4, 4, 0, 0, 0, 0xFFFFFF));
    for (COLORREF c : Pixels(s24)) EXPECT_EQ(c, 0x123456u) << "not even the marker shape";
    EXPECT_FALSE(GradientRoundRectBits(nullptr, s16.m_bm, s16.m_hDC, &rc, 0, 4, 4, 0, 0xFFFFFF));
    EXPECT_FALSE(GlossRoundRectBits(s16.m_pBits, s16.m_bm, nullptr, &rc, 0, 4, 4, 0, 0, 0, 0xFFFFFF));
    RECT inverted{6, 0, 2, 8};
    EXPECT_FALSE(s16.GradientRoundRect(&inverted, 0, 4, 4, 0, 0xFFFFFF));
}

TEST_F(RoundGradientTest, SurfaceFormConvertsADeviceBitmap) {
    CQorGDI ref, s;
    ASSERT_TRUE(MakeSection(ref, 1, 1, 16));
    ASSERT_TRUE(s.CreateSized(ref.m_hDC, 10, 6, FALSE, FALSE, FALSE, 16));
    RECT rc{0, 0, 10, 6};
    EXPECT_TRUE(s.GlossRoundRect(&rc, 0x00FF00, 4, 4, 0, 0, 0, 0xFFFFFF));
    ASSERT_NE(s.m_pBits, nullptr);
    EXPECT_EQ(s.GetPixel(5, 0), Packed(0x00FF00));
    EXPECT_EQ(s.GetPixel(5, 4), Grey(169)) << "line k = 1 of 6, lower band: trunc((5/6 - 1/2) × 510)";
}

}  // namespace
