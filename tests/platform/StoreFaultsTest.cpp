// The settings store against whatever else lies in its folder, a second writer, and a folder it cannot flush.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/Registry.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Qor\\Tintaro";

class StoreFaultsTest : public PlatformTest {
protected:
    // A read or write that blocks on a special file ends the test instead of hanging it.
    void SetUp() override {
        PlatformTest::SetUp();
        alarm(60);
    }
    void TearDown() override {
        alarm(0);
        PlatformTest::TearDown();
    }
    std::string Folder() const { return ConfigRoot() + "/Qor/Tintaro"; }

    static LONG Write(LPCWSTR name, BYTE value) {
        HKEY h = nullptr;
        LONG r = RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, 0, nullptr, &h, nullptr);
        if (r == ERROR_SUCCESS) r = RegSetValueExW(h, name, 0, REG_BINARY, &value, 1);
        RegCloseKey(h);
        return r;
    }
    static LONG Read(LPCWSTR name, BYTE* value) {
        HKEY h = nullptr;
        DWORD size = 1;
        LONG r = RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, 0, &h);
        if (r == ERROR_SUCCESS) r = RegQueryValueExW(h, name, nullptr, nullptr, value, &size);
        RegCloseKey(h);
        return r;
    }
};

enum class Kind { Fifo, Folder, Socket, LinkToFifo, LinkToDevice };

void Make(Kind kind, const std::string& path, const std::string& spare) {
    switch (kind) {
        case Kind::Fifo: ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); break;
        case Kind::Folder: ASSERT_EQ(mkdir(path.c_str(), 0700), 0); break;
        case Kind::Socket: {
            sockaddr_un a{};
            a.sun_family = AF_UNIX;
            std::strncpy(a.sun_path, path.c_str(), sizeof(a.sun_path) - 1);
            int fd = socket(AF_UNIX, SOCK_STREAM, 0);
            ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)), 0);
            close(fd);  // the socket file stays
            break;
        }
        case Kind::LinkToFifo:
            ASSERT_EQ(mkfifo(spare.c_str(), 0600), 0);
            ASSERT_EQ(symlink(spare.c_str(), path.c_str()), 0);
            break;
        case Kind::LinkToDevice: ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0); break;
    }
}

TEST_F(StoreFaultsTest, SpecialFilesAtAValueOrTheOldTemporaryNameNeitherBlockNorBreak) {
    for (Kind kind : {Kind::Fifo, Kind::Folder, Kind::Socket, Kind::LinkToFifo, Kind::LinkToDevice}) {
        for (const char* name : {"GameState", "GameState.tmp"}) {
            SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << " at " << name);
            std::filesystem::remove_all(ConfigRoot());
            std::filesystem::create_directories(Folder());
            Make(kind, Folder() + "/" + name, TempDir() + "/spare");
            BYTE value = 0;
            EXPECT_EQ(Read(L"GameState", &value), ERROR_FILE_NOT_FOUND) << "not set";
            bool folderInPlace = kind == Kind::Folder && std::string(name) == "GameState";
            EXPECT_EQ(Write(L"GameState", 0x5A) == ERROR_SUCCESS, !folderInPlace);
            EXPECT_EQ(Read(L"GameState", &value) == ERROR_SUCCESS && value == 0x5A, !folderInPlace);
            std::filesystem::remove(TempDir() + "/spare");
        }
    }
    // Only the one write that met a folder in its place failed, and it says where and why.
    std::vector<platform::StoreWriteFailure> failed = platform::FailedStoreWrites();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].folder, Folder());
    EXPECT_EQ(failed[0].value, "GameState");
    EXPECT_EQ(failed[0].reason, std::strerror(EISDIR));
}

// A second writer of the same value, starting while the first one is between its steps.
void WriteAgainOnce(platform::StoreWriteStage, const std::string&) {
    static bool nested = false;
    if (nested) return;
    nested = true;
    HKEY h = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, 0, nullptr, &h, nullptr);
    BYTE second = 0x22;
    EXPECT_EQ(RegSetValueExW(h, L"GameState", 0, REG_BINARY, &second, 1), ERROR_SUCCESS);
    RegCloseKey(h);
}

TEST_F(StoreFaultsTest, WritersNeverShareATemporaryFile) {
    platform::SetStoreWriteHook(&WriteAgainOnce);
    EXPECT_EQ(Write(L"GameState", 0x11), ERROR_SUCCESS);
    BYTE value = 0;
    ASSERT_EQ(Read(L"GameState", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, 0x11) << "the first writer's rename comes last";
}

TEST_F(StoreFaultsTest, AFolderThatCannotBeFlushedFailsTheWrite) {
    ASSERT_EQ(Write(L"GameState", 0x11), ERROR_SUCCESS);
    for (const std::string& dir : {TempDir(), ConfigRoot(), ConfigRoot() + "/Qor"}) chmod(dir.c_str(), 0755);
    // Others may add and rename files in it, but not open it: its flush cannot be done.
    chmod(Folder().c_str(), 0733);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        bool failed = Write(L"GameState", 0x22) != ERROR_SUCCESS;
        std::vector<platform::StoreWriteFailure> f = platform::FailedStoreWrites();
        _exit(failed && f.size() == 1 && f[0].reason == std::strerror(EACCES) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
