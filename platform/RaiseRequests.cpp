// Raise requests: one line asked ("raise"), one line answered ("ok"), or the connection ended.
#include "platform/RaiseRequests.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Backend.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/SingleInstance.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

constexpr char kRequest[] = "raise\n";
constexpr char kAnswer[] = "ok\n";
constexpr size_t kLineLimit = 16;
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 2000;
constexpr size_t kMaxCallers = 8;
constexpr uint32_t kCallerPatienceMs = 1000;  // a real caller says its line at once
constexpr int kAcceptsPerWake = 32;

bool MakeAddress(const std::string& path, sockaddr_un* address) {
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (path.size() >= sizeof(address->sun_path)) return false;
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

// The process at the other end runs as this user.
bool PeerIsUs(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

int MillisecondsUntil(uint32_t deadline) {
    return std::max(0, static_cast<int32_t>(deadline - MonotonicMilliseconds()));
}

// A connection within the time; a full queue (a copy that reads nothing) is tried again.
int ConnectBefore(int fd, const sockaddr_un& address, uint32_t deadline) {
    for (;;) {
        // A local socket connects at once or not at all: EAGAIN is a full queue, never a connection under way.
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return 0;
        if (errno != EAGAIN && errno != EINTR) return errno;
        if (MillisecondsUntil(deadline) == 0) return ETIMEDOUT;
        poll(nullptr, 0, 10);
    }
}

RaiseAnswer ReadAnswer(int fd, uint32_t deadline) {
    char line[kLineLimit];
    size_t got = 0;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        int ready = poll(&p, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return RaiseAnswer::Silent;
        ssize_t n = recv(fd, line + got, sizeof line - got, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n == 0 || (n < 0 && errno == ECONNRESET)) return RaiseAnswer::Refused;
        if (n < 0) return RaiseAnswer::Silent;
        got += static_cast<size_t>(n);
        if (std::memchr(line, '\n', got)) {
            bool ok = got == sizeof kAnswer - 1 && std::memcmp(line, kAnswer, got) == 0;
            return ok ? RaiseAnswer::Raised : RaiseAnswer::Silent;
        }
        if (got == sizeof line) return RaiseAnswer::Silent;
    }
}

}  // namespace

RaiseAnswer AskToRaise(const std::string& path) {
    sockaddr_un address;
    if (!MakeAddress(path, &address)) return RaiseAnswer::Silent;
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0) return errno == ENOENT ? RaiseAnswer::Refused : RaiseAnswer::Silent;
    if (!S_ISSOCK(st.st_mode) || st.st_uid != geteuid()) return RaiseAnswer::Silent;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return RaiseAnswer::Silent;
    RaiseAnswer answer = RaiseAnswer::Silent;
    int err = ConnectBefore(fd, address, MonotonicMilliseconds() + kConnectMs);
    if (err == ECONNREFUSED || err == ENOENT) {
        answer = RaiseAnswer::Refused;
    } else if (err == 0 && PeerIsUs(fd)) {
        // The copy may end between the connection and the request: that is a refusal, not a signal.
        if (send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof kRequest - 1))
            answer = ReadAnswer(fd, MonotonicMilliseconds() + kAnswerMs);
        else
            answer = errno == EPIPE || errno == ECONNRESET ? RaiseAnswer::Refused : RaiseAnswer::Silent;
    }
    close(fd);
    return answer;
}

RaiseListener::RaiseListener(std::wstring className, std::wstring title)
    : className_(std::move(className)), title_(std::move(title)) {}

RaiseListener::~RaiseListener() { Close(); }

bool RaiseListener::Open(const std::string& path) {
    Close();
    sockaddr_un address;
    if (!MakeAddress(path, &address)) return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    unlink(path.c_str());  // left by an earlier holder of the lock, or put there by anyone
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || chmod(path.c_str(), 0600) != 0 ||
        listen(fd, 16) != 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    WatchReadable(fd_, &OnListener, this);
    return true;
}

void RaiseListener::Close() {
    while (!callers_.empty()) Drop(callers_.front().fd);
    if (fd_ < 0) return;
    UnwatchReadable(fd_);
    close(fd_);  // connections still queued are reset: their callers see the refusal
    fd_ = -1;
}

void RaiseListener::OnListener(int, void* context) { static_cast<RaiseListener*>(context)->Accept(); }
void RaiseListener::OnCaller(int fd, void* context) { static_cast<RaiseListener*>(context)->Serve(fd); }

void RaiseListener::Accept() {
    uint32_t now = MonotonicMilliseconds();
    while (!callers_.empty() && now - callers_.front().since > kCallerPatienceMs) Drop(callers_.front().fd);
    for (int i = 0; i < kAcceptsPerWake && fd_ >= 0; ++i) {
        int fd = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) break;
        if (!PeerIsUs(fd)) {
            close(fd);
            continue;
        }
        if (callers_.size() >= kMaxCallers) {
            // Before anyone is let go, what the callers have said by now is heard: a real request
            // accepted a moment before its line arrived is not pushed out by a crowd behind it.
            std::vector<int> waiting;
            for (const Caller& c : callers_) waiting.push_back(c.fd);
            for (int c : waiting) Serve(c);
            if (callers_.size() >= kMaxCallers) Drop(callers_.front().fd);
        }
        callers_.push_back(Caller{fd, now, {}});
        WatchReadable(fd, &OnCaller, this);
        Serve(fd);  // the request usually comes with the connection
    }
}

void RaiseListener::Serve(int fd) {
    auto caller = std::find_if(callers_.begin(), callers_.end(), [fd](const Caller& c) { return c.fd == fd; });
    if (caller == callers_.end()) return;
    char chunk[kLineLimit];
    ssize_t n;
    while ((n = recv(fd, chunk, kLineLimit - caller->got.size(), MSG_DONTWAIT)) > 0) {
        caller->got.append(chunk, static_cast<size_t>(n));
        size_t end = caller->got.find('\n');
        if (end == std::string::npos && caller->got.size() < kLineLimit) continue;
        // A copy about to close refuses: its caller then waits for the name rather than for it.
        if (caller->got.compare(0, std::string::npos, kRequest) == 0 && !CloseRequestPending()) {
            HWND window = FindTopLevel(className_.c_str(), title_.c_str());
            if (window) ActivateWithOwned(window);
            else CurrentBackend().Raise();
            send(fd, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        }
        Drop(fd);  // one line, answered or not
        return;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) Drop(fd);
}

void RaiseListener::Drop(int fd) {
    auto caller = std::find_if(callers_.begin(), callers_.end(), [fd](const Caller& c) { return c.fd == fd; });
    if (caller == callers_.end()) return;
    UnwatchReadable(fd);
    close(fd);
    callers_.erase(caller);
}

}  // namespace platform
