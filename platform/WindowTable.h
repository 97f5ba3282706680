// Internal: the records behind window handles, shared by the message queue and the window calls.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

namespace platform {

struct WindowRecord {
    HWND handle = nullptr;
    WNDPROC proc = nullptr;
    std::wstring className;
    UINT classStyle = 0;
    HINSTANCE instance = nullptr;
    std::wstring title;
    HWND parent = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};  // device-screen coordinates
    LONG_PTR userData = 0;
    bool visible = false;
    bool enabled = true;
    bool minimized = false;
    bool destroying = false;
    RECT update{};  // bounding box of the invalid area, client coordinates
    bool erase = false;
    uint64_t creationOrder = 0;
};

WindowRecord* FindWindowRecord(HWND hwnd);
// Live windows in creation order (parents come before their children).
std::vector<HWND> WindowsInCreationOrder();
// The first visible window whose update area is not empty, or NULL.
HWND NextWindowToPaint();
// Drops every window and class without sending anything (a fresh platform state).
void ResetWindows();

}  // namespace platform
