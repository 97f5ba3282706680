// Block transfers, fills and pixels at the far ends of the coordinate range.
#include <gtest/gtest.h>

#include <climits>

#include "platform/Gdi.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

using BlitTest = PlatformTest;
const Legend kLegend{{0, '.'}, {0xF8FCF8, '#'}};

// Source and destination share their coordinates, so whatever lands comes from the same place.
TEST_F(BlitTest, ExtremeCoordinatesCopyExactlyTheVisiblePart) {
    const struct { int x, y, width, height; const char* picture; } cases[] = {
        {INT_MIN, 0, 10, 1, "....\n....\n"},
        {INT_MIN + 3, 0, INT_MAX, 1, "##..\n....\n"},
        {0, INT_MIN + 2, 3, INT_MAX, "###.\n....\n"},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, "....\n....\n"},
        {-1, -1, INT_MAX, INT_MAX, "####\n####\n"},
    };
    for (const auto& c : cases) {
        HDC src = SectionDC(4, 2, 16, 0xF8FCF8), dst = SectionDC(4, 2, 16, 0);
        EXPECT_TRUE(BitBlt(dst, c.x, c.y, c.width, c.height, src, c.x, c.y, SRCCOPY));
        EXPECT_EQ(Picture(dst, 4, 2, kLegend), c.picture) << c.x << ", " << c.y << ", " << c.width << " x " << c.height;
    }
}

// A child's DC sits at an offset on its window's surface: the far ends plus that offset.
TEST_F(BlitTest, FillsAndPixelsOfAnOffsetDCReachTheFarEnds) {
    RecordingWindow main(true);
    RecordingWindow child(WS_CHILD | WS_VISIBLE, main.hwnd(), RECT{10, 10, 14, 12});
    HDC dc = GetDC(child.hwnd());
    const RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
    EXPECT_EQ(Picture(dc, 4, 2, kLegend), "####\n####\n");
    EXPECT_EQ(GetPixel(dc, INT_MAX, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, INT_MAX - 5, INT_MAX - 5, 0), CLR_INVALID);
    ReleaseDC(child.hwnd(), dc);
}

}  // namespace
