// Window classes and windows as objects of the platform layer, under the platform's names.
#pragma once

#include "platform/Types.h"

// Registers a class; 0 if a class of that name is already registered in this process.
ATOM RegisterClassW(const WNDCLASSW* wc);
// Unregisters by name (or atom) and instance; FALSE if no such class.
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);

// Creates a window of a registered class (by name or by atom). With WS_CHILD, parent is the window
// it sits in and menu its control id; without, parent only owns the new top-level window. Top-level windows with
// CW_USEDEFAULT get the device's full-screen area between the status bar and the soft-key bar.
// Sends WM_CREATE (lParam: CREATESTRUCTW*, whose lpCreateParams is param); a result of -1 destroys
// the window and returns NULL. Then sends WM_SIZE with the client size. The client area starts invalid.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// Destroys the windows it owns, sends WM_DESTROY, destroys the children, and kills the handle for ever.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
// WM_PAINT validates; WM_CLOSE destroys the window; everything else returns 0.
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Only GWLP_USERDATA, a pointer-sized slot (0 until set); other indexes and dead windows give 0.
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);

// The window's rectangle in device-screen coordinates; the client rectangle is {0, 0, w, h}.
BOOL GetWindowRect(HWND hwnd, RECT* rc);
BOOL GetClientRect(HWND hwnd, RECT* rc);
// The parent of a child window; NULL for top-level windows (an owner is not a parent).
HWND GetParent(HWND hwnd);
// Child windows: (x, y) in the parent's client area; top-level windows: device-screen coordinates.
// A change of size sends WM_SIZE at once (and, for classes with CS_HREDRAW or CS_VREDRAW, invalidates
// the whole client with an erase); repaint invalidates the whole client.
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// The child of dialog whose control id (the menu argument of its creation) is id; NULL if none.
HWND GetDlgItem(HWND dialog, int id);
BOOL IsChild(HWND parent, HWND hwnd);
// Paints the window now if its update area is not empty: WM_PAINT to that window only, nothing pumped.
BOOL UpdateWindow(HWND hwnd);

// The update area is kept as a bounding box of everything invalidated, clipped to the client.
// A NULL window does nothing (it does not mean "all windows").
BOOL InvalidateRect(HWND hwnd, const RECT* rc, BOOL erase);
// Validates everything when rc is NULL or covers the whole update area.
BOOL ValidateRect(HWND hwnd, const RECT* rc);
BOOL GetUpdateRect(HWND hwnd, RECT* rc, BOOL erase);

// SW_SHOW, SW_HIDE, SW_MINIMIZE, SW_RESTORE. Returns whether the window was visible before.
// Minimising a top-level window minimises the program's window on the desktop; it sends no
// WM_SIZE and keeps the rectangle. A window that becomes visible is repainted.
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
// Returns nonzero if the window was disabled before. A change sends WM_ENABLE (wParam: enabled now).
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
// Sends WM_KILLFOCUS to the old focus and WM_SETFOCUS to the new one; returns the old focus.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

namespace platform {
// Forgets every class and the focus and drops every window without sending anything (a fresh
// platform state).
void ResetWindowing();
}  // namespace platform
