// The settings store: registry keys and values, checked here and kept by the host (SettingsStorage.h).
#include "platform/Registry.h"

#include <cerrno>
#include <cstring>
#include <cwctype>
#include <memory>
#include <vector>

#include "platform/Handles.h"
#include "platform/SettingsStorage.h"
#include "platform/Utf8.h"

namespace platform {
namespace {

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

// HKEY_CURRENT_USER + "SOFTWARE\A\B" -> the location of "A/B". False for anything outside SOFTWARE.
bool FolderOfKey(HKEY root, LPCWSTR subKey, std::string* folder) {
    if (root != HKEY_CURRENT_USER || !subKey) return false;
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
    std::string relative;
    for (size_t i = 1; i < parts.size(); ++i) {
        if (!SafeComponent(parts[i])) return false;
        relative += (i > 1 ? "/" : "") + ToUtf8(parts[i]);
    }
    *folder = KeyLocation(relative);
    return !folder->empty();
}

HKEY AddKey(std::string folder) {
    return ToHandle<HKEY>(State().keys.Add(std::make_unique<KeyRecord>(KeyRecord{std::move(folder)})));
}

LONG Failed(const std::string& folder, const std::string& value, int err, LONG fallback) {
    State().failures.push_back(StoreWriteFailure{folder, value, std::strerror(err)});
    return ErrorFromErrno(err, fallback);
}

}  // namespace

void SetSettingsRoot(const std::string& folder) { State().rootOverride = folder; }

std::string SettingsRoot() {
    return State().rootOverride.empty() ? DefaultSettingsRoot() : State().rootOverride;
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
    if (!platform::KeyExistsAt(folder)) return ERROR_FILE_NOT_FOUND;
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
    if (int err = platform::CreateKeyAt(folder, &created); err != 0)
        return platform::Failed(folder, "", err, ERROR_ACCESS_DENIED);
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
    if (int err = platform::ReadValueAt(k->folder, file, &bytes); err != 0)
        return platform::ErrorFromErrno(err, ERROR_READ_FAULT);
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
    int err = platform::WriteValueAt(k->folder, file, data, size, platform::State().hook);
    return err == 0 ? ERROR_SUCCESS : platform::Failed(k->folder, file, err, ERROR_WRITE_FAULT);
}

LONG RegFlushKey(HKEY key) { return platform::State().keys.Find(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

LONG RegCloseKey(HKEY key) { return platform::State().keys.Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }
