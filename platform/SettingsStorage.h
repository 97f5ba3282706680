// Internal: where the settings store keeps its keys and values. On a desktop each key is a folder
// under the settings root and each value a file in it (SettingsStorage.cpp); in a page, values are
// items of the browser's localStorage named "<key>/<value>" (web/SettingsStorage.cpp). Keys reach
// these calls as checked relative paths ("Qor/Tintaro"); failures are errno values.
#pragma once

#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform {

// No value is larger: longer writes are refused, longer reads fail.
constexpr size_t kMaxValueBytes = 1 << 20;

// The settings folder when neither a test nor the environment chooses one ("" when there is none).
std::string DefaultSettingsRoot();
// Where a key is kept (the folder, or the items' prefix): what a key record holds and a failure
// names. "" when there is no place for settings at all.
std::string KeyLocation(const std::string& relativeKey);
bool KeyExistsAt(const std::string& location);
// Makes the key and every key above it; *created says whether any was new. 0 or an errno value.
int CreateKeyAt(const std::string& location, bool* created);
// 0, or an errno value (ENOENT for a value that is not set).
int ReadValueAt(const std::string& location, const std::string& name, std::vector<BYTE>* bytes);
// Replaces the value as a whole: a failure or a kill leaves the old one. The hook, when set, runs
// between the steps of a write that has steps. 0 or an errno value.
int WriteValueAt(const std::string& location, const std::string& name, const BYTE* data, size_t size,
                 StoreWriteHook hook);

}  // namespace platform
