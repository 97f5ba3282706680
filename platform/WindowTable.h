// Internal: the records behind window handles, shared by the message queue, the window calls,
// input routing, the screen and the shell.
#pragma once

#include <memory>
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
// Takes a new window's record, stamps its creation order and handle, and returns the handle;
// NULL when no handle is left.
HWND AddWindowRecord(std::unique_ptr<WindowRecord> record);
// The handle dies for ever.
void RemoveWindowRecord(HWND hwnd);
// Live windows in creation order (parents come before their children).
std::vector<HWND> WindowsInCreationOrder();
// Shown, with every window it sits in, and not being destroyed.
bool IsShown(const WindowRecord* w);
// The first shown window (its ancestors shown too) whose update area is not empty, or NULL.
HWND NextWindowToPaint();
// The top-level window a window sits in (itself for a top-level window); NULL for a dead one.
HWND TopLevelOf(HWND hwnd);
// Whether w is ancestor itself or lies inside it.
bool IsSameOrInside(HWND ancestor, HWND w);
// The window that takes input: the newest shown, enabled top-level window (a modal dialog
// while one runs, since its owner is disabled); NULL when there is none.
HWND ActiveWindow();
// Class names compare without regard to case.
bool SameClassName(const std::wstring& name, LPCWSTR other);
// The first live top-level window of this process with that class (any case) and title.
HWND FindTopLevel(LPCWSTR className, LPCWSTR title);
// The program's main window: the oldest top-level window that belongs to no other.
HWND MainWindow();
// Drops every window record without sending anything.
void ResetWindows();

}  // namespace platform
