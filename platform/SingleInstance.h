// Finding and raising windows, across processes: one running copy per user and window name.
//
// A class name and title form a per-user name. The first search for a name that finds no window,
// here or in another process, claims it for this process: an exclusive lock and a socket in
// $XDG_RUNTIME_DIR (or a private folder under /tmp when that is unset). A later search from another
// process then finds this process's window, and raising it there asks this process to raise its
// own. The claim lasts as long as the process.
#pragma once

#include <string>

#include "platform/Types.h"

// A top-level window of that class (case-insensitive) and title: one of this process, else a handle
// that stands for the window of the process holding the name (only the raising calls accept it).
// NULL for a null or empty class or title, or when no window has the name.
HWND FindWindowW(LPCWSTR className, LPCWSTR title);
// Brings the program's window to the front of the desktop (restoring it when minimised).
BOOL SetForegroundWindow(HWND hwnd);
// The same, and the windows hwnd owns (an open dialog) come along, restored when minimised.
BOOL ActivateWithOwned(HWND hwnd);

namespace platform {
// The lock file behind a name, for tests that hold it from outside; "" when no folder can be used.
std::string InstanceLockPath(LPCWSTR className, LPCWSTR title);
// Drops this process's claims without removing their files (a fresh platform state; safe in a
// child process, whose parent still holds them).
void ResetSingleInstance();
}  // namespace platform
