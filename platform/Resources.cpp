// Module instances and string loading.
#include "platform/Resources.h"

#include <algorithm>
#include <cwctype>
#include <functional>
#include <memory>
#include <string>

#include "platform/Handles.h"
#include "platform/ShellExecute.h"
#include "platform/Utf8.h"

namespace platform {
namespace {

HandleTable<ModuleResources>& Modules() {
    static HandleTable<ModuleResources> modules{HandleKind::Module};
    return modules;
}

bool SameName(LPCWSTR a, LPCWSTR b) {
    if (!a || !b || IS_INTRESOURCE(a) || IS_INTRESOURCE(b)) return a == b;
    for (; *a && *b; ++a, ++b)
        if (std::towupper(static_cast<wint_t>(*a)) != std::towupper(static_cast<wint_t>(*b))) return false;
    return *a == *b;
}

template <class T>
const T* Within(std::span<const T> table, HRSRC resource) {
    auto* p = reinterpret_cast<const T*>(resource);
    std::less<const T*> before;
    return !table.empty() && !before(p, table.data()) && before(p, table.data() + table.size()) ? p : nullptr;
}

// The bytes of an image or a sound resource; empty for anything else.
std::span<const BYTE> FileBytes(const ModuleResources& module, HRSRC resource) {
    if (const ImageResource* image = Within(module.images, resource)) return image->bytes;
    if (const WaveResource* wave = Within(module.waves, resource)) return wave->bytes;
    return {};
}

}  // namespace

HINSTANCE RegisterModule(const ModuleResources& resources) {
    return ToHandle<HINSTANCE>(Modules().Add(std::make_unique<ModuleResources>(resources)));
}

const ModuleResources* FindModule(HINSTANCE instance) { return Modules().Find(instance); }
void ResetModules() { Modules().Clear(); }

const SoftKeyBarResource* FindSoftKeyBar(HINSTANCE instance, UINT id) {
    const ModuleResources* module = FindModule(instance);
    if (!module) return nullptr;
    for (const SoftKeyBarResource& bar : module->softKeyBars)
        if (bar.id == id) return &bar;
    return nullptr;
}

}  // namespace platform

HRSRC FindResourceW(HINSTANCE instance, LPCWSTR name, LPCWSTR type) {
    const platform::ModuleResources* module = platform::FindModule(instance);
    if (!module || !name || !type) return nullptr;
    auto found = [](const auto& r) { return reinterpret_cast<HRSRC>(const_cast<void*>(static_cast<const void*>(&r))); };
    if (!IS_INTRESOURCE(name)) {
        if (!platform::SameName(type, RT_WAVE)) return nullptr;
        for (const platform::WaveResource& w : module->waves)
            if (platform::SameName(w.name, name)) return found(w);
        return nullptr;
    }
    UINT id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    if (type == RT_DIALOG) {
        for (const platform::DialogResource& d : module->dialogs)
            if (d.id == id) return found(d);
        return nullptr;
    }
    for (const platform::ImageResource& image : module->images)
        if (image.id == id && platform::SameName(image.type, type)) return found(image);
    return nullptr;
}

HGLOBAL LoadResource(HINSTANCE instance, HRSRC resource) {
    const platform::ModuleResources* module = platform::FindModule(instance);
    if (!resource || !module) return nullptr;
    std::span<const BYTE> bytes = platform::FileBytes(*module, resource);
    if (bytes.data()) return const_cast<BYTE*>(bytes.data());
    return reinterpret_cast<HGLOBAL>(resource);
}

LPVOID LockResource(HGLOBAL loaded) { return loaded; }

DWORD SizeofResource(HINSTANCE instance, HRSRC resource) {
    const platform::ModuleResources* module = platform::FindModule(instance);
    return module && resource ? static_cast<DWORD>(platform::FileBytes(*module, resource).size()) : 0;
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size) {
    if (!buffer || size < 1) return 0;
    buffer[0] = L'\0';
    const platform::ModuleResources* module = platform::FindModule(instance);
    if (!module) return 0;
    for (const platform::StringResource& s : module->strings) {
        if (s.id != id || !s.text) continue;
        size_t n = std::min<size_t>(std::wcslen(s.text), static_cast<size_t>(size - 1));
        std::wmemcpy(buffer, s.text, n);
        buffer[n] = L'\0';
        return static_cast<int>(n);
    }
    return 0;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    if (module || !buffer || size == 0) return 0;
    buffer[0] = L'\0';
    std::string path = platform::ModuleFilePath().native();
    if (path.empty()) return 0;
    std::wstring wide = platform::FromUtf8(path);
    if (wide.empty() || wide.size() >= size) return 0;
    std::wmemcpy(buffer, wide.c_str(), wide.size() + 1);
    return static_cast<DWORD>(wide.size());
}
