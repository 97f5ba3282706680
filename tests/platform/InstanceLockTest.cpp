// The single-instance lock in unfriendly folders, a first copy that closes or does not answer, and
// callers that are silent, garbled or many.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/Backend.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr wchar_t kClass[] = L"TestRecorder";
constexpr wchar_t kTitle[] = L"recorder";

class InstanceLockTest : public PlatformTest {
protected:
    std::string LockPath() { return platform::InstanceLockPath(kClass, kTitle); }
    std::string SocketPath() { return LockPath().substr(0, LockPath().size() - 5) + ".sock"; }
    // A connection to the socket at path, not waiting; -1 when it cannot be made now.
    static int Connect(const std::string& path) {
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::strncpy(a.sun_path, path.c_str(), sizeof(a.sun_path) - 1);
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0) {
            close(fd);
            return -1;
        }
        return fd;
    }
    static int Listen(const std::string& path) {
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::strncpy(a.sun_path, path.c_str(), sizeof(a.sun_path) - 1);
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)), 0);
        EXPECT_EQ(listen(fd, 4), 0);
        return fd;
    }
    // What the other end said before closing or going quiet: "" when it said nothing yet.
    static std::string Answer(int fd) {
        char buffer[16] = {};
        ssize_t n = recv(fd, buffer, sizeof(buffer) - 1, MSG_DONTWAIT);
        if (n > 0) return std::string(buffer, static_cast<size_t>(n));
        return n == 0 || errno == ECONNRESET ? "<closed>" : "";
    }
};

TEST_F(InstanceLockTest, ALockNeverLivesInARuntimeFolderThatIsNotPrivate) {
    std::string shared = TempDir() + "/shared", others = TempDir() + "/others", link = TempDir() + "/link";
    ASSERT_EQ(mkdir(shared.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(others.c_str(), 0700), 0);
    ASSERT_EQ(chown(others.c_str(), 65534, 65534), 0);
    ASSERT_EQ(symlink(RuntimeDir().c_str(), link.c_str()), 0);
    for (const char* runtime : {"", "/nonexistent/run", shared.c_str(), others.c_str(), link.c_str()}) {
        SCOPED_TRACE(runtime);
        platform::ResetSingleInstance();
        if (*runtime) setenv("XDG_RUNTIME_DIR", runtime, 1);
        else unsetenv("XDG_RUNTIME_DIR");
        ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
        EXPECT_TRUE(platform::HoldsWindowName());
        EXPECT_EQ(LockPath().rfind(ConfigRoot() + "/", 0), 0u) << LockPath() << ": the settings folder instead";
        int fd = open(LockPath().c_str(), O_RDONLY);
        EXPECT_NE(flock(fd, LOCK_EX | LOCK_NB), 0) << "a second copy finds the name taken";
        close(fd);
    }
}

TEST_F(InstanceLockTest, ACopyThatIsClosingRefusesToBeRaised) {
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    RecordingWindow w(/*visible=*/true);
    // A close request (a signal, the close button) is on its way to the window.
    platform::QueueInput(platform::InputEvent{platform::InputType::Close, 0, 0, 0, 0, false});
    int closing = Connect(SocketPath());
    ASSERT_EQ(send(closing, "raise\n", 6, MSG_NOSIGNAL), 6);
    platform::DispatchReadable(0);
    EXPECT_EQ(Answer(closing), "<closed>");
    close(closing);
    // The quit is posted.
    int early = Connect(SocketPath());
    ASSERT_GE(early, 0);
    ASSERT_EQ(send(early, "raise\n", 6, MSG_NOSIGNAL), 6);
    PostQuitMessage(0);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Answer(early), "<closed>");
    EXPECT_EQ(Connect(SocketPath()), -1) << "nobody listens any more";
    EXPECT_EQ(backend.Raised(), 0);
    close(early);
}

