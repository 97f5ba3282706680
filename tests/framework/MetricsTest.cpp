// Usable height and design scaling on the supported screens.
#include "framework/Metrics.h"

#include <gtest/gtest.h>

#include "platform/Device.h"
#include "tests/support/PlatformFixture.h"

namespace {

using MetricsTest = PlatformTest;

TEST_F(MetricsTest, ScaleToScreenUsesTheWidthInPortraitAndTheHeightOtherwise) {
    EXPECT_EQ(ScaleToScreen(18), 18);
    for (auto [w, h, scaled] : {std::tuple{176, 220, 13}, {320, 240, 13}, {240, 240, 13}, {480, 640, 36}}) {
        platform::SelectDeviceProfile(w, h);
        EXPECT_EQ(ScaleToScreen(18), scaled) << w << "x" << h << " (a square screen counts as landscape)";
    }
}

TEST_F(MetricsTest, UsableHeightIsTheClientHeightOfAFullScreenWindow) {
    platform::SelectDeviceProfile(176, 220);
    RecordingWindow w;
    EXPECT_EQ(GetUsableHeight(w.hwnd()), 180);
    EXPECT_EQ(GetUsableHeight(nullptr), 220) << "without a window the whole screen";
}

}  // namespace
