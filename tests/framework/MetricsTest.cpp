// Usable height and design scaling on the supported screens.
#include "framework/Metrics.h"

#include <gtest/gtest.h>

#include "platform/Device.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

class MetricsTest : public PlatformTest {};

TEST_F(MetricsTest, ScaleToScreenUsesTheWidthInPortraitAndTheHeightOtherwise) {
    EXPECT_EQ(ScaleToScreen(18), 18);
    platform::SelectDeviceProfile(176, 220);
    EXPECT_EQ(ScaleToScreen(18), 13);
    platform::SelectDeviceProfile(320, 240);
    EXPECT_EQ(ScaleToScreen(18), 13);
    platform::SelectDeviceProfile(240, 240);
    EXPECT_EQ(ScaleToScreen(18), 13) << "square screens count as landscape";
    platform::SelectDeviceProfile(480, 640);
    EXPECT_EQ(ScaleToScreen(18), 36);
}

TEST_F(MetricsTest, UsableHeightOfAFullScreenWindowIsItsClientHeight) {
    RecordingWindow w;
    EXPECT_EQ(GetUsableHeight(w.hwnd()), 268);
    RECT client;
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.bottom, 268);

    platform::SelectDeviceProfile(176, 220);
    RecordingWindow small;
    EXPECT_EQ(GetUsableHeight(small.hwnd()), 180);
    EXPECT_EQ(GetUsableHeight(nullptr), 220) << "without a window the whole screen";
}

}  // namespace
