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
    HWND parent = nullptr;  // child windows: the window they sit in
    HWND owner = nullptr;   // top-level windows: the window they belong to (a dialog's owner)
    UINT id = 0;            // child windows: the control id
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
// The first shown window (its ancestors shown too) whose update area is not empty, or NULL.
HWND NextWindowToPaint();
// The top-level window a window sits in (itself for a top-level window); NULL for a dead one.
HWND TopLevelOf(HWND hwnd);
// Whether w is ancestor itself or lies inside it.
bool IsSameOrInside(HWND ancestor, HWND w);
// The window that takes input: the newest shown, enabled top-level window (a modal dialog
// while one runs, since its owner is disabled); NULL when there is none.
HWND ActiveWindow();
// The first live top-level window of this process with that class (any case) and title.
HWND FindTopLevel(LPCWSTR className, LPCWSTR title);
// The program's main window: the oldest top-level window that belongs to no other.
HWND MainWindow();
// Drops every window and class without sending anything (a fresh platform state).
void ResetWindows();

}  // namespace platform
