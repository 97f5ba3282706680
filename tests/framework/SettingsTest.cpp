// The settings helpers' own rules; the store beneath them is tests/platform/SettingsStoreTest.
#include "framework/Settings.h"

#include <gtest/gtest.h>

#include "tests/support/PlatformFixture.h"

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Qor\\Tintaro";

using SettingsTest = PlatformTest;

TEST_F(SettingsTest, DwordsAreLittleEndianAndAFailedReadLeavesTheCallersValue) {
    DWORD v = 1;
    EXPECT_FALSE(RegReadDword(kKey, L"PlaySounds", &v)) << "no key yet";
    ASSERT_TRUE(RegWriteDword(kKey, L"PlaySounds", 0x01020307));
    EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), (std::vector<uint8_t>{0x07, 0x03, 0x02, 0x01}));
    EXPECT_TRUE(RegReadDword(kKey, L"PlaySounds", &v) && v == 0x01020307u);
    WriteBytes(GameValuePath("PlaySounds"), {0x07, 0x00});
    v = 0xAABBCCDD;
    EXPECT_TRUE(RegReadDword(kKey, L"PlaySounds", &v) && v == 0xAABB0007u) << "a short value fills only the low bytes";
    WriteBytes(GameValuePath("PlaySounds"), {1, 2, 3, 4, 5});
    EXPECT_FALSE(RegReadDword(kKey, L"PlaySounds", &v)) << "longer than 4 bytes";
    EXPECT_FALSE(RegReadDword(kKey, L"Missing", &v));
    EXPECT_EQ(v, 0xAABB0007u);
}

TEST_F(SettingsTest, BinaryValuesReportWhatWasStoredAndAWriteWithoutItsKeyFails) {
    uint8_t data[108], back[108] = {};
    for (int i = 0; i < 108; ++i) data[i] = static_cast<uint8_t>(255 - i);
    ASSERT_TRUE(RegWriteBinary(kKey, L"GameState", data, sizeof data));
    DWORD size = sizeof back;
    EXPECT_TRUE(RegReadBinary(kKey, L"GameState", back, &size) && size == 108u && memcmp(back, data, sizeof data) == 0);
    size = 100;
    EXPECT_FALSE(RegReadBinary(kKey, L"GameState", back, &size));
    EXPECT_EQ(size, 100u) << "a failed read leaves the size alone";
    WriteBytes(ConfigRoot() + "/Blocked", {1});  // a file where the folder should be
    EXPECT_FALSE(RegWriteDword(L"SOFTWARE\\Blocked\\Tintaro", L"PlaySounds", 1));
}

}  // namespace
