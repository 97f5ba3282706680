// The four settings-store helpers as the game uses them.
#include "framework/Settings.h"

#include <gtest/gtest.h>

#include "tests/support/PlatformFixture.h"

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Qor\\Tintaro";

class SettingsTest : public PlatformTest {};

TEST_F(SettingsTest, DwordsAreStoredLittleEndianAndTheKeyPathIsCreated) {
    ASSERT_TRUE(RegWriteDword(kKey, L"PlaySounds", 0x01020307));
    EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), (std::vector<uint8_t>{0x07, 0x03, 0x02, 0x01}));
    DWORD v = 0;
    ASSERT_TRUE(RegReadDword(kKey, L"PlaySounds", &v));
    EXPECT_EQ(v, 0x01020307u);
}

TEST_F(SettingsTest, FailedReadsLeaveTheCallersDefault) {
    DWORD v = 1;
    EXPECT_FALSE(RegReadDword(kKey, L"PlaySounds", &v)) << "no key yet";
    EXPECT_EQ(v, 1u);
    ASSERT_TRUE(RegWriteDword(kKey, L"Other", 5));
    EXPECT_FALSE(RegReadDword(kKey, L"PlaySounds", &v)) << "no value";
    EXPECT_EQ(v, 1u);
    WriteBytes(GameValuePath("PlaySounds"), {1, 2, 3, 4, 5});
    EXPECT_FALSE(RegReadDword(kKey, L"PlaySounds", &v)) << "longer than 4 bytes";
    EXPECT_EQ(v, 1u);
}

TEST_F(SettingsTest, AShortDwordFillsOnlyTheLowBytes) {
    WriteBytes(GameValuePath("PlaySounds"), {0x07, 0x00});
    DWORD v = 0xAABBCCDD;
    ASSERT_TRUE(RegReadDword(kKey, L"PlaySounds", &v));
    EXPECT_EQ(v, 0xAABB0007u);
}

TEST_F(SettingsTest, BinaryValuesReportWhatWasStored) {
    uint8_t data[108];
    for (int i = 0; i < 108; ++i) data[i] = static_cast<uint8_t>(255 - i);
    ASSERT_TRUE(RegWriteBinary(kKey, L"GameState", data, sizeof data));
    uint8_t back[108] = {};
    DWORD size = sizeof back;
    ASSERT_TRUE(RegReadBinary(kKey, L"GameState", back, &size));
    EXPECT_EQ(size, 108u);
    EXPECT_EQ(0, memcmp(back, data, sizeof data));

    uint8_t small[100];
    size = sizeof small;
    EXPECT_FALSE(RegReadBinary(kKey, L"GameState", small, &size));
    EXPECT_EQ(size, 100u) << "a failed read leaves the size alone";
}

TEST_F(SettingsTest, AWriteThatCannotCreateTheKeyFails) {
    WriteBytes(ConfigRoot() + "/Qor", {1});  // a file where the folder should be
    EXPECT_FALSE(RegWriteDword(kKey, L"PlaySounds", 1));
}

}  // namespace
