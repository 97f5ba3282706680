// Device profiles behind the metrics, and the string table behind LoadStringW.
#include <gtest/gtest.h>

#include "platform/Device.h"
#include "platform/Resources.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

using DeviceTest = PlatformTest;

TEST_F(DeviceTest, ScreenOptionsSelectKnownProfilesOnly) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240) << "the default phone";
    EXPECT_TRUE(GetSystemMetrics(SM_CYICON) == 32 && GetSystemMetrics(42) == 0);
    auto small = platform::ParseScreenOption("176x220"), large = platform::ParseScreenOption("480X640");
    ASSERT_TRUE(small && large);
    EXPECT_TRUE(small->bar == 20 && large->icon == 64);
    for (const char* bad : {"", "240", "240x", "x320", "241x320", "240x320x16", "-240x320", "240 x 320"})
        EXPECT_FALSE(platform::ParseScreenOption(bad)) << bad;
    ASSERT_TRUE(platform::SelectDeviceProfile(640, 480));
    EXPECT_EQ(GetSystemMetrics(SM_CYICON), 64);
    EXPECT_FALSE(platform::SelectDeviceProfile(100, 100));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640) << "an unknown screen changes nothing";
}

TEST_F(DeviceTest, StringsLoadExactlyAndTruncateToTheBuffer) {
    HINSTANCE inst = platform::RegisterModule(TintaroResources());
    wchar_t buf[64];
    EXPECT_EQ(LoadStringW(inst, 150, buf, 64), 35);
    EXPECT_STREQ(buf, L"Would you like to start a new Game?");
    EXPECT_EQ(LoadStringW(inst, 40, buf, 5), 4) << "size - 1 characters and the terminator";
    EXPECT_STREQ(buf, L"Resu");
    EXPECT_EQ(LoadStringW(inst, 7, buf, 64), 0) << "absent id";
    EXPECT_STREQ(buf, L"");
    EXPECT_EQ(LoadStringW(nullptr, 40, buf, 64), 0);
    EXPECT_EQ(LoadStringW(inst, 40, buf, 0), 0);
}

}  // namespace
