// The colour wash: its worked values, the key colour, the alpha limits and the DC form.
#include <gtest/gtest.h>

#include "gfx/Blend.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

using BlendTest = PlatformTest;

TEST_F(BlendTest, WorkedValues) {
    const struct { uint16_t under; COLORREF colour; int alpha; uint16_t want; const char* why; } cases[] = {
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
    EXPECT_EQ(Mismatches(s, [&](int x, int y) { return x == 2 && y == 2 ? KEY_COLOR : Inside(rc, x, y) ? 0x787C78 : 0; }), "");
}

// 300 is taken as 255 (not wrapped to 44); at 24 bits the wash goes through a 5-6-5 temporary: 126
// becomes 120 in red and blue, 124 in green, widened on the way back.
TEST_F(BlendTest, DCFormBlendsOnlyItsRectangleLimitsAlphaAndWorksAtTwentyFourBits) {
    CQorGDI over, s24;
    ASSERT_TRUE(MakeSection(over, 6, 5, 16, 0x3060C0) && MakeSection(s24, 4, 4, 24, 0x000000));
    RECT rc{1, 1, 4, 3}, right{2, 0, 4, 4};
    EXPECT_TRUE(AlphaFillRectDC(over.m_hDC, &rc, 0xFFFFFF, 300));
    EXPECT_EQ(Mismatches(over, [&](int x, int y) { return Packed(Inside(rc, x, y) ? 0xFEFEFE : 0x3060C0); }), "");
    EXPECT_TRUE(AlphaFillRectDC(s24.m_hDC, &right, 0xFFFFFF, 127));
    EXPECT_EQ(Mismatches(s24, [&](int x, int y) { return Inside(right, x, y) ? RGB(123, 125, 123) : 0; }), "");
}

}  // namespace
