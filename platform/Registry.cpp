// The settings store: registry keys as folders, values as files replaced atomically.
#include "platform/Registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwctype>
#include <memory>
#include <vector>

#include "platform/Handles.h"
#include "platform/Utf8.h"

namespace platform {
namespace {

constexpr size_t kMaxValueBytes = 1 << 20;
constexpr size_t kMaxNameLength = 255;
constexpr char kTemporarySuffix[] = ".tmp";

struct KeyRecord {
    std::string folder;
};

struct StoreState {
    HandleTable<KeyRecord> keys{HandleKind::Key};
    std::string rootOverride;
    StoreWriteHook hook = nullptr;
    std::vector<StoreWriteFailure> failures;
};

StoreState& State() {
    static StoreState state;
    return state;
}

LONG ErrorFromErrno(int err, LONG fallback) {
    switch (err) {
        case ENOENT:
        case ENOTDIR: return ERROR_FILE_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS: return ERROR_ACCESS_DENIED;
        case ENOSPC:
        case EDQUOT: return ERROR_DISK_FULL;
        default: return fallback;
    }
}

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// One path component: never empty, ".", ".." or containing a slash, so nothing escapes the root.
bool SafeComponent(const std::wstring& c) {
    return !c.empty() && c.size() <= kMaxNameLength && c != L"." && c != L".." && c.find(L'/') == std::wstring::npos;
}

bool SafeValueName(LPCWSTR name, std::string* out) {
    if (!name || !SafeComponent(name)) return false;
    *out = ToUtf8(name);
    return !EndsWith(*out, kTemporarySuffix);
}

bool IsDirectory(const std::string& path) {
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// HKEY_CURRENT_USER + "SOFTWARE\A\B" -> <root>/A/B. False for anything outside SOFTWARE.
bool FolderOfKey(HKEY root, LPCWSTR subKey, std::string* folder) {
    if (root != HKEY_CURRENT_USER || !subKey) return false;
    std::string base = SettingsRoot();
    if (base.empty()) return false;
    std::wstring path(subKey);
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t end = path.find(L'\\', start);
        parts.push_back(path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    std::wstring first = parts.front();
    for (wchar_t& c : first) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    if (first != L"SOFTWARE") return false;
    *folder = base;
    for (size_t i = 1; i < parts.size(); ++i) {
        if (!SafeComponent(parts[i])) return false;
        *folder += "/" + ToUtf8(parts[i]);
    }
    return true;
}

// mkdir -p with private folders. Returns 0 or the errno of the folder that could not be made.
int MakeFolders(const std::string& folder, bool* created) {
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

HKEY AddKey(std::string folder) {
    return ToHandle<HKEY>(State().keys.Add(std::make_unique<KeyRecord>(KeyRecord{std::move(folder)})));
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

// A temporary file of this writer's own in the same folder, flushed, renamed over the value,
// then the folder flushed. Whatever lies at the value's name or at other temporary names is
// never opened. Returns 0 or the errno of the step that failed.
int ReplaceFile(const std::string& folder, const std::string& name, const BYTE* data, size_t size) {
    RemoveLeftovers(folder, name);
    std::string temporary = folder + "/" + name + ".XXXXXX" + kTemporarySuffix;
    int fd = mkostemps(temporary.data(), sizeof(kTemporarySuffix) - 1, O_CLOEXEC);
    if (fd < 0) return errno;
    flock(fd, LOCK_EX);  // marks the file as one with a live writer
    errno = 0;
    int err = WriteAll(fd, data, size) && fsync(fd) == 0 ? 0 : (errno ? errno : EIO);
    if (close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && State().hook) State().hook(StoreWriteStage::TemporaryFileWritten, temporary);
    if (err == 0 && rename(temporary.c_str(), (folder + "/" + name).c_str()) != 0) err = errno;
    if (err != 0) {
        unlink(temporary.c_str());
        return err;
    }
    return SyncFolder(folder);
}

// Only a regular file is a value. Anything else at its name (a FIFO, a device, a socket, a
// folder, a link) is not set, and is never opened in a way that could block or have effects.
LONG ReadFile(const std::string& path, std::vector<BYTE>* bytes) {
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0) return ErrorFromErrno(errno, ERROR_READ_FAULT);
    if (!S_ISREG(st.st_mode)) return ERROR_FILE_NOT_FOUND;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ELOOP ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno, ERROR_READ_FAULT);
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {  // replaced since the look
        close(fd);
        return ERROR_FILE_NOT_FOUND;
    }
    BYTE chunk[4096];
    LONG result = ERROR_SUCCESS;
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result = ErrorFromErrno(errno, ERROR_READ_FAULT);
            break;
        }
        if (n == 0) break;
        bytes->insert(bytes->end(), chunk, chunk + n);
        if (bytes->size() > kMaxValueBytes) {
            result = ERROR_READ_FAULT;
            break;
        }
    }
    close(fd);
    return result;
}

LONG Failed(const std::string& folder, const std::string& value, int err, LONG fallback) {
    State().failures.push_back(StoreWriteFailure{folder, value, std::strerror(err)});
    return ErrorFromErrno(err, fallback);
}

}  // namespace

void SetSettingsRoot(const std::string& folder) { State().rootOverride = folder; }

std::string SettingsRoot() {
    if (!State().rootOverride.empty()) return State().rootOverride;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;  // a relative value is ignored, as XDG says
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
        return std::string(pw->pw_dir) + "/.config";
    return "";
}

void SetStoreWriteHook(StoreWriteHook hook) { State().hook = hook; }

std::vector<StoreWriteFailure> FailedStoreWrites() { return State().failures; }

void ResetSettingsStore() {
    StoreState& s = State();
    s.keys.Clear();
    s.rootOverride.clear();
    s.hook = nullptr;
    s.failures.clear();
}

}  // namespace platform