TEST_F(InstanceLockTest, ASecondStartWaitsForAClosingCopyAndTakesOver) {
    sigset_t pipeSignal, old;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &old);
    for (int attempt = 0; attempt < 20; ++attempt) {
        SCOPED_TRACE(attempt);
        // The first copy: it holds the name, reads nothing, and lets go as it ends.
        int lock = open(LockPath().c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_EQ(flock(lock, LOCK_EX | LOCK_NB), 0);
        unlink(SocketPath().c_str());
        int listener = Listen(SocketPath());
        std::thread closing([&] {
            close(accept(listener, nullptr, nullptr));
            close(listener);
            close(lock);
        });
        EXPECT_EQ(FindWindowW(kClass, kTitle), nullptr);
        close(Connect(SocketPath()));  // frees the first copy if nobody came to it
        closing.join();
        EXPECT_TRUE(platform::HoldsWindowName());
        EXPECT_EQ(platform::WindowNameProblem(), "");
        platform::ResetSingleInstance();
    }
    sigset_t pending;
    sigpending(&pending);
    EXPECT_FALSE(sigismember(&pending, SIGPIPE)) << "a request sent into a closed connection raised SIGPIPE";
    int signo = 0;
    if (sigismember(&pending, SIGPIPE)) sigwait(&pipeSignal, &signo);
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
}

TEST_F(InstanceLockTest, AFirstCopyThatDoesNotAnswerIsReportedAndOnlyItsOwnSocketIsAsked) {
    int lock = open(LockPath().c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(lock, LOCK_EX | LOCK_NB), 0);
    int listener = Listen(SocketPath());
    for (bool foreign : {true, false}) {
        SCOPED_TRACE(foreign ? "someone else's socket" : "a stopped first copy");
        platform::ResetSingleInstance();
        ASSERT_EQ(chown(SocketPath().c_str(), foreign ? 65534 : 0, foreign ? 65534 : 0), 0);
        HWND remote = FindWindowW(kClass, kTitle);
        ASSERT_NE(remote, nullptr);
        EXPECT_FALSE(platform::HoldsWindowName());
        EXPECT_FALSE(SetForegroundWindow(remote));
        EXPECT_EQ(platform::WindowNameProblem(), "already running, not responding");
        pollfd p{listener, POLLIN, 0};
        EXPECT_EQ(poll(&p, 1, 0), foreign ? 0 : 1) << "connections waiting";
    }
    close(listener);
    close(lock);
}

TEST_F(InstanceLockTest, SilentGarbledOrManyCallersChangeNothingButARaise) {
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    RecordingWindow w(/*visible=*/true);
    int silent = Connect(SocketPath());
    int garbled = Connect(SocketPath());
    int oversized = Connect(SocketPath());
    send(garbled, "lower\n", 6, MSG_NOSIGNAL);
    send(oversized, std::string(64, 'r').c_str(), 64, MSG_NOSIGNAL);
    int asking = Connect(SocketPath());
    ASSERT_GE(asking, 0);
    send(asking, "raise\n", 6, MSG_NOSIGNAL);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Answer(asking), "ok\n") << "answered without waiting for the silent caller";
    EXPECT_EQ(Answer(silent), "") << "a silent caller is not waited for, nor dropped at once";
    EXPECT_EQ(backend.Raised(), 1);
    for (int fd : {silent, garbled, oversized, asking}) close(fd);

    std::vector<int> flood;
    for (int round = 0; round < 10; ++round) {
        for (int i = 0; i < 10; ++i) {
            int fd = Connect(SocketPath());
            if (fd >= 0) send(fd, "raise raise raise raise", 23, MSG_NOSIGNAL);
            flood.push_back(fd);
        }
        RecordingWindow::DrainQueue();
    }
    asking = Connect(SocketPath());
    ASSERT_GE(asking, 0);
    send(asking, "raise\n", 6, MSG_NOSIGNAL);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Answer(asking), "ok\n");
    EXPECT_EQ(backend.Raised(), 2);
    EXPECT_TRUE(w.Messages().empty());
    for (int fd : flood) close(fd);
    close(asking);
}

}  // namespace
