// The per-user settings store behind the platform's registry calls.
//
// Only keys under HKEY_CURRENT_USER\SOFTWARE exist. The key "SOFTWARE\A\B" is the folder
// <root>/A/B, where <root> is $XDG_CONFIG_HOME (or ~/.config), and each value is one file named
// after it holding the value's raw bytes. The type is not kept: reads report REG_BINARY.
// A write replaces the file atomically and durably: a kill at any moment leaves the old value or
// the new one, never a torn one. Only a regular file is a value: anything else at its name (a FIFO,
// a device, a socket, a folder, a link) reads as absent, and each write has a temporary file of its own.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

// Opens an existing key; ERROR_FILE_NOT_FOUND when it does not exist. Nothing is created.
LONG RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
// Opens a key, creating it and every key above it as needed.
LONG RegCreateKeyExW(HKEY root, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM access,
                     const void* security, PHKEY result, LPDWORD disposition);
// Reads a value of any type. *size is the buffer's size on entry and the bytes stored on return.
// A value larger than the buffer fails with ERROR_MORE_DATA (*size then says how large it is).
LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
// Fails when the value could not be made durable, the folder's flush included (see FailedStoreWrites).
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
// Every write is already durable when RegSetValueExW returns.
LONG RegFlushKey(HKEY key);
LONG RegCloseKey(HKEY key);

namespace platform {

// The folder that stands for HKEY_CURRENT_USER\SOFTWARE; "" goes back to the XDG default.
void SetSettingsRoot(const std::string& folder);
// The folder in use, "" when none can be found (no XDG_CONFIG_HOME and no home folder).
std::string SettingsRoot();

// Tests stop a write between its steps through this hook (for example to simulate a kill).
enum class StoreWriteStage { TemporaryFileWritten };
using StoreWriteHook = void (*)(StoreWriteStage stage, const std::string& temporaryPath);
void SetStoreWriteHook(StoreWriteHook hook);

// A write that failed: the key's folder, the value's name ("" when the key itself could not be
// made) and the system's reason. Kept so that the program can say, on its way out, what was not saved.
struct StoreWriteFailure {
    std::string folder;
    std::string value;
    std::string reason;
};
std::vector<StoreWriteFailure> FailedStoreWrites();

// Closes every key and forgets the root, the hook and the failed writes (a fresh platform state).
void ResetSettingsStore();

}  // namespace platform
