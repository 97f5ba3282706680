// The settings store on a desktop: keys as private folders, values as files replaced atomically
// and durably.
#include "platform/SettingsStorage.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace platform {
namespace {

constexpr char kTemporarySuffix[] = ".tmp";

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteAll(int fd, const BYTE* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The folder's entry for the renamed file is durable only once the folder itself is flushed.
int SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int err = fsync(fd) == 0 ? 0 : errno;
    close(fd);
    return err;
}

// "<name>.XXXXXX.tmp": a temporary file of one writer, which holds a lock on it while it lives.
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
    return entry.size() == name.size() + 1 + 6 + 4 && entry.compare(0, name.size() + 1, name + ".") == 0 &&
           EndsWith(entry, kTemporarySuffix);
}

// Temporary files of this value whose writers died before their rename (a kill). A file not
// written for a few seconds that nobody holds a lock on has no writer any more.
void RemoveLeftovers(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    time_t oldEnough = time(nullptr) - 5;
    while (const dirent* e = readdir(dir)) {
        struct stat st{};
        if (!IsTemporaryOf(e->d_name, name) || fstatat(dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_mtime > oldEnough)
            continue;
        int fd = openat(dirfd(dir), e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlinkat(dirfd(dir), e->d_name, 0);
        close(fd);
    }
    closedir(dir);
}

}  // namespace

std::string DefaultSettingsRoot() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;  // a relative value is ignored, as XDG says
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
        return std::string(pw->pw_dir) + "/.config";
    return "";
}

std::string KeyLocation(const std::string& relativeKey) {
    std::string root = SettingsRoot();
    if (root.empty()) return "";
    return relativeKey.empty() ? root : root + "/" + relativeKey;
}

bool KeyExistsAt(const std::string& location) { return IsDirectory(location); }

// mkdir -p with private folders.
int CreateKeyAt(const std::string& folder, bool* created) {
    *created = false;
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/') continue;
        std::string prefix = folder.substr(0, pos);
        if (mkdir(prefix.c_str(), 0700) == 0) {
            *created = true;
        } else if (errno != EEXIST || !IsDirectory(prefix)) {
            return errno == EEXIST ? ENOTDIR : errno;
        }
    }
    return 0;
}

// Only a regular file is a value. Anything else at its name (a FIFO, a device, a socket, a
// folder, a link) is not set, and is never opened in a way that could block or have effects.
int ReadValueAt(const std::string& folder, const std::string& name, std::vector<BYTE>* bytes) {
    const std::string path = folder + "/" + name;
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0) return errno;
    if (!S_ISREG(st.st_mode)) return ENOENT;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ELOOP ? ENOENT : errno;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {  // replaced since the look
        close(fd);
        return ENOENT;
    }
    BYTE chunk[4096];
    int result = 0;
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result = errno;
            break;
        }
        if (n == 0) break;
        bytes->insert(bytes->end(), chunk, chunk + n);
        if (bytes->size() > kMaxValueBytes) {
            result = EFBIG;
            break;
        }
    }
    close(fd);
    return result;
}

// A temporary file of this writer's own in the same folder, flushed, renamed over the value,
// then the folder flushed. Whatever lies at the value's name or at other temporary names is
// never opened.
int WriteValueAt(const std::string& folder, const std::string& name, const BYTE* data, size_t size,
                 StoreWriteHook hook) {
    RemoveLeftovers(folder, name);
    std::string temporary = folder + "/" + name + ".XXXXXX" + kTemporarySuffix;
    int fd = mkostemps(temporary.data(), sizeof(kTemporarySuffix) - 1, O_CLOEXEC);
    if (fd < 0) return errno;
    flock(fd, LOCK_EX);  // marks the file as one with a live writer
    errno = 0;
    int err = WriteAll(fd, data, size) && fsync(fd) == 0 ? 0 : (errno ? errno : EIO);
    if (close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && hook) hook(StoreWriteStage::TemporaryFileWritten, temporary);
    if (err == 0 && rename(temporary.c_str(), (folder + "/" + name).c_str()) != 0) err = errno;
    if (err != 0) {
        unlink(temporary.c_str());
        return err;
    }
    return SyncFolder(folder);
}

}  // namespace platform
