// Window classes and windows as objects of the platform layer, under the platform's names.
#pragma once

#include <string>

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

// The pointer's look. The phone shows a wait cursor around long layouts; a desktop window keeps
// its own pointer, so these only keep the state: the cursor set and the display counter.
inline const LPCWSTR IDC_WAIT = MAKEINTRESOURCEW(32514);
inline const LPCWSTR IDC_ARROW = MAKEINTRESOURCEW(32512);
// Only the system cursors (instance NULL); NULL for anything else.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
// Returns the cursor set before.
HCURSOR SetCursor(HCURSOR cursor);
// TRUE adds one to the display counter, FALSE takes one; returns the new count.
int ShowCursor(BOOL show);

namespace platform {
// The cursor last set and the display counter, for tests.
HCURSOR CurrentCursor();
int CursorDisplayCount();
void ResetCursor();
}  // namespace platform

// ---- Finding and raising windows, across processes ---------------------------------------------
//
// A class name and title form a per-user name. The first search for a name that finds no window,
// here or in another process, claims it for this process: an exclusive lock and a socket in
// $XDG_RUNTIME_DIR when that is a private folder of this user's, else in the settings folder. A
// later search from another process finds the holder and asks it to raise its window; a holder
// that is closing refuses, and the searching process then waits a few seconds for its lock and
// takes the name over. The claim lasts as long as the process.

// A top-level window of that class (case-insensitive) and title: one of this process, else a handle
// that stands for the window of the process holding the name (only the raising calls accept it;
// that process was asked to raise its window by the search itself). NULL for a null or empty class
// or title, or when no window has the name: the name is then this process's, if a lock could be had.
HWND FindWindowW(LPCWSTR className, LPCWSTR title);
// Brings the program's window to the front of the desktop (restoring it when minimised). For the
// window of another process: whether it answered the search's request.
BOOL SetForegroundWindow(HWND hwnd);
// The same, and the windows hwnd owns (an open dialog) come along, restored when minimised.
BOOL ActivateWithOwned(HWND hwnd);

namespace platform {
// The lock file behind a name, for tests that hold it from outside; "" when no folder can be used.
std::string InstanceLockPath(LPCWSTR className, LPCWSTR title);
// Whether this process holds a name: its search found no window and took the name's lock. What
// two copies both keep (the settings) is written only by the copy that holds the name.
bool HoldsWindowName();
// In words for the user: "already running, not responding" when the holder of a name did not
// answer, or why no lock could be had; "" when nothing went wrong.
std::string WindowNameProblem();
// The program is ending: raise requests are refused from now on, so that a new start takes the
// name over instead of counting on a window about to go. Posting the quit message calls it.
void StopAnsweringRaiseRequests();
// Drops this process's claims without removing their files (a fresh platform state; safe in a
// child process, whose parent still holds them).
void ResetSingleInstance();
}  // namespace platform
