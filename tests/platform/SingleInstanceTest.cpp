// Finding windows by class and title, here and in another process, and raising them.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "platform/Backend.h"
#include "platform/Messages.h"
#include "platform/SingleInstance.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

class SingleInstanceTest : public PlatformTest {
protected:
    std::string SocketPath(LPCWSTR cls, LPCWSTR title) {
        std::string lock = platform::InstanceLockPath(cls, title);
        return lock.substr(0, lock.size() - 5) + ".sock";
    }

    static sockaddr_un Address(const std::string& path) {
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::strncpy(a.sun_path, path.c_str(), sizeof(a.sun_path) - 1);
        return a;
    }
};

TEST_F(SingleInstanceTest, WindowsHereAreFoundByClassInAnyCaseAndExactTitleAndASearchThatFindsNothingClaimsTheName) {
    RecordingWindow w(/*visible=*/true);
    EXPECT_EQ(FindWindowW(L"testRECORDER", L"recorder"), w.hwnd());
    EXPECT_EQ(FindWindowW(L"TestRecorder", L""), nullptr);
    EXPECT_EQ(FindWindowW(nullptr, L"recorder"), nullptr);
    EXPECT_TRUE(platform::WatchedDescriptors().empty()) << "a window found here claims nothing";

    EXPECT_EQ(FindWindowW(L"ClassTintaro", L"Qor Tintaro"), nullptr);
    std::string lock = platform::InstanceLockPath(L"ClassTintaro", L"Qor Tintaro");
    EXPECT_EQ(lock, RuntimeDir() + "/ClassTintaro-Qor_Tintaro.lock");
    int fd = open(lock.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    EXPECT_NE(flock(fd, LOCK_EX | LOCK_NB), 0) << "another holder would find the name taken";
    close(fd);
    EXPECT_EQ(platform::WatchedDescriptors().size(), 1u) << "the socket for raise requests is watched";
    EXPECT_EQ(FindWindowW(L"ClassTintaro", L"Qor Tintaro"), nullptr) << "our own claim is no other window";
}

TEST_F(SingleInstanceTest, ANameHeldElsewhereIsFoundAndRaisingItAsksTheHolder) {
    std::string lock = platform::InstanceLockPath(L"ClassTintaro", L"Qor Tintaro");
    int lockFd = open(lock.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(lockFd, LOCK_EX | LOCK_NB), 0);
    int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a = Address(SocketPath(L"ClassTintaro", L"Qor Tintaro"));
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof(a)), 0);
    ASSERT_EQ(listen(listener, 1), 0);

    // The holder reads the request the search sends, and answers it.
    char buffer[16] = {};
    std::thread holder([&] {
        int client = accept(listener, nullptr, nullptr);
        EXPECT_GT(read(client, buffer, sizeof(buffer) - 1), 0);
        EXPECT_EQ(write(client, "ok\n", 3), 3);
        close(client);
    });
    HWND remote = FindWindowW(L"ClassTintaro", L"Qor Tintaro");
    holder.join();
    ASSERT_NE(remote, nullptr);
    EXPECT_FALSE(IsWindow(remote)) << "not a window of this process";
    EXPECT_EQ(PostMessageW(remote, WM_CLOSE, 0, 0), FALSE);
    EXPECT_TRUE(ActivateWithOwned(remote));
    EXPECT_STREQ(buffer, "raise\n");
    EXPECT_EQ(backend.Raised(), 0) << "this process raises nothing of its own";
    close(listener);
    close(lockFd);
}

TEST_F(SingleInstanceTest, ARaiseRequestRestoresTheWindowWithItsDialog) {
    ASSERT_EQ(FindWindowW(L"TestRecorder", L"recorder"), nullptr);
    RecordingWindow w(/*visible=*/true);
    RecordingWindow dialog(WS_VISIBLE, w.hwnd(), RECT{0, 26, 240, 294});
    ShowWindow(dialog.hwnd(), SW_MINIMIZE);
    int client = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a = Address(SocketPath(L"TestRecorder", L"recorder"));
    ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&a), sizeof(a)), 0);
    ASSERT_EQ(write(client, "raise\n", 6), 6);
    RecordingWindow::DrainQueue();  // the loop looks at watched descriptors as it pumps
    close(client);
    EXPECT_EQ(backend.Raised(), 1);
    EXPECT_FALSE(platform::FindWindowRecord(dialog.hwnd())->minimized);
    EXPECT_TRUE(SetForegroundWindow(w.hwnd())) << "raising a window of this process raises the program";
    EXPECT_EQ(backend.Raised(), 2);
    EXPECT_FALSE(SetForegroundWindow(nullptr));
}

}  // namespace
