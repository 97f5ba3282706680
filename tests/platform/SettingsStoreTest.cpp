// The settings store: values as files replaced atomically, and files that would block, break or fool it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/Registry.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Qor\\Tintaro";

class SettingsStoreTest : public PlatformTest {
protected:
    static LONG Write(LPCWSTR name, const std::vector<uint8_t>& bytes, LPCWSTR key = kKey) {
        HKEY h = nullptr;
        LONG r = RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, 0, nullptr, &h, nullptr);
        if (r == ERROR_SUCCESS) r = RegSetValueExW(h, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
        RegCloseKey(h);
        return r;
    }
    // Reads with a buffer of `capacity` bytes: *out gets what was stored, *reported the size given back.
    static LONG Read(LPCWSTR name, std::vector<uint8_t>* out, DWORD capacity = 108, DWORD* reported = nullptr) {
        HKEY h = nullptr;
        LONG r = RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, 0, &h);
        out->assign(capacity, 0xEE);
        DWORD size = capacity;
        if (r == ERROR_SUCCESS) r = RegQueryValueExW(h, name, nullptr, nullptr, out->data(), &size);
        RegCloseKey(h);
        if (reported) *reported = size;
        out->resize(r == ERROR_SUCCESS ? size : 0);
        return r;
    }
    std::string Folder() const { return ConfigRoot() + "/Qor/Tintaro"; }
};

TEST_F(SettingsStoreTest, OpeningNeverCreatesAndValuesRoundTripAsFilesInAPrivateFolder) {
    HKEY h = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, 0, &h), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(FileExists(ConfigRoot()));
    for (DWORD expected : {REG_CREATED_NEW_KEY, REG_OPENED_EXISTING_KEY}) {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, 0, nullptr, &h, &disposition), ERROR_SUCCESS);
        EXPECT_EQ(disposition, expected);
        EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    }
    EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE) << "a closed key is dead";
    std::vector<uint8_t> state(108), back;
    for (size_t i = 0; i < state.size(); ++i) state[i] = static_cast<uint8_t>(i * 7);
    ASSERT_EQ(Write(L"GameState", state), ERROR_SUCCESS);
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")), state) << "the file holds the raw bytes";
    ASSERT_EQ(Read(L"GameState", &back), ERROR_SUCCESS);
    EXPECT_EQ(back, state);
    struct stat st{};
    ASSERT_EQ(stat(Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "the settings folder is private";
    for (auto [size, result] : {std::pair{107, ERROR_SUCCESS}, {109, ERROR_MORE_DATA}}) {
        DWORD reported = 0;
        WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(size, 1));
        EXPECT_EQ(Read(L"GameState", &back, 108, &reported), result);
        EXPECT_EQ(reported, static_cast<DWORD>(size));
    }
    EXPECT_EQ(Read(L"Missing", &back, 4), ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsStoreTest, AKillBetweenTheTemporaryFileAndTheRenameKeepsTheOldValue) {
    ASSERT_EQ(Write(L"GameState", std::vector<uint8_t>(108, 0xAA)), ERROR_SUCCESS);
    const int status = RunChild([] {
        platform::SetStoreWriteHook([](platform::StoreWriteStage, const std::string&) { raise(SIGKILL); });
        return Write(L"GameState", std::vector<uint8_t>(108, 0xBB)) == ERROR_SUCCESS ? 0 : 1;  // killed before
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    std::vector<uint8_t> back;
    ASSERT_EQ(Read(L"GameState", &back), ERROR_SUCCESS);
    EXPECT_EQ(back, std::vector<uint8_t>(108, 0xAA));
    // The next orderly write lands in spite of the temporary file left behind.
    ASSERT_EQ(Write(L"GameState", std::vector<uint8_t>(108, 0xCC)), ERROR_SUCCESS);
    ASSERT_EQ(Read(L"GameState", &back), ERROR_SUCCESS);
    EXPECT_EQ(back, std::vector<uint8_t>(108, 0xCC));
}

// A folder read-only to the writer (root ignores permission bits, so the write runs as nobody),
// and one others may add files to but not open for the flush: the write fails and says why.
TEST_F(SettingsStoreTest, AWriteThatCannotLandOrBeFlushedFailsAndSaysWhy) {
    ASSERT_EQ(Write(L"GameState", std::vector<uint8_t>(108, 0x11)), ERROR_SUCCESS);
    for (const std::string& dir : {TempDir(), ConfigRoot(), ConfigRoot() + "/Qor"}) chmod(dir.c_str(), 0755);
    for (mode_t mode : {0555, 0733}) {
        chmod(Folder().c_str(), mode);
        EXPECT_EQ(RunChild([] {
                      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 3;
                      const LONG r = Write(L"GameState", std::vector<uint8_t>(108, 0x22));
                      const std::vector<platform::StoreWriteFailure> f = platform::FailedStoreWrites();
                      return r == ERROR_ACCESS_DENIED && f.size() == 1 && f[0].reason == std::strerror(EACCES) ? 0 : 1;
                  }), 0) << std::oct << mode;
        std::vector<uint8_t> back;
        EXPECT_TRUE(mode != 0555 || (Read(L"GameState", &back) == ERROR_SUCCESS && back[0] == 0x11)) << "kept";
    }
}

TEST_F(SettingsStoreTest, SpecialFilesAtTheValueOrTheOldTemporaryNameNeitherBlockNorBreak) {
    alarm(60);  // a read or write that blocks ends the test instead of hanging it
    std::string fifo = TempDir() + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // At the name: a FIFO, a socket, a link to a device, a link to a FIFO, a folder (which, at the
    // value itself, is the one thing a write cannot replace).
    for (int kind = 0; kind < 5; ++kind) {
        for (std::string name : {"GameState.tmp", "GameState"}) {
            std::string at = Folder() + "/" + name;
            std::filesystem::remove_all(Folder());
            std::filesystem::create_directories(Folder());
            ASSERT_EQ(kind < 2   ? mknod(at.c_str(), (kind ? S_IFSOCK : S_IFIFO) | 0600, 0)
                      : kind < 4 ? symlink(kind == 2 ? "/dev/zero" : fifo.c_str(), at.c_str())
                                 : mkdir(at.c_str(), 0700),
                      0);
            std::vector<uint8_t> back;
            EXPECT_EQ(Read(L"GameState", &back, 1), ERROR_FILE_NOT_FOUND) << name;
            bool blocked = kind == 4 && name == "GameState";
            EXPECT_EQ(Write(L"GameState", {0x5A}) == ERROR_SUCCESS, !blocked) << name;
            EXPECT_EQ(Read(L"GameState", &back, 1) == ERROR_SUCCESS && back[0] == 0x5A, !blocked) << name;
        }
    }
    alarm(0);
    std::vector<platform::StoreWriteFailure> f = platform::FailedStoreWrites();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].folder + "|" + f[0].value + "|" + f[0].reason, Folder() + "|GameState|" + std::strerror(EISDIR));
}

TEST_F(SettingsStoreTest, NamesThatWouldLeaveTheFolderAreRefused) {
    for (LPCWSTR key : {L"SOFTWARE\\..\\..\\escape", L"SOFTWARE\\a/b", L"SYSTEM\\Qor"})
        EXPECT_NE(Write(L"GameState", {1}, key), ERROR_SUCCESS) << key;
    for (LPCWSTR name : {L"../GameState", L"GameState.tmp"})  // temporary files are not values
        EXPECT_NE(Write(name, {1}), ERROR_SUCCESS) << name;
    EXPECT_FALSE(FileExists(TempDir() + "/escape") || FileExists(ConfigRoot() + "/Qor/GameState"));
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
