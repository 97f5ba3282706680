// Module instances and string loading.
#include "platform/Resources.h"

#include <algorithm>
#include <memory>

#include "platform/Handles.h"

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

}  // namespace platform

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
