// A program's resources and the module instance that gives access to them.
#pragma once

#include <span>

#include "platform/Types.h"

namespace platform {

struct StringResource {
    UINT id;
    const wchar_t* text;
};

// Everything a module carries. The tables are the program's data; the platform only reads them.
struct ModuleResources {
    std::span<const StringResource> strings;
};

// The instance handle that WinMain receives and that the resource calls take.
HINSTANCE RegisterModule(const ModuleResources& resources);
const ModuleResources* FindModule(HINSTANCE instance);
void ResetModules();

}  // namespace platform

// Copies string id into buffer, truncated to size - 1 characters and terminated; returns the
// characters copied. 0 for an absent id or an unknown instance (the buffer then holds "").
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int size);

// The path of the running program (/proc/self/exe) in buffer; the characters copied, 0 when it
// cannot be read or does not fit (a truncated path is useless). Only the NULL module is known.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
