// The phone shell's services, under names of this platform: full-screen windows and the status
// bar at the top; the soft-key bar at the bottom has a header of its own (SoftKeyBar.h).
//
// Once a program uses any of them, the platform draws both bars on every presented frame: the
// status bar shows the title of the front window (nothing while that window asked for the full
// screen), the soft-key bar the labels of the front window's soft keys, left and right.
#pragma once

#include "platform/Types.h"

// ---- Full-screen set-up of a window or dialog -------------------------------------------------

constexpr DWORD SHELL_DLG_FLAGS = 0x0001;       // mask: flags is valid
constexpr DWORD SHELL_DLG_DONEBUTTON = 0x0001;  // flags: a Done button (Enter gives IDOK already)
constexpr DWORD SHELL_DLG_FULLSCREEN = 0x0004;  // flags: size the window to the area between the bars

struct SHELLDLGINIT {
    DWORD mask;
    HWND hwnd;
    DWORD flags;
};

// With SHELL_DLG_FULLSCREEN, moves the window onto the area between the bars and sends it
// WM_SIZE at once, even when its size does not change. FALSE for a bad record or window.
BOOL ShellInitDialog(const SHELLDLGINIT* info);

// ---- Full-screen request ----------------------------------------------------------------------

constexpr DWORD SHELL_FS_SHOWTASKBAR = 0x0001;
constexpr DWORD SHELL_FS_HIDETASKBAR = 0x0002;  // the status bar shows no content while hwnd is in front

BOOL ShellFullScreen(HWND hwnd, DWORD state);

namespace platform {

// Whether the window asked for the status bar to show nothing.
bool HidesStatusBar(HWND topLevel);
// From the first shell call on, the shell draws its bars on every presented frame.
void StartShellPainting();
// Forgets the full-screen requests and every soft-key bar (a fresh platform state).
void ResetShell();

}  // namespace platform
