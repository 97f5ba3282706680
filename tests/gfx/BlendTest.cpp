// The colour wash: its worked values, the key colour, alpha limits, clipping, and the DC form.
#include <gtest/gtest.h>

#include "gfx/Blend.h"
#include "platform/PixelBuffer.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

class BlendTest : public PlatformTest {};

TEST_F(BlendTest, WhiteAtHalfOverBlackIsTheWorkedGrey) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 3, 2, 16, 0x000000));
    RECT rc{0, 0, 3, 2};
    EXPECT_TRUE(AlphaFillBits(s.m_pBits, s.m_bm, &rc, 0xFFFFFF, 127));
    // (255 × 127) >> 8 = 126 in every channel.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Word(s, x, y), 0x7BEF) << x << "," << y;
}

TEST_F(BlendTest, KeyColouredPixelsAreLeftAlone) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 3, 1, 16, 0x000000));
    SetWord(s, 1, 0, 0xF81F);
    RECT rc{0, 0, 3, 1};
    EXPECT_TRUE(AlphaFillBits(s.m_pBits, s.m_bm, &rc, 0xFFFFFF, 127));
    EXPECT_EQ(Word(s, 0, 0), 0x7BEF);
    EXPECT_EQ(Word(s, 1, 0), 0xF81F);
    EXPECT_EQ(Word(s, 2, 0), 0x7BEF);
}

TEST_F(BlendTest, FullAlphaWhiteAndZeroAlphaStillDarkens) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 2, 1, 16, 0x000000));
    SetWord(s, 1, 0, 0x1234);
    RECT rc{0, 0, 2, 1};
    AlphaFillBits(s.m_pBits, s.m_bm, &rc, 0xFFFFFF, 255);
    EXPECT_EQ(Word(s, 0, 0), 0xFFFF) << "254 in every channel";
    EXPECT_EQ(Word(s, 1, 0), 0xFFFF) << "whatever the pixel was";

    SetWord(s, 0, 0, 0xFFFF);
    RECT first{0, 0, 1, 1};
    AlphaFillBits(s.m_pBits, s.m_bm, &first, 0x000000, 0);
    EXPECT_EQ(Word(s, 0, 0), 0xF7DE) << "248, 252, 248 become 247, 251, 247";
}

TEST_F(BlendTest, NegativeAlphaCountsAsFull) {
    CQorGDI full, negative;
    ASSERT_TRUE(MakeSection(full, 4, 1, 16, 0x336699));
    ASSERT_TRUE(MakeSection(negative, 4, 1, 16, 0x336699));
    RECT rc{0, 0, 4, 1};
    AlphaFillBits(full.m_pBits, full.m_bm, &rc, 0x20C040, 255);
    AlphaFillBits(negative.m_pBits, negative.m_bm, &rc, 0x20C040, -1);
    EXPECT_EQ(Pixels(negative), Pixels(full));
    EXPECT_EQ(full.GetPixel(0, 0), Packed(RGB((0x40 * 255) >> 8, (0xC0 * 255) >> 8, (0x20 * 255) >> 8)));
}

TEST_F(BlendTest, OnlyTheRectangleIsBlended) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 5, 4, 16, 0x000000));
    RECT rc{1, 2, 4, 3};
    AlphaFillBits(s.m_pBits, s.m_bm, &rc, 0xFFFFFF, 127);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool inside = x >= 1 && x < 4 && y == 2;
            EXPECT_EQ(Word(s, x, y), inside ? 0x7BEF : 0) << x << "," << y;
        }
}

TEST_F(BlendTest, RectanglesReachingOutsideAreClipped) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 4, 3, 16, 0x000000));
    RECT rc{-5, -5, 9, 8};
    EXPECT_TRUE(AlphaFillBits(s.m_pBits, s.m_bm, &rc, 0xFFFFFF, 127));
    for (COLORREF c : Pixels(s)) EXPECT_EQ(c, Packed(0x7E7E7E));
}

