// The default zoom: the largest whole one at which the phone's screen fits the desktop.
#include <gtest/gtest.h>

#include "platform/sdl/SdlBackend.h"

namespace {

using platform::sdl::LargestZoomThatFits;

TEST(WindowZoomTest, TheScarcerSideDecides) {
    EXPECT_EQ(LargestZoomThatFits(240, 320, 1024, 720), 2);   // 4 across, 2 down
    EXPECT_EQ(LargestZoomThatFits(240, 320, 1920, 1032), 3);  // 8 across, 3 down
    EXPECT_EQ(LargestZoomThatFits(320, 240, 1280, 1000), 4);  // landscape: 4 across, 4 down
    EXPECT_EQ(LargestZoomThatFits(640, 480, 1920, 1032), 2);
}

TEST(WindowZoomTest, ExactFitCountsAndOnePixelShortDoesNot) {
    EXPECT_EQ(LargestZoomThatFits(240, 320, 720, 960), 3);
    EXPECT_EQ(LargestZoomThatFits(240, 320, 720, 959), 2);
    EXPECT_EQ(LargestZoomThatFits(240, 320, 719, 960), 2);
}

TEST(WindowZoomTest, NeverBelowOne) {
    EXPECT_EQ(LargestZoomThatFits(480, 640, 400, 300), 1);
    EXPECT_EQ(LargestZoomThatFits(240, 320, 0, 0), 1);
    EXPECT_EQ(LargestZoomThatFits(240, 320, -5, 900), 1);
}

}  // namespace
