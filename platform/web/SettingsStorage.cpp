// The settings store in a page: each value an item of the browser's localStorage named
// "<key>/<value>" ("Qor/Tintaro/GameState"), its bytes in base64; a key is an item "<key>/" of its
// own. An item replaces its old value whole. Storage the browser refuses (switched off, or full)
// fails as a folder that cannot be written does.
#include "platform/SettingsStorage.h"

#include <emscripten.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

// 0, 1 where the page may not use storage, 2 where it is full.
EM_JS(int, SetItem, (const char* name, const uint8_t* data, size_t size), {
    try {
        var text = "";
        for (var i = 0; i < size; i += 0x8000)
            text += String.fromCharCode.apply(null, HEAPU8.subarray(data + i, data + Math.min(size, i + 0x8000)));
        localStorage.setItem(UTF8ToString(name), btoa(text));
        return 0;
    } catch (e) {
        return e && e.name === "QuotaExceededError" ? 2 : 1;
    }
});

// The item's bytes in a buffer of malloc's (the caller frees it), or null when there is no such
// item, or none that holds base64.
EM_JS(uint8_t*, FetchItem, (const char* name, size_t* size), {
    var bytes;
    try {
        var text = localStorage.getItem(UTF8ToString(name));
        if (text === null) return 0;
        bytes = atob(text);
    } catch (e) {
        return 0;
    }
    var out = _malloc(Math.max(1, bytes.length));
    for (var i = 0; i < bytes.length; ++i) HEAPU8[out + i] = bytes.charCodeAt(i);
    HEAPU32[size >> 2] = bytes.length;
    return out;
});

int StoreItem(const std::string& name, const uint8_t* data, size_t size) {
    switch (SetItem(name.c_str(), data, size)) {
        case 0: return 0;
        case 2: return ENOSPC;
        default: return EACCES;
    }
}

EM_JS(int, AnyItemUnder, (const char* prefix), {
    try {
        prefix = UTF8ToString(prefix);
        for (var i = 0; i < localStorage.length; ++i)
            if (localStorage.key(i).startsWith(prefix)) return 1;
    } catch (e) {
    }
    return 0;
});

}  // namespace

namespace platform {

// A page has no settings folder: its store is the origin's localStorage.
std::string DefaultSettingsRoot() { return ""; }

// Values directly under SOFTWARE have no item name: only keys below it are kept.
std::string KeyLocation(const std::string& relativeKey) { return relativeKey; }

bool KeyExistsAt(const std::string& location) { return AnyItemUnder((location + "/").c_str()) != 0; }

int CreateKeyAt(const std::string& location, bool* created) {
    *created = false;
    for (size_t pos = location.find('/'); ; pos = location.find('/', pos + 1)) {
        const std::string key = location.substr(0, pos) + "/";
        if (!AnyItemUnder(key.c_str())) {
            if (int err = StoreItem(key, nullptr, 0); err != 0) return err;
            *created = true;
        }
        if (pos == std::string::npos) return 0;
    }
}

int ReadValueAt(const std::string& location, const std::string& name, std::vector<BYTE>* bytes) {
    size_t size = 0;
    uint8_t* data = FetchItem((location + "/" + name).c_str(), &size);
    if (!data) return ENOENT;
    int result = size > kMaxValueBytes ? EFBIG : 0;
    if (result == 0) bytes->assign(data, data + size);
    std::free(data);
    return result;
}

int WriteValueAt(const std::string& location, const std::string& name, const BYTE* data, size_t size,
                 StoreWriteHook) {
    return StoreItem(location + "/" + name, data, size);
}

}  // namespace platform