TEST_F(BlendTest, RefusesWhatIsNotASixteenBitSection) {
    CQorGDI s24;
    ASSERT_TRUE(MakeSection(s24, 3, 2, 24, 0x123456));
    RECT rc{0, 0, 3, 2};
    EXPECT_FALSE(AlphaFillBits(s24.m_pBits, s24.m_bm, &rc, 0xFFFFFF, 127));
    EXPECT_FALSE(s24.AlphaFillRect(&rc, 0xFFFFFF, 127));
    for (COLORREF c : Pixels(s24)) EXPECT_EQ(c, 0x123456u);
    CQorGDI s16;
    ASSERT_TRUE(MakeSection(s16, 3, 2, 16));
    EXPECT_FALSE(AlphaFillBits(nullptr, s16.m_bm, &rc, 0xFFFFFF, 127));
    CQorGDI empty;
    EXPECT_FALSE(empty.AlphaFillRect(&rc, 0xFFFFFF, 127));
}

TEST_F(BlendTest, InvertedOrEmptyRectanglesDrawNothing) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 3, 3, 16, 0x000000));
    RECT inverted{2, 2, 1, 1}, flat{0, 1, 3, 1};
    EXPECT_TRUE(AlphaFillBits(s.m_pBits, s.m_bm, &inverted, 0xFFFFFF, 127));
    EXPECT_TRUE(AlphaFillBits(s.m_pBits, s.m_bm, &flat, 0xFFFFFF, 127));
    for (COLORREF c : Pixels(s)) EXPECT_EQ(c, 0u);
}

TEST_F(BlendTest, SurfaceFormTurnsADeviceBitmapIntoASection) {
    CQorGDI ref, s;
    ASSERT_TRUE(MakeSection(ref, 1, 1, 16));
    ASSERT_TRUE(s.CreateSized(ref.m_hDC, 3, 2, FALSE, FALSE, FALSE, 16));
    ASSERT_EQ(s.m_pBits, nullptr);
    RECT rc{0, 0, 3, 2};
    EXPECT_TRUE(s.AlphaFillRect(&rc, 0xFFFFFF, 127));
    ASSERT_NE(s.m_pBits, nullptr);
    EXPECT_EQ(Word(s, 2, 1), 0x7BEF);
}

TEST_F(BlendTest, DCFormBlendsOnlyItsRectangleAndLimitsAlpha) {
    CQorGDI full, over, wrapped;
    for (CQorGDI* s : {&full, &over, &wrapped}) ASSERT_TRUE(MakeSection(*s, 6, 5, 16, 0x3060C0));
    RECT rc{1, 1, 4, 3};
    EXPECT_TRUE(AlphaFillRectDC(full.m_hDC, &rc, 0xFFFFFF, 255));
    EXPECT_TRUE(AlphaFillRectDC(over.m_hDC, &rc, 0xFFFFFF, 300));
    EXPECT_TRUE(AlphaFillRectDC(wrapped.m_hDC, &rc, 0xFFFFFF, 300 & 0xFF));
    EXPECT_EQ(Pixels(over), Pixels(full)) << "300 is taken as 255";
    EXPECT_NE(Pixels(over), Pixels(wrapped));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
            EXPECT_EQ(full.GetPixel(x, y), inside ? Packed(0xFEFEFE) : Packed(0x3060C0)) << x << "," << y;
        }
}

TEST_F(BlendTest, DCFormWorksOnATwentyFourBitDC) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 4, 4, 24, 0x000000));
    RECT rc{2, 0, 4, 4};
    EXPECT_TRUE(AlphaFillRectDC(s.m_hDC, &rc, 0xFFFFFF, 127));
    // 126 through a 5-6-5 temporary: 120 in red and blue, 124 in green, widened on the way back.
    EXPECT_EQ(s.GetPixel(3, 3), RGB(120 | 120 >> 5, 124 | 124 >> 6, 120 | 120 >> 5));
    EXPECT_EQ(s.GetPixel(1, 3), 0u);
}

TEST_F(BlendTest, DCFormLeavesTheDCAloneWhenItCannotMakeItsTemporary) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 4, 4, 16, 0x000000));
    RECT rc{0, 0, 4, 4}, empty{1, 1, 1, 3};
    platform::FailNextPixelBuffers(1, 1);  // the temporary's section
    EXPECT_FALSE(AlphaFillRectDC(s.m_hDC, &rc, 0xFFFFFF, 127));
    EXPECT_FALSE(AlphaFillRectDC(s.m_hDC, &empty, 0xFFFFFF, 127));
    EXPECT_FALSE(AlphaFillRectDC(nullptr, &rc, 0xFFFFFF, 127));
    for (COLORREF c : Pixels(s)) EXPECT_EQ(c, 0u);
}

}  // namespace
