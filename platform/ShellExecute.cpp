// Documents opened by the desktop's opener, started without a shell and reaped when it ends.
#include "platform/ShellExecute.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/Backend.h"

extern char** environ;

namespace platform {
namespace {

struct Child {
    pid_t pid;
    int pidfd;  // readable once the child has ended; -1 where the kernel has none
};

std::vector<Child>& Children() {
    static std::vector<Child> children;
    return children;
}

void ChildEnded(int, void*) { ReapFinishedChildren(); }

// Nothing the program set up for itself follows the opener: not its ignored or blocked signals
// (a browser that ignores SIGPIPE misbehaves), not its descriptors (a browser holding the
// single-instance lock would keep the next start from running), not its terminal.
bool Prepare(posix_spawn_file_actions_t* actions, posix_spawnattr_t* attributes) {
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    return posix_spawn_file_actions_addopen(actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
           posix_spawn_file_actions_addopen(actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
           posix_spawn_file_actions_adddup2(actions, 1, 2) == 0 &&
           posix_spawn_file_actions_addclosefrom_np(actions, 3) == 0 &&
           posix_spawnattr_setsigmask(attributes, &none) == 0 &&
           posix_spawnattr_setsigdefault(attributes, &all) == 0 &&
           posix_spawnattr_setflags(attributes,
                                    POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID) == 0;
}

}  // namespace

std::filesystem::path ModuleFilePath() {
    // readlink cuts a long path short without saying so: grow the buffer until the path fits.
    std::string path(256, '\0');
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
        if (n <= 0) return {};
        if (static_cast<size_t>(n) < path.size()) {
            path.resize(static_cast<size_t>(n));
            return path;
        }
        if (path.size() >= 65536) return {};
        path.resize(path.size() * 2);
    }
}

std::vector<std::string> OpenerCommand(const std::string& document) {
    const char* chosen = std::getenv("TINTARO_OPENER");
    return {chosen && *chosen ? chosen : "xdg-open", document};
}

bool SpawnDetached(const std::vector<std::string>& argv) {
    ReapFinishedChildren();
    if (argv.empty() || argv[0].empty()) return false;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) return false;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
    pid_t pid = -1;
    // An opener that cannot be executed fails here: the C library reaps that child itself.
    bool started = Prepare(&actions, &attributes) &&
                   posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (!started) return false;

    // The pid stays ours until it is reaped, so the descriptor (close-on-exec) cannot name another
    // process. Without one, the child is reaped when the next opener starts.
    int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    Children().push_back(Child{pid, pidfd});
    if (pidfd >= 0) WatchReadable(pidfd, ChildEnded, nullptr);
    return true;
}

int ReapFinishedChildren() {
    std::vector<Child>& children = Children();
    for (auto it = children.begin(); it != children.end();) {
        pid_t reaped;
        do {
            reaped = waitpid(it->pid, nullptr, WNOHANG);
        } while (reaped < 0 && errno == EINTR);
        if (reaped == 0) {
            ++it;
            continue;
        }
        // Reaped now, or already gone (SIGCHLD ignored by someone): forget it either way.
        if (it->pidfd >= 0) {
            UnwatchReadable(it->pidfd);
            close(it->pidfd);
        }
        it = children.erase(it);
    }
    return static_cast<int>(children.size());
}

}  // namespace platform

BOOL ShellOpenDocument(const std::filesystem::path& document) {
    std::error_code error;
    if (document.empty() || !std::filesystem::is_regular_file(document, error)) return FALSE;
    // Absolute, so that no opener can take it for an option.
    std::filesystem::path full = std::filesystem::absolute(document, error);
    if (error) return FALSE;
    return platform::CurrentBackend().OpenDocument(full.native()) ? TRUE : FALSE;
}
