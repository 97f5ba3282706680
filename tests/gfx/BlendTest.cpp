// The colour wash: its worked values, the key colour, the alpha limits and the DC form.
#include <gtest/gtest.h>

#include "gfx/Blend.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

using BlendTest = PlatformTest;

TEST_F(BlendTest, WorkedValues) {
    const struct {
        uint16_t under;
        COLORREF colour;
        int alpha;
        uint16_t want;
        const char* why;
    } cases[] = {
        {0x0000, 0xFFFFFF, 127, 0x7BEF, "(255 × 127) >> 8 = 126 in every channel"},
        {0x1234, 0xFFFFFF, 255, 0xFFFF, "254 in every channel, whatever the pixel was"},
        {0xFFFF, 0x000000, 0, 0xF7DE, "248, 252, 248 become 247, 251, 247: alpha 0 still darkens"},
        {0x3333, 0x20C040, 255, 0x3DE3, "63, 191, 31"},
        {0x3333, 0x20C040, -1, 0x3DE3, "a negative alpha counts as full"},
    };
    for (const auto& c : cases) {
        CQorGDI s;
        ASSERT_TRUE(MakeSection(s, 1, 1, 16));
        SetWord(s, 0, 0, c.under);
        RECT rc{0, 0, 1, 1};
        EXPECT_TRUE(AlphaFillBits(s.m_pBits, s.m_bm, &rc, c.colour, c.alpha));
        EXPECT_EQ(Word(s, 0, 0), c.want) << c.why;
    }
}

TEST_F(BlendTest, OnlyTheRectangleIsBlendedAndKeyColouredPixelsAreLeftAlone) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 5, 4, 16, 0x000000));
    SetWord(s, 2, 2, 0xF81F);
    RECT rc{1, 2, 4, 3};
    AlphaFillBits(s.m_pBits, s.m_bm, &rc, 0xFFFFFF, 127);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint16_t want = x == 2 && y == 2 ? 0xF81F : x >= 1 && x < 4 && y == 2 ? 0x7BEF : 0;
            EXPECT_EQ(Word(s, x, y), want) << x << "," << y;
        }
}

TEST_F(BlendTest, DCFormBlendsOnlyItsRectangleLimitsAlphaAndWorksAtTwentyFourBits) {
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

    CQorGDI s24;
    ASSERT_TRUE(MakeSection(s24, 4, 4, 24, 0x000000));
    RECT right{2, 0, 4, 4};
    EXPECT_TRUE(AlphaFillRectDC(s24.m_hDC, &right, 0xFFFFFF, 127));
    // 126 through a 5-6-5 temporary: 120 in red and blue, 124 in green, widened on the way back.
    EXPECT_EQ(s24.GetPixel(3, 3), RGB(120 | 120 >> 5, 124 | 124 >> 6, 120 | 120 >> 5));
    EXPECT_EQ(s24.GetPixel(1, 3), 0u);
}

}  // namespace