using platform::KeyRecord;

LONG RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    std::string folder;
    if (!platform::FolderOfKey(root, subKey, &folder)) return ERROR_FILE_NOT_FOUND;
    if (!platform::IsDirectory(folder)) return ERROR_FILE_NOT_FOUND;
    HKEY key = platform::AddKey(std::move(folder));
    if (!key) return ERROR_ACCESS_DENIED;
    *result = key;
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY root, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, const void*, PHKEY result,
                     LPDWORD disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    std::string folder;
    if (!platform::FolderOfKey(root, subKey, &folder)) return ERROR_ACCESS_DENIED;
    bool created = false;
    if (int err = platform::MakeFolders(folder, &created); err != 0) return platform::Failed(folder, "", err, ERROR_ACCESS_DENIED);
    HKEY key = platform::AddKey(std::move(folder));
    if (!key) return ERROR_ACCESS_DENIED;
    *result = key;
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    const KeyRecord* k = platform::State().keys.Find(key);
    if (!k) return ERROR_INVALID_HANDLE;
    std::string file;
    if (!platform::SafeValueName(name, &file)) return ERROR_FILE_NOT_FOUND;
    if (data && !size) return ERROR_INVALID_PARAMETER;
    std::vector<BYTE> bytes;
    if (LONG err = platform::ReadFile(k->folder + "/" + file, &bytes); err != ERROR_SUCCESS) return err;
    if (type) *type = REG_BINARY;
    if (!size) return ERROR_SUCCESS;
    DWORD capacity = *size;
    *size = static_cast<DWORD>(bytes.size());
    if (!data) return ERROR_SUCCESS;
    if (bytes.size() > capacity) return ERROR_MORE_DATA;
    std::copy(bytes.begin(), bytes.end(), data);
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD, const BYTE* data, DWORD size) {
    const KeyRecord* k = platform::State().keys.Find(key);
    if (!k) return ERROR_INVALID_HANDLE;
    std::string file;
    if (!platform::SafeValueName(name, &file)) return ERROR_INVALID_PARAMETER;
    if ((!data && size > 0) || size > platform::kMaxValueBytes) return ERROR_INVALID_PARAMETER;
    int err = platform::ReplaceFile(k->folder, file, data, size);
    return err == 0 ? ERROR_SUCCESS : platform::Failed(k->folder, file, err, ERROR_WRITE_FAULT);
}

LONG RegFlushKey(HKEY key) { return platform::State().keys.Find(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

LONG RegCloseKey(HKEY key) { return platform::State().keys.Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }
