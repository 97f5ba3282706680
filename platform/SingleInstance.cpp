// The claim on a window name across processes: a per-user lock and socket for each name.
#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "platform/Clock.h"
#include "platform/RaiseRequests.h"
#include "platform/Registry.h"
#include "platform/Utf8.h"

namespace platform {
namespace {

constexpr char kNotResponding[] = "already running, not responding";
constexpr int kTakeOverMs = 5000;  // how long a new start waits for a closing copy to let go

struct Claim {
    int lockFd = -1;
    std::string socketPath;
    std::unique_ptr<RaiseListener> listener;
};

struct InstanceState {
    std::map<std::string, std::unique_ptr<Claim>> claims;  // by file stem
    std::string problem;
};

InstanceState& State() {
    static InstanceState state;
    return state;
}

// A folder of this user's. Private: a real folder (no link) that nobody else can even look into.
// Otherwise a link of this user's to a folder of this user's will do.
bool IsOurFolder(const std::string& path, bool priv) {
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0) return false;
    if (S_ISLNK(st.st_mode) && (priv || st.st_uid != geteuid() || stat(path.c_str(), &st) != 0)) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (!priv || (st.st_mode & 0777) == 0700);
}

// Where names' locks and sockets live, in order: $XDG_RUNTIME_DIR when it is a private folder of
// ours, then the settings folder when it is ours. Two copies of one user agree on the first one
// that works. *why collects what ruled the others out.
std::vector<std::string> LockFolders(bool make, std::string* why) {
    std::vector<std::string> folders;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) {
        if (runtime[0] == '/' && IsOurFolder(runtime, true)) folders.push_back(runtime);
        else *why += std::string("$XDG_RUNTIME_DIR ") + runtime + " is not a private folder of this user's; ";
    }
    std::string settings = SettingsRoot();
    if (!settings.empty()) {
        if (make) mkdir(settings.c_str(), 0700);
        if (IsOurFolder(settings, false)) folders.push_back(settings);
        else *why += settings + " is not a folder of this user's; ";
    }
    return folders;
}

// The name as a file name: letters and digits kept, everything else an underscore.
std::string FileStem(LPCWSTR className, LPCWSTR title) {
    std::string stem;
    for (char c : ToUtf8(std::wstring(className) + L"-" + title))
        stem += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ? c : '_';
    return stem;
}

// The lock file, opened without following a link or waiting on a FIFO. Whatever else lies at its
// name (not a plain file of ours) is removed first, so that nobody's file can hold the name.
int OpenLock(const std::string& path) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
        int fd = open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0600);
        if (fd < 0 && (errno == EROFS || errno == EACCES)) fd = open(path.c_str(), O_RDONLY | kFlags);
        if (fd < 0 && errno != ELOOP && errno != ENXIO && errno != EISDIR && errno != EEXIST) return -1;
        struct stat st{};
        if (fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid()) return fd;
        if (fd >= 0) close(fd);
        if (unlink(path.c_str()) != 0 && errno != ENOENT) return -1;
    }
    errno = EEXIST;
    return -1;
}

// The holder of the lock is asked to raise its window. While it refuses (it is closing, or has not
// begun to listen), its lock is tried again until it is ours or the time is up.
RaiseAnswer ReachHolder(int lockFd, const std::string& socketPath) {
    uint32_t deadline = MonotonicMilliseconds() + kTakeOverMs;
    for (;;) {
        RaiseAnswer answer = AskToRaise(socketPath);
        if (answer != RaiseAnswer::Refused) return answer;
        if (flock(lockFd, LOCK_EX | LOCK_NB) == 0) return RaiseAnswer::Refused;
        if (static_cast<int32_t>(deadline - MonotonicMilliseconds()) <= 0) return RaiseAnswer::Silent;
        poll(nullptr, 0, 20);
    }
}

void TakeName(const std::string& stem, LPCWSTR className, LPCWSTR title, int lockFd, const std::string& folder) {
    auto claim = std::make_unique<Claim>(
        Claim{lockFd, folder + "/" + stem + ".sock", std::make_unique<RaiseListener>(className, title)});
    claim->listener->Open(claim->socketPath);
    State().claims[stem] = std::move(claim);
}

}  // namespace

// NULL when the name is free (it is then ours) or no lock can be had; a remote handle when
// another copy holds it. That copy has been asked to raise its window by then: the answer decides
// whether it is still there. A copy that refuses is closing, and its successor takes the name.
HWND ClaimOrFind(LPCWSTR className, LPCWSTR title) {
    InstanceState& s = State();
    std::string stem = FileStem(className, title);
    if (auto own = s.claims.find(stem); own != s.claims.end()) {
        if (!own->second->listener->IsOpen()) own->second->listener->Open(own->second->socketPath);
        return nullptr;
    }
    std::string why;
    for (const std::string& folder : LockFolders(true, &why)) {
        std::string lockPath = folder + "/" + stem + ".lock";
        int lockFd = OpenLock(lockPath);
        if (lockFd >= 0 && flock(lockFd, LOCK_EX | LOCK_NB) == 0) {
            TakeName(stem, className, title, lockFd, folder);
            return nullptr;
        }
        if (lockFd >= 0 && errno == EWOULDBLOCK) {
            RaiseAnswer answer = ReachHolder(lockFd, folder + "/" + stem + ".sock");
            if (answer == RaiseAnswer::Refused) {
                TakeName(stem, className, title, lockFd, folder);
                return nullptr;
            }
            close(lockFd);
            if (answer == RaiseAnswer::Silent) s.problem = kNotResponding;
            return RemoteWindowHandle(answer == RaiseAnswer::Raised);
        }
        why += lockPath + ": " + std::strerror(errno) + "; ";
        if (lockFd >= 0) close(lockFd);
    }
    why = why.empty() ? "no settings folder" : why.substr(0, why.size() - 2);
    s.problem = "not saved: no lock against a second copy (" + why + ")";
    return nullptr;
}

std::string InstanceLockPath(LPCWSTR className, LPCWSTR title) {
    if (!className || !title) return "";
    std::string why;
    std::vector<std::string> folders = LockFolders(false, &why);
    return folders.empty() ? "" : folders.front() + "/" + FileStem(className, title) + ".lock";
}

bool HoldsWindowName() { return !State().claims.empty(); }
std::string WindowNameProblem() { return State().problem; }

void StopAnsweringRaiseRequests() {
    for (auto& [stem, claim] : State().claims) claim->listener->Close();
}

void ResetSingleInstance() {
    InstanceState& s = State();
    for (auto& [stem, claim] : s.claims) {
        claim->listener.reset();
        close(claim->lockFd);
    }
    s.claims.clear();
    ForgetRemoteWindows();
    s.problem.clear();
}

}  // namespace platform
