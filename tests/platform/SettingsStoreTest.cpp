// The settings store: keys as folders, values as files, atomic writes, registry read rules.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Registry.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Qor\\Tintaro";

class SettingsStoreTest : public PlatformTest {
protected:
    LONG Write(LPCWSTR name, const std::vector<uint8_t>& bytes, LPCWSTR key = kKey) {
        HKEY h = nullptr;
        LONG r = RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, 0, nullptr, &h, nullptr);
        if (r != ERROR_SUCCESS) return r;
        r = RegSetValueExW(h, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
        RegCloseKey(h);
        return r;
    }

    // Reads with a buffer of `capacity` bytes; returns the result and fills *out with what was stored.
    LONG Read(LPCWSTR name, DWORD capacity, std::vector<uint8_t>* out, DWORD* reported = nullptr) {
        HKEY h = nullptr;
        LONG r = RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, 0, &h);
        if (r != ERROR_SUCCESS) return r;
        std::vector<uint8_t> buffer(capacity, 0xEE);
        DWORD size = capacity;
        r = RegQueryValueExW(h, name, nullptr, nullptr, buffer.data(), &size);
        RegCloseKey(h);
        if (reported) *reported = size;
        if (r == ERROR_SUCCESS) out->assign(buffer.begin(), buffer.begin() + size);
        return r;
    }
};

TEST_F(SettingsStoreTest, ValuesRoundTripAsFilesShortOnesReportTheirSizeAndLongOnesFail) {
    std::vector<uint8_t> state(108), back;
    for (size_t i = 0; i < state.size(); ++i) state[i] = static_cast<uint8_t>(i * 7);
    ASSERT_EQ(Write(L"GameState", state), ERROR_SUCCESS);
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")), state) << "the file holds the raw bytes";
    ASSERT_EQ(Read(L"GameState", 108, &back), ERROR_SUCCESS);
    EXPECT_EQ(back, state);
    struct stat st{};
    ASSERT_EQ(stat((ConfigRoot() + "/Qor/Tintaro").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "the settings folder is private";

    DWORD reported = 0;
    WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(107, 1));
    ASSERT_EQ(Read(L"GameState", 108, &back, &reported), ERROR_SUCCESS);
    EXPECT_EQ(reported, 107u);
    WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(109, 1));
    back.clear();
    EXPECT_EQ(Read(L"GameState", 108, &back, &reported), ERROR_MORE_DATA);
    EXPECT_EQ(reported, 109u);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(Read(L"Missing", 4, &back), ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsStoreTest, OpeningNeverCreatesWhileCreatingMakesTheWholePath) {
    HKEY h = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, 0, &h), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(FileExists(ConfigRoot()));
    for (DWORD expected : {REG_CREATED_NEW_KEY, REG_OPENED_EXISTING_KEY}) {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, 0, nullptr, &h, &disposition), ERROR_SUCCESS);
        EXPECT_EQ(disposition, expected);
        EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    }
    EXPECT_TRUE(std::filesystem::is_directory(ConfigRoot() + "/Qor/Tintaro"));
    EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE) << "a closed key is dead";
}

TEST_F(SettingsStoreTest, AKillBetweenTheTemporaryFileAndTheRenameKeepsTheOldValue) {
    ASSERT_EQ(Write(L"GameState", std::vector<uint8_t>(108, 0xAA)), ERROR_SUCCESS);

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::SetStoreWriteHook([](platform::StoreWriteStage, const std::string&) { raise(SIGKILL); });
        Write(L"GameState", std::vector<uint8_t>(108, 0xBB));
        _exit(0);  // not reached: the hook kills the process mid-write
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    std::vector<uint8_t> back;
    ASSERT_EQ(Read(L"GameState", 108, &back), ERROR_SUCCESS);
    EXPECT_EQ(back, std::vector<uint8_t>(108, 0xAA));

    // The next orderly write replaces the leftover temporary file and lands.
    ASSERT_EQ(Write(L"GameState", std::vector<uint8_t>(108, 0xCC)), ERROR_SUCCESS);
    ASSERT_EQ(Read(L"GameState", 108, &back), ERROR_SUCCESS);
    EXPECT_EQ(back, std::vector<uint8_t>(108, 0xCC));
    EXPECT_FALSE(FileExists(GameValuePath("GameState.tmp")));
}

TEST_F(SettingsStoreTest, AWriteIntoAReadOnlyFolderFailsCleanly) {
    ASSERT_EQ(Write(L"GameState", std::vector<uint8_t>(108, 0x11)), ERROR_SUCCESS);
    std::string folder = ConfigRoot() + "/Qor/Tintaro";
    // Read-only for whoever writes: root ignores permission bits, so it writes as nobody.
    for (const std::string& dir : {TempDir(), ConfigRoot(), ConfigRoot() + "/Qor"}) chmod(dir.c_str(), 0755);
    chmod(folder.c_str(), 0555);

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        HKEY h = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, 0, &h) != ERROR_SUCCESS) _exit(4);
        uint8_t bytes[108] = {0x22};
        LONG r = RegSetValueExW(h, L"GameState", 0, REG_BINARY, bytes, sizeof bytes);
        _exit(r == ERROR_ACCESS_DENIED ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the failed write must not crash";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    chmod(folder.c_str(), 0700);

    std::vector<uint8_t> back;
    ASSERT_EQ(Read(L"GameState", 108, &back), ERROR_SUCCESS);
    EXPECT_EQ(back, std::vector<uint8_t>(108, 0x11));
}

TEST_F(SettingsStoreTest, NamesThatWouldLeaveTheFolderAreRefused) {
    HKEY h = nullptr;
    EXPECT_NE(RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\..\\..\\escape", 0, nullptr, 0, 0, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    EXPECT_NE(RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\a/b", 0, nullptr, 0, 0, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    EXPECT_NE(RegCreateKeyExW(HKEY_CURRENT_USER, L"SYSTEM\\Qor", 0, nullptr, 0, 0, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    EXPECT_NE(Write(L"../GameState", {1}), ERROR_SUCCESS);
    EXPECT_NE(Write(L"GameState.tmp", {1}), ERROR_SUCCESS) << "temporary files are not values";
    EXPECT_FALSE(FileExists(TempDir() + "/escape"));
    EXPECT_FALSE(FileExists(ConfigRoot() + "/Qor/GameState"));
}

TEST_F(SettingsStoreTest, TheDefaultRootFollowsXdgConfigHome) {
    platform::SetSettingsRoot("");
    setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(platform::SettingsRoot(), "/somewhere/config");
    setenv("XDG_CONFIG_HOME", "relative/config", 1);  // ignored: XDG wants an absolute path
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(platform::SettingsRoot(), "/home/player/.config");
}

}  // namespace
