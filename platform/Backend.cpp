// Which backend is in use.
#include "platform/Backend.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "platform/HeadlessBackend.h"
#include "platform/ShellExecute.h"

namespace platform {
namespace {

Backend* g_current = nullptr;

struct Watch {
    int fd;
    ReadableCallback callback;
    void* context;
};
std::vector<Watch> g_watches;

HeadlessBackend& BuiltIn() {
    static HeadlessBackend builtIn;
    return builtIn;
}

}  // namespace

bool Backend::OpenDocument(const std::string& path) { return SpawnDetached(OpenerCommand(path)); }

Backend& CurrentBackend() { return g_current ? *g_current : BuiltIn(); }
void SetBackend(Backend* backend) { g_current = backend; }

}  // namespace platform

namespace platform {

void ResetBackend() {
    g_current = nullptr;
    BuiltIn() = HeadlessBackend();
    g_watches.clear();
}

void WatchReadable(int fd, ReadableCallback callback, void* context) {
    UnwatchReadable(fd);
    if (fd >= 0 && callback) g_watches.push_back({fd, callback, context});
}

void UnwatchReadable(int fd) {
    g_watches.erase(std::remove_if(g_watches.begin(), g_watches.end(), [fd](const Watch& w) { return w.fd == fd; }),
                    g_watches.end());
}

std::vector<int> WatchedDescriptors() {
    std::vector<int> fds;
    for (const Watch& w : g_watches) fds.push_back(w.fd);
    return fds;
}

bool DispatchReadable(int timeoutMs) {
    if (g_watches.empty()) return false;
    std::vector<pollfd> fds;
    for (const Watch& w : g_watches) fds.push_back(pollfd{w.fd, POLLIN, 0});
    int n;
    do {
        n = poll(fds.data(), fds.size(), timeoutMs);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return false;
    // Callbacks may change the watch list: look each ready descriptor up again.
    bool ran = false;
    for (const pollfd& p : fds) {
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
        auto it = std::find_if(g_watches.begin(), g_watches.end(), [&](const Watch& w) { return w.fd == p.fd; });
        if (it == g_watches.end()) continue;
        Watch w = *it;
        w.callback(w.fd, w.context);
        ran = true;
    }
    return ran;
}

}  // namespace platform
