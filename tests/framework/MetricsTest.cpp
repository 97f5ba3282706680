// Usable height and design scaling on the supported screens.
#include "framework/Metrics.h"

#include <gtest/gtest.h>

#include "platform/Device.h"
#include "tests/support/PlatformFixture.h"

namespace {

using MetricsTest = PlatformTest;

// A square screen counts as landscape; without a window the whole screen is usable.
TEST_F(MetricsTest, ScaleToScreenUsesTheWidthInPortraitAndTheHeightOtherwiseAndUsableHeightIsTheClients) {
    RecordingWindow w;
    EXPECT_TRUE(ScaleToScreen(18) == 18 && GetUsableHeight(w.hwnd()) == 268 && GetUsableHeight(nullptr) == 320);
    for (auto [width, height, scaled] : {std::tuple{176, 220, 13}, {320, 240, 13}, {240, 240, 13}, {480, 640, 36}}) {
        platform::SelectDeviceProfile(width, height);
        EXPECT_EQ(ScaleToScreen(18), scaled) << width << "x" << height;
    }
}

}  // namespace
