// The default zoom: the largest whole one at which the phone's screen fits the desktop.
#include <gtest/gtest.h>

#include "platform/sdl/SdlBackend.h"

namespace {

TEST(WindowZoomTest, TheScarcerSideDecidesAnExactFitCountsAndNeverBelowOne) {
    const struct {
        int width, height, desktopWidth, desktopHeight, zoom;
    } cases[] = {
        {240, 320, 1024, 720, 2}, {240, 320, 1920, 1032, 3}, {320, 240, 1280, 1000, 4},  // 4 across, 4 down
        {240, 320, 720, 960, 3},  {240, 320, 720, 959, 2},   {240, 320, 719, 960, 2},
        {480, 640, 400, 300, 1},  {240, 320, 0, 0, 1},       {240, 320, -5, 900, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::sdl::LargestZoomThatFits(c.width, c.height, c.desktopWidth, c.desktopHeight), c.zoom)
            << c.width << "x" << c.height << " on " << c.desktopWidth << "x" << c.desktopHeight;
}

}  // namespace
