// Finding and raising windows, across processes: one running copy per user and window name.
//
// A class name and title form a per-user name. The first search for a name that finds no window,
// here or in another process, claims it for this process: an exclusive lock and a socket in
// $XDG_RUNTIME_DIR when that is a private folder of this user's, else in the settings folder. A
// later search from another process finds the holder and asks it to raise its window; a holder
// that is closing refuses, and the searching process then waits a few seconds for its lock and
// takes the name over. The claim lasts as long as the process.
#pragma once

#include <string>

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
