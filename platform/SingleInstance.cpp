// Finding and raising windows across processes: a per-user lock and socket for each window name.
#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "platform/Backend.h"
#include "platform/Handles.h"
#include "platform/Utf8.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

constexpr char kRaiseRequest[] = "raise\n";

struct Claim {
    std::wstring className;
    std::wstring title;
    int lockFd = -1;
    int socketFd = -1;
};

struct RemoteWindow {
    std::string socketPath;
};

struct InstanceState {
    std::map<std::string, std::unique_ptr<Claim>> claims;  // by lock path
    HandleTable<RemoteWindow> remotes{HandleKind::RemoteWindow};
};

InstanceState& State() {
    static InstanceState state;
    return state;
}

// $XDG_RUNTIME_DIR, else a folder of our own under /tmp that nobody else can have made or read.
std::string RuntimeFolder() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && *xdg) return xdg;
    std::string folder = "/tmp/qor-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    struct stat st;
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 077))
        return "";
    return folder;
}

// The name as a file name: letters and digits kept, everything else an underscore.
std::string FileStem(LPCWSTR className, LPCWSTR title) {
    std::string stem;
    for (char c : ToUtf8(std::wstring(className) + L"-" + title))
        stem += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ? c : '_';
    return stem;
}

bool MakeAddress(const std::string& path, sockaddr_un* address) {
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (path.size() >= sizeof(address->sun_path)) return false;
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

void OnRaiseRequest(int fd, void* context) {
    auto* claim = static_cast<Claim*>(context);
    int client = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    // The request is one short line; a caller that connects and says nothing is not waited for long.
    char buffer[16] = {};
    pollfd p{client, POLLIN, 0};
    if (poll(&p, 1, 200) == 1 && read(client, buffer, sizeof(buffer) - 1) > 0 &&
        std::strncmp(buffer, kRaiseRequest, sizeof(kRaiseRequest) - 1) == 0) {
        HWND window = FindTopLevel(claim->className.c_str(), claim->title.c_str());
        if (window) ActivateWithOwned(window);
        else CurrentBackend().Raise();
    }
    close(client);
}

int Listen(const std::string& path) {
    sockaddr_un address;
    if (!MakeAddress(path, &address)) return -1;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    unlink(path.c_str());  // left by an earlier holder of the lock we now hold
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(fd, 4) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool AskToRaise(const std::string& path) {
    sockaddr_un address;
    if (!MakeAddress(path, &address)) return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool sent = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                write(fd, kRaiseRequest, sizeof(kRaiseRequest) - 1) == static_cast<ssize_t>(sizeof(kRaiseRequest) - 1);
    close(fd);
    return sent;
}

// NULL when the name is free (it is then ours) or cannot be checked; a remote handle when taken.
HWND ClaimOrFind(LPCWSTR className, LPCWSTR title) {
    std::string lockPath = InstanceLockPath(className, title);
    if (lockPath.empty()) return nullptr;
    InstanceState& s = State();
    if (s.claims.count(lockPath)) return nullptr;
    int lockFd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0) return nullptr;
    std::string socketPath = lockPath.substr(0, lockPath.size() - 5) + ".sock";
    if (flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
        close(lockFd);
        if (errno != EWOULDBLOCK) return nullptr;
        return ToHandle<HWND>(s.remotes.Add(std::make_unique<RemoteWindow>(RemoteWindow{socketPath})));
    }
    auto claim = std::make_unique<Claim>(Claim{className, title, lockFd, Listen(socketPath)});
    if (claim->socketFd >= 0) WatchReadable(claim->socketFd, OnRaiseRequest, claim.get());
    s.claims[lockPath] = std::move(claim);
    return nullptr;
}

// The window, its owned windows that are minimised restored, and the program's window raised.
BOOL Raise(HWND hwnd, bool withOwned) {
    if (const RemoteWindow* remote = State().remotes.Find(hwnd)) return AskToRaise(remote->socketPath) ? TRUE : FALSE;
    HWND top = TopLevelOf(hwnd);
    if (!top) return FALSE;
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (w->minimized && (h == top || (withOwned && w->owner == top))) ShowWindow(h, SW_RESTORE);
    }
    CurrentBackend().Raise();
    return TRUE;
}

}  // namespace

std::string InstanceLockPath(LPCWSTR className, LPCWSTR title) {
    std::string folder = RuntimeFolder();
    if (folder.empty() || !className || !title) return "";
    return folder + "/" + FileStem(className, title) + ".lock";
}

void ResetSingleInstance() {
    InstanceState& s = State();
    for (auto& [path, claim] : s.claims) {
        if (claim->socketFd >= 0) {
            UnwatchReadable(claim->socketFd);
            close(claim->socketFd);
        }
        close(claim->lockFd);
    }
    s.claims.clear();
    s.remotes.Clear();
}

}  // namespace platform

HWND FindWindowW(LPCWSTR className, LPCWSTR title) {
    if (!className || !*className || !title || !*title) return nullptr;
    if (HWND local = platform::FindTopLevel(className, title)) return local;
    return platform::ClaimOrFind(className, title);
}

BOOL SetForegroundWindow(HWND hwnd) { return platform::Raise(hwnd, false); }
BOOL ActivateWithOwned(HWND hwnd) { return platform::Raise(hwnd, true); }
