// Termination signals through a self-pipe into the input queue.
#include "platform/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

#include "platform/Backend.h"
#include "platform/Input.h"
#include "platform/Messages.h"

namespace platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handler reads these, so they are plain globals of a type that is safe to read there.
volatile sig_atomic_t g_writeEnd = -1;
int g_readEnd = -1;
struct sigaction g_previous[std::size(kSignals)];

void OnSignal(int signo) {
    int saved = errno;
    char byte = static_cast<char>(signo);
    // A full pipe already holds a request; losing this byte loses nothing.
    ssize_t ignored = write(g_writeEnd, &byte, 1);
    (void)ignored;
    errno = saved;
}

void OnPipeReadable(int fd, void*) {
    char buffer[64];
    bool any = false;
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            any = true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    // Several signals in a row are one request: a second WM_CLOSE would find the window gone.
    if (any) QueueInput(InputEvent{InputType::Close, 0, 0, 0, 0, false});
}

}  // namespace

bool RouteTerminationSignals() {
    if (g_readEnd >= 0) {
        // A platform reset forgets the watch list, not the handlers.
        WatchReadable(g_readEnd, &OnPipeReadable, nullptr);
        return true;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    g_readEnd = fds[0];
    g_writeEnd = fds[1];
    struct sigaction action {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        if (sigaction(kSignals[i], &action, &g_previous[i]) != 0) {
            for (size_t j = 0; j < i; ++j) sigaction(kSignals[j], &g_previous[j], nullptr);
            close(fds[0]);
            close(fds[1]);
            g_readEnd = -1;
            g_writeEnd = -1;
            return false;
        }
    }
    WatchReadable(g_readEnd, &OnPipeReadable, nullptr);
    return true;
}

void StopRoutingTerminationSignals() {
    if (g_readEnd < 0) return;
    for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &g_previous[i], nullptr);
    UnwatchReadable(g_readEnd);
    int writeEnd = g_writeEnd;
    g_writeEnd = -1;  // before the close: the number may soon name another file
    close(writeEnd);
    close(g_readEnd);
    g_readEnd = -1;
}

void AbsorbTerminationSignals() {
    if (g_readEnd >= 0) {
        // The handlers stay, writing into a pipe nobody reads any more (a full one loses nothing).
        UnwatchReadable(g_readEnd);
        return;
    }
    for (int signo : kSignals) signal(signo, SIG_IGN);
}

}  // namespace platform
