// Single instance, settings store and signals against hostile folders, files, callers and timing.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/Backend.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr wchar_t kClass[] = L"TestRecorder", kTitle[] = L"recorder";

class ProcessFaultsTest : public PlatformTest {
protected:
    std::string Path(const char* ext) {
        std::string lock = platform::InstanceLockPath(kClass, kTitle);
        return lock.substr(0, lock.size() - 4) + ext;
    }
    int HoldLock() {
        int fd = open(Path("lock").c_str(), O_RDWR | O_CREAT, 0600);
        EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
        return fd;
    }
    // At the name's socket path: a listener, or a caller that says `say` (not waiting; -1 if it cannot now).
    int Socket(bool listening, const char* say = "") {
        sockaddr_un a{AF_UNIX, {}};
        std::strncpy(a.sun_path, Path("sock").c_str(), sizeof(a.sun_path) - 1);
        int fd = socket(AF_UNIX, SOCK_STREAM | (listening ? 0 : SOCK_NONBLOCK), 0);
        auto* sa = reinterpret_cast<sockaddr*>(&a);
        if (listening ? bind(fd, sa, sizeof a) != 0 || listen(fd, 4) != 0 : connect(fd, sa, sizeof a) != 0) {
            close(fd);
            return -1;
        }
        send(fd, say, std::strlen(say), MSG_NOSIGNAL);
        return fd;
    }
    // What the other end said: "" nothing yet, "-" it ended the connection.
    static std::string Heard(int fd) {
        char b[16] = {};
        ssize_t n = recv(fd, b, sizeof b - 1, MSG_DONTWAIT);
        return n > 0 ? b : n == 0 || errno == ECONNRESET ? "-" : "";
    }
    static LONG Store(bool write, BYTE* value) {
        HKEY h = nullptr;
        DWORD size = 1;
        LONG r = RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Qor\\Tintaro", 0, nullptr, 0, 0, nullptr, &h, nullptr);
        if (r == ERROR_SUCCESS)
            r = write ? RegSetValueExW(h, L"GameState", 0, REG_BINARY, value, 1)
                      : RegQueryValueExW(h, L"GameState", nullptr, nullptr, value, &size);
        RegCloseKey(h);
        return r;
    }
    std::string Folder() const { return ConfigRoot() + "/Qor/Tintaro"; }
};

TEST_F(ProcessFaultsTest, ALockNeverLivesInARuntimeFolderThatIsNotPrivate) {
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

TEST_F(ProcessFaultsTest, CallersGetARaiseOrARefusalAndNothingElse) {
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    RecordingWindow w(/*visible=*/true);
    std::vector<int> crowd;
    for (const char* say : {"lower\n", "raise raise raise raise", "rai", "\n", "", "", "", "", "", "", "", ""})
        crowd.push_back(Socket(false, say));
    int asking = Socket(false, "raise\n");
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Heard(asking), "ok\n") << "served at once, whatever the crowd before it";
    EXPECT_EQ(Heard(crowd.back()), "") << "a silent caller is neither waited for nor dropped at once";
    EXPECT_TRUE(w.Messages().empty());
    // About to close (a signal's request waits), then closing (the quit is posted): refused.
    platform::QueueInput(platform::InputEvent{platform::InputType::Close});
    int late = Socket(false, "raise\n");
    platform::DispatchReadable(0);
    EXPECT_EQ(Heard(late), "-");
    PostQuitMessage(0);
    EXPECT_EQ(Socket(false), -1) << "nobody listens once the quit is posted";
    EXPECT_EQ(backend.Raised(), 1);
    for (int fd : crowd) close(fd);
    close(asking);
    close(late);
}

TEST_F(ProcessFaultsTest, ASecondStartTakesOverFromAClosingCopyAndReportsASilentOne) {
    if (geteuid() != 0) GTEST_SKIP() << "handing a socket to someone else needs root";
    // 20 first copies that close as they are asked (a request into the closed connection must not
    // end this process by SIGPIPE), one that is stopped, one whose socket is not ours.
    for (int attempt = 0; attempt < 22; ++attempt) {
        bool closing = attempt < 20, foreign = attempt == 21;
        platform::ResetSingleInstance();
        int lock = HoldLock();
        unlink(Path("sock").c_str());
        int listener = Socket(true);
        ASSERT_EQ(chown(Path("sock").c_str(), foreign ? 65534 : 0, 0), 0);
        std::thread first([&] {
            if (closing) close(accept(listener, nullptr, nullptr)), close(listener), close(lock);
        });
        HWND found = FindWindowW(kClass, kTitle);
        pollfd p{listener, POLLIN, 0};
        if (!closing) {
            EXPECT_EQ(poll(&p, 1, 0), foreign ? 0 : 1) << "connections made by the search";
        }
        if (closing) close(Socket(false));  // frees the first copy if nobody came to it
        first.join();
        EXPECT_EQ(found == nullptr && platform::HoldsWindowName(), closing) << attempt;
        EXPECT_FALSE(SetForegroundWindow(found)) << "a closing copy is gone, a silent one did not answer";
        EXPECT_EQ(platform::WindowNameProblem(), closing ? "" : "already running, not responding") << attempt;
        if (!closing) close(listener), close(lock);
    }
}

TEST_F(ProcessFaultsTest, SpecialFilesAtTheValueOrTheOldTemporaryNameNeitherBlockNorBreak) {
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
            BYTE value = 0x5A;
            EXPECT_EQ(Store(false, &value), ERROR_FILE_NOT_FOUND) << name;
            bool blocked = kind == 4 && name == "GameState";
            EXPECT_EQ(Store(true, &value) == ERROR_SUCCESS, !blocked) << name;
            value = 0;
            EXPECT_EQ(Store(false, &value) == ERROR_SUCCESS && value == 0x5A, !blocked) << name;
        }
    }
    alarm(0);
    std::vector<platform::StoreWriteFailure> f = platform::FailedStoreWrites();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].folder + "|" + f[0].value + "|" + f[0].reason, Folder() + "|GameState|" + std::strerror(EISDIR));
}

// Children that end with 0 when all went as it should.
void ExpectChildSucceeds(const std::function<bool()>& body) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(body() ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST_F(ProcessFaultsTest, AFolderThatCannotBeFlushedFailsTheWrite) {
    BYTE value = 0x11;
    ASSERT_EQ(Store(true, &value), ERROR_SUCCESS);
    for (const std::string& dir : {TempDir(), ConfigRoot(), ConfigRoot() + "/Qor"}) chmod(dir.c_str(), 0755);
    chmod(Folder().c_str(), 0733);  // others may add and rename files in it, but not open it to flush it
    ExpectChildSucceeds([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return false;
        std::vector<platform::StoreWriteFailure> f;
        return Store(true, &value) != ERROR_SUCCESS && (f = platform::FailedStoreWrites()).size() == 1 &&
               f[0].reason == std::strerror(EACCES);
    });
}

TEST_F(ProcessFaultsTest, SignalsOnTheWayOutAreAbsorbedAndTheStatusStaysTheProgramsOwn) {
    ExpectChildSucceeds([] {
        platform::RouteTerminationSignals();
        platform::AbsorbTerminationSignals();  // what the program does once its loop has ended
        for (int signo : {SIGTERM, SIGINT, SIGHUP, SIGTERM}) raise(signo);
        return true;
    });
}

}  // namespace
