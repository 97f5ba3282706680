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
#include "platform/WindowSearch.h"

namespace platform {
// The host's part of FindWindowW for a name no window of this process has: NULL when the name is
// free (it is then this process's) or no lock can be had; RemoteWindowHandle when another copy holds
// it, which has been asked to raise its window by then.
HWND ClaimOrFind(LPCWSTR className, LPCWSTR title);
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
