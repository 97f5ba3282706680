// The four settings-store helpers over the platform's registry calls.
#include "framework/Settings.h"

#include "framework/ByteOrder.h"
#include "platform/Registry.h"

namespace {

BOOL Read(LPCWSTR key, LPCWSTR name, BYTE* buffer, DWORD* size) {
    if (!size) return FALSE;
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, 0, &h) != ERROR_SUCCESS) return FALSE;
    DWORD stored = *size;
    LONG result = RegQueryValueExW(h, name, nullptr, nullptr, buffer, &stored);
    RegCloseKey(h);
    if (result != ERROR_SUCCESS) return FALSE;
    *size = stored;
    return TRUE;
}

BOOL Write(LPCWSTR key, LPCWSTR name, DWORD type, const BYTE* data, DWORD size) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, 0, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return FALSE;
    LONG result = RegSetValueExW(h, name, 0, type, data, size);
    RegFlushKey(h);
    RegCloseKey(h);
    return result == ERROR_SUCCESS ? TRUE : FALSE;
}

}  // namespace

BOOL RegReadBinary(LPCWSTR key, LPCWSTR name, void* buffer, DWORD* size) {
    if (!buffer) return FALSE;
    return Read(key, name, static_cast<BYTE*>(buffer), size);
}

BOOL RegReadDword(LPCWSTR key, LPCWSTR name, DWORD* value) {
    if (!value) return FALSE;
    BYTE bytes[4];
    DWORD size = sizeof bytes;
    if (!Read(key, name, bytes, &size) || size == 0) return FALSE;
    for (DWORD i = 0; i < size; ++i) {
        *value &= ~(static_cast<DWORD>(0xFF) << (8 * i));
        *value |= static_cast<DWORD>(bytes[i]) << (8 * i);
    }
    return TRUE;
}

BOOL RegWriteBinary(LPCWSTR key, LPCWSTR name, const void* data, DWORD size) {
    return Write(key, name, REG_BINARY, static_cast<const BYTE*>(data), size);
}

BOOL RegWriteDword(LPCWSTR key, LPCWSTR name, DWORD value) {
    BYTE bytes[4];
    StoreLE32(bytes, static_cast<int32_t>(value));
    return Write(key, name, REG_DWORD, bytes, sizeof bytes);
}
