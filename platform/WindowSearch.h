// Finding a program's window by class and title, here or in another running copy, and raising it.
#pragma once

#include "platform/Types.h"

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
// A handle for the window of the copy that holds a name; answered: whether that copy raised it.
HWND RemoteWindowHandle(bool answered);
// Forgets every such handle (a fresh platform state).
void ForgetRemoteWindows();
}  // namespace platform
