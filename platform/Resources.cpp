// Module instances and string loading.
#include "platform/Resources.h"

#include <algorithm>
#include <string>
#include <memory>

#include "platform/Handles.h"
#include "platform/ShellExecute.h"
#include "platform/Utf8.h"

namespace platform {
namespace {

HandleTable<ModuleResources>& Modules() {
    static HandleTable<ModuleResources> modules{HandleKind::Module};
    return modules;
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
    if (!module || !IS_INTRESOURCE(name) || !name || type != RT_DIALOG) return nullptr;
    UINT id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    for (const platform::DialogResource& d : module->dialogs)
        if (d.id == id) return reinterpret_cast<HRSRC>(const_cast<platform::DialogResource*>(&d));
    return nullptr;
}

HGLOBAL LoadResource(HINSTANCE instance, HRSRC resource) {
    if (!resource || !platform::FindModule(instance)) return nullptr;
    return reinterpret_cast<HGLOBAL>(resource);
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
