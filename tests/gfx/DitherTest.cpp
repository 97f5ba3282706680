// The 5-6-5 dither: quantising, where the error goes, the untouched edges, saturation, and the
// surfaces it refuses.
#include <gtest/gtest.h>

#include "gfx/QorGDI.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

class DitherTest : public PlatformTest {};

TEST_F(DitherTest, TwoLinesHighChangesNothing) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 5, 2, 24, 0x0F0F0F));
    EXPECT_TRUE(s.Dither565());
    for (COLORREF c : Pixels(s)) EXPECT_EQ(c, 0x0F0F0Fu);
}

TEST_F(DitherTest, WhiteIsQuantisedAndSpreadsItsError) {
    // A 4 × 4 surface: (2, 1) is quantised in the last row the walk visits, so the line above it
    // (the top line, never quantised) and the last column keep the error they receive.
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 4, 4, 24, 0x000000));
    s.SetPixel(2, 1, 0xFFFFFF);
    EXPECT_TRUE(s.Dither565());
    EXPECT_EQ(s.GetPixel(2, 1), RGB(0xF8, 0xFC, 0xF8));
    // Errors 7, 3, 7: right (e × 7) >> 4, above left (e × 3) >> 4, above (e × 5) >> 4, above right e >> 4.
    EXPECT_EQ(s.GetPixel(3, 1), RGB(3, 1, 3));
    EXPECT_EQ(s.GetPixel(1, 0), RGB(1, 0, 1));
    EXPECT_EQ(s.GetPixel(2, 0), RGB(2, 0, 2));
    EXPECT_EQ(s.GetPixel(3, 0), 0u);
    EXPECT_EQ(s.GetPixel(0, 1), 0u);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(s.GetPixel(x, 2), 0u);
        EXPECT_EQ(s.GetPixel(x, 3), 0u);
    }
}

TEST_F(DitherTest, NoSpreadWhenAChannelHasNoError) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 3, 3, 24, 0x000000));
    s.SetPixel(1, 1, RGB(0x11, 0x20, 0x37));
    EXPECT_TRUE(s.Dither565());
    EXPECT_EQ(s.GetPixel(1, 1), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(s.GetPixel(2, 1), 0u);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(s.GetPixel(x, 0), 0u);
}

TEST_F(DitherTest, EdgesAreNotQuantisedAndTheBottomLineIsNotTouched) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 5, 5, 24, RGB(0x0D, 0x0E, 0x0F)));
    EXPECT_TRUE(s.Dither565());
    for (int x = 0; x < 5; ++x) EXPECT_EQ(s.GetPixel(x, 4), RGB(0x0D, 0x0E, 0x0F)) << "bottom line " << x;
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x) {
            const COLORREF c = s.GetPixel(x, y);
            EXPECT_EQ(c & 0x030307, 0u) << "quantised " << x << "," << y;
        }
    // The edges only ever grow by received error.
    for (int y = 0; y < 4; ++y)
        for (int x : {0, 4}) EXPECT_GE(GetRValue(s.GetPixel(x, y)), 0x0D) << x << "," << y;
    EXPECT_GT(GetRValue(s.GetPixel(4, 2)), 0x0D) << "the last column received error";
}

TEST_F(DitherTest, ErrorSaturatesAtWhite) {
    CQorGDI s;
    ASSERT_TRUE(MakeSection(s, 3, 3, 24, 0x000000));
    s.SetPixel(1, 1, 0xFFFFFF);
    s.SetPixel(2, 1, RGB(0xFE, 0xFE, 0xFE));
    EXPECT_TRUE(s.Dither565());
    EXPECT_EQ(s.GetPixel(2, 1), 0xFFFFFFu) << "254 + 3 stays 255 instead of wrapping to 1";
}

TEST_F(DitherTest, RefusesWhatIsNotATwentyFourBitSection) {
    CQorGDI empty, s16, device;
    EXPECT_FALSE(empty.Dither565());
    ASSERT_TRUE(MakeSection(s16, 4, 4, 16, 0xFFFFFF));
    EXPECT_FALSE(s16.Dither565());
    for (COLORREF c : Pixels(s16)) EXPECT_EQ(c, 0xF8FCF8u);
    CQorGDI ref;
    ASSERT_TRUE(MakeSection(ref, 1, 1, 24));
    ASSERT_TRUE(device.CreateSized(ref.m_hDC, 4, 4, FALSE, FALSE, FALSE, 24));
    EXPECT_FALSE(device.Dither565());
}

}  // namespace
