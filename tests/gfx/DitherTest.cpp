// The 5-6-5 dither: quantising, where the error goes, the untouched edges and saturation.
#include <gtest/gtest.h>

#include "gfx/QorGDI.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

using DitherTest = PlatformTest;

TEST_F(DitherTest, WhiteIsQuantisedAndSpreadsItsError) {
    // A 4 × 4 surface: (2, 1) is quantised in the last row the walk visits, so the line above it
    // (the top line, never quantised) and the last column keep the error they receive.
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 4, 4, 24, 0x000000));
    s.SetPixel(2, 1, 0xFFFFFF);
    EXPECT_TRUE(s.Dither565());
    // Errors 7, 3, 7: right (e × 7) >> 4, above left (e × 3) >> 4, above (e × 5) >> 4, above right e >> 4.
    const COLORREF want[4][4] = {{0, RGB(1, 0, 1), RGB(2, 0, 2), 0}, {0, 0, RGB(0xF8, 0xFC, 0xF8), RGB(3, 1, 3)}};
    EXPECT_EQ(Mismatches(s, [&](int x, int y) { return want[y][x]; }), "");
}

TEST_F(DitherTest, NoSpreadWhenAChannelHasNoErrorAndErrorSaturatesAtWhite) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 3, 3, 24, 0x000000));
    s.SetPixel(1, 1, RGB(0x11, 0x20, 0x37));
    EXPECT_TRUE(s.Dither565());
    EXPECT_EQ(Mismatches(s, [](int x, int y) { return x == 1 && y == 1 ? RGB(0x10, 0x20, 0x30) : 0; }), "");
    s.SetPixel(1, 1, 0xFFFFFF);
    s.SetPixel(2, 1, RGB(0xFE, 0xFE, 0xFE));
    EXPECT_TRUE(s.Dither565());
    EXPECT_EQ(s.GetPixel(2, 1), 0xFFFFFFu) << "254 + 3 stays 255 instead of wrapping to 1";
}

// Two lines high, nothing changes; the bottom line is never touched, the inside is quantised, and
// the edges only ever grow by the error they receive.
TEST_F(DitherTest, EdgesAreNotQuantisedAndTheBottomLineIsNotTouched) {
    CQorGDI flat, s;
    ASSERT_TRUE(MakeSection(flat, 5, 2, 24, 0x0F0F0F) && MakeSection(s, 5, 5, 24, RGB(0x0D, 0x0E, 0x0F)));
    EXPECT_TRUE(flat.Dither565() && s.Dither565());
    EXPECT_EQ(Pixels(flat), std::vector<COLORREF>(10, 0x0F0F0F));
    for (int x = 0; x < 5; ++x) EXPECT_EQ(s.GetPixel(x, 4), RGB(0x0D, 0x0E, 0x0F)) << "bottom line " << x;
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x) EXPECT_EQ(s.GetPixel(x, y) & 0x030307, 0u) << "quantised " << x << "," << y;
    for (int y = 0; y < 4; ++y)
        for (int x : {0, 4}) EXPECT_GE(GetRValue(s.GetPixel(x, y)), 0x0D) << x << "," << y;
    EXPECT_GT(GetRValue(s.GetPixel(4, 2)), 0x0D) << "the last column received error";
}

}  // namespace
