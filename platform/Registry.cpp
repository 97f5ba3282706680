// The settings store: registry keys as folders, values as files replaced atomically.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cwctype>
#include <memory>
#include <vector>

#include "platform/Handles.h"
#include "platform/Registry.h"
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

// mkdir -p with private folders.
LONG MakeFolders(const std::string& folder, bool* created) {
    *created = false;
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/') continue;
        std::string prefix = folder.substr(0, pos);
        if (mkdir(prefix.c_str(), 0700) == 0) {
            *created = true;
        } else if (errno != EEXIST || !IsDirectory(prefix)) {
            return ErrorFromErrno(errno == EEXIST ? ENOTDIR : errno, ERROR_ACCESS_DENIED);
        }
    }
    return ERROR_SUCCESS;
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

void SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Temporary file in the same folder, flushed, renamed over the value, then the folder flushed.
LONG ReplaceFile(const std::string& folder, const std::string& name, const BYTE* data, size_t size) {
    std::string target = folder + "/" + name;
    std::string temporary = target + kTemporarySuffix;
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return ErrorFromErrno(errno, ERROR_WRITE_FAULT);
    bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
    int err = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && State().hook) State().hook(StoreWriteStage::TemporaryFileWritten, temporary);
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        return ErrorFromErrno(err, ERROR_WRITE_FAULT);
    }
    SyncFolder(folder);
    return ERROR_SUCCESS;
}

LONG ReadFile(const std::string& path, std::vector<BYTE>* bytes) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ErrorFromErrno(errno, ERROR_READ_FAULT);
    struct stat st{};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
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

void ResetSettingsStore() {
    StoreState& s = State();
    s.keys.Clear();
    s.rootOverride.clear();
    s.hook = nullptr;
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
    if (LONG err = platform::MakeFolders(folder, &created); err != ERROR_SUCCESS) return err;
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
    return platform::ReplaceFile(k->folder, file, data, size);
}

LONG RegFlushKey(HKEY key) { return platform::State().keys.Find(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

LONG RegCloseKey(HKEY key) { return platform::State().keys.Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }
