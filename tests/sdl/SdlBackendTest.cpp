// The SDL backend's own rules: the phone's key from a layout's key and the key's place, and the
// default zoom.
#include <gtest/gtest.h>

#include "platform/sdl/SdlBackend.h"
#include "platform/sdl/SdlInput.h"

namespace {

// Scancodes are USB usage numbers: 30 .. 38 the top row's 1 .. 9, 39 its 0, 29 Z, 40 Return, 45 minus.
TEST(SdlBackendTest, TheTopRowGivesItsDigitsByPlaceOnlyWhereTheLayoutGivesNoKey) {
    const struct { UINT layoutKey; int scancode; UINT expected; } cases[] = {
        {0, 30, '1'}, {0, 31, '2'}, {0, 38, '9'}, {0, 39, '0'},      // AZERTY: & é ... ç à
        {'4', 33, '4'}, {'A', 30, 'A'}, {VK_RETURN, 39, VK_RETURN},  // what the layout maps stays
        {0, 29, 0}, {0, 40, 0}, {0, 45, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::sdl::PhoneKey(c.layoutKey, c.scancode), c.expected) << c.scancode;
}

// The largest whole zoom at which the phone's screen fits the desktop.
TEST(SdlBackendTest, TheScarcerSideDecidesTheZoomAnExactFitCountsAndNeverBelowOne) {
    const struct { int width, height, desktopWidth, desktopHeight, zoom; } cases[] = {
        {240, 320, 1024, 720, 2}, {240, 320, 1920, 1032, 3}, {320, 240, 1280, 1000, 4},  // 4 across, 4 down
        {240, 320, 720, 960, 3},  {240, 320, 720, 959, 2},   {240, 320, 719, 960, 2},
        {480, 640, 400, 300, 1},  {240, 320, 0, 0, 1},       {240, 320, -5, 900, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::sdl::LargestZoomThatFits(c.width, c.height, c.desktopWidth, c.desktopHeight), c.zoom)
            << c.width << "x" << c.height << " on " << c.desktopWidth << "x" << c.desktopHeight;
}

}  // namespace
