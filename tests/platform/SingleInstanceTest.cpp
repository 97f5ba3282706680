// Finding and raising windows here and in another copy, and the lock and socket behind a window name.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "platform/Backend.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/SingleInstance.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr wchar_t kClass[] = L"TestRecorder", kTitle[] = L"recorder";

class SingleInstanceTest : public PlatformTest {
protected:
    // The recorder's lock ("lock") or socket ("sock").
    static std::string Path(const char* ext) {
        const std::string lock = platform::InstanceLockPath(kClass, kTitle);
        return lock.substr(0, lock.size() - 4) + ext;
    }
    // At the socket: a listener, or a caller that says `say` (not waiting; -1 if it cannot now).
    static int Socket(bool listening, const char* say = "") {
        sockaddr_un a{AF_UNIX, {}};
        std::strncpy(a.sun_path, Path("sock").c_str(), sizeof(a.sun_path) - 1);
        int fd = socket(AF_UNIX, SOCK_STREAM | (listening ? 0 : SOCK_NONBLOCK), 0);
        auto* sa = reinterpret_cast<sockaddr*>(&a);
        if (listening ? bind(fd, sa, sizeof a) != 0 || listen(fd, 4) != 0 : connect(fd, sa, sizeof a) != 0) return close(fd), -1;
        send(fd, say, std::strlen(say), MSG_NOSIGNAL);
        return fd;
    }
    // What the other end said: "" nothing yet, "-" it ended the connection.
    static std::string Heard(int fd) {
        char b[16] = {};
        ssize_t n = recv(fd, b, sizeof b - 1, MSG_DONTWAIT);
        return n > 0 ? b : n == 0 || errno == ECONNRESET ? "-" : "";
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
    EXPECT_NE(flock(fd, LOCK_EX | LOCK_NB), 0) << "another holder would find the name taken";
    close(fd);
    EXPECT_EQ(platform::WatchedDescriptors().size(), 1u) << "the socket for raise requests is watched";
    EXPECT_EQ(FindWindowW(L"ClassTintaro", L"Qor Tintaro"), nullptr) << "our own claim is no other window";
}

TEST_F(SingleInstanceTest, ALockNeverLivesInARuntimeFolderThatIsNotPrivate) {
    if (geteuid() != 0) GTEST_SKIP() << "handing a folder to someone else needs root";
    std::string shared = TempDir() + "/shared", others = TempDir() + "/others", link = TempDir() + "/link";
    ASSERT_EQ(mkdir(shared.c_str(), 0755) | mkdir(others.c_str(), 0700) | chown(others.c_str(), 65534, 65534), 0);
    ASSERT_EQ(symlink(RuntimeDir().c_str(), link.c_str()), 0);
    for (const std::string& runtime : {std::string(), TempDir() + "/none", shared, others, link}) {
        platform::ResetSingleInstance();
        runtime.empty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
        EXPECT_TRUE(platform::HoldsWindowName());
        EXPECT_EQ(Path("lock").rfind(ConfigRoot() + "/", 0), 0u) << runtime << ": the settings folder instead";
    }
}

// After a crowd saying anything or nothing, a real request is served at once and raises the program
// with its minimised dialog; a copy about to close refuses, and once its quit is posted nobody listens.
TEST_F(SingleInstanceTest, CallersGetARaiseOrARefusalAndNothingElse) {
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    RecordingWindow w(/*visible=*/true);
    RecordingWindow dialog(WS_VISIBLE, w.hwnd(), RECT{0, 26, 240, 294});
    ShowWindow(dialog.hwnd(), SW_MINIMIZE);
    std::vector<int> crowd;
    for (const char* say : {"lower\n", "raise raise raise raise", "rai", "\n", "", "", "", "", "", "", "", ""})
        crowd.push_back(Socket(false, say));
    int asking = Socket(false, "raise\n");
    RecordingWindow::DrainQueue();  // the loop looks at watched descriptors as it pumps
    EXPECT_EQ(Heard(asking), "ok\n") << "served at once, whatever the crowd before it";
    EXPECT_EQ(Heard(crowd.back()), "") << "a silent caller is neither waited for nor dropped at once";
    EXPECT_TRUE(w.Messages().empty());
    EXPECT_EQ(backend.Raised(), 1);
    EXPECT_FALSE(platform::FindWindowRecord(dialog.hwnd())->minimized);
    EXPECT_TRUE(SetForegroundWindow(w.hwnd())) << "raising a window of this process raises the program";
    EXPECT_FALSE(SetForegroundWindow(nullptr));
    platform::QueueInput(platform::InputEvent{platform::InputType::Close});  // a signal's request waits
    int late = Socket(false, "raise\n");
    platform::DispatchReadable(0);
    EXPECT_EQ(Heard(late), "-");
    PostQuitMessage(0);
    EXPECT_EQ(Socket(false), -1) << "nobody listens once the quit is posted";
    EXPECT_EQ(backend.Raised(), 2);
    for (int fd : crowd) close(fd);
    close(asking), close(late);
}

// The name held by hand as a first copy would: one that answers (it raises its window, this process
// nothing), 20 that close as they are asked (a request into the closed connection must not end this
// process by SIGPIPE), one that is stopped, one whose socket is not ours.
TEST_F(SingleInstanceTest, ASecondStartRaisesTheFirstTakesOverFromAClosingOneAndReportsASilentOne) {
    enum Kind { kAnswers, kCloses, kStopped, kForeign };
    for (int attempt = 0; attempt < 23; ++attempt) {
        const Kind kind = attempt == 0 ? kAnswers : attempt <= 20 ? kCloses : attempt == 21 ? kStopped : kForeign;
        if (kind == kForeign && geteuid() != 0) continue;  // handing a socket to someone else needs root
        platform::ResetSingleInstance();
        int lock = open(Path("lock").c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_EQ(flock(lock, LOCK_EX | LOCK_NB), 0);
        unlink(Path("sock").c_str());
        int listener = Socket(true);
        ASSERT_EQ(kind == kForeign ? chown(Path("sock").c_str(), 65534, 0) : 0, 0);
        char request[16] = {};
        std::thread first([&] {
            if (kind == kCloses) close(accept(listener, nullptr, nullptr)), close(listener), close(lock);
            if (kind != kAnswers) return;
            int caller = accept(listener, nullptr, nullptr);
            EXPECT_GT(read(caller, request, sizeof request - 1), 0);
            EXPECT_EQ(write(caller, "ok\n", 3), 3);
            close(caller);
        });
        HWND found = FindWindowW(kClass, kTitle);
        pollfd p{listener, POLLIN, 0};
        EXPECT_TRUE(kind < kStopped || poll(&p, 1, 0) == (kind == kStopped)) << "connections made by the search";
        if (kind == kCloses) close(Socket(false));  // frees the first copy if nobody came to it
        first.join();
        EXPECT_EQ(found == nullptr && platform::HoldsWindowName(), kind == kCloses) << attempt;
        EXPECT_EQ(SetForegroundWindow(found), kind == kAnswers) << "a closing copy is gone, a silent one did not answer";
        EXPECT_EQ(platform::WindowNameProblem(), kind >= kStopped ? "already running, not responding" : "") << attempt;
        if (kind == kAnswers) {
            EXPECT_FALSE(IsWindow(found) || PostMessageW(found, WM_CLOSE, 0, 0)) << "not a window of this process";
            EXPECT_TRUE(ActivateWithOwned(found));
            EXPECT_STREQ(request, "raise\n");
            EXPECT_EQ(backend.Raised(), 0) << "this process raises nothing of its own";
        }
        if (kind != kCloses) close(listener), close(lock);
    }
}

}  // namespace
