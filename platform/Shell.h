// The phone shell's services, under names of this platform: full-screen windows, the soft-key
// bar at the bottom of the screen with its Back-key override, and the status bar at the top.
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

// ---- Soft-key bar -----------------------------------------------------------------------------

struct SOFTKEYBARINFO {
    DWORD cbSize;  // sizeof(SOFTKEYBARINFO)
    HWND hwndParent;
    DWORD dwFlags;  // 0
    UINT nBarId;    // the soft-key bar resource of hInstRes
    HINSTANCE hInstRes;
    int nBmpId;        // 0: labels only
    int cBmpImages;    // 0
    HWND hwndBar;      // out: the bar
    COLORREF clrBk;    // 0
};

// Makes the bar of hwndParent's top-level window from its soft-key bar resource, the labels from
// the string table. A window has one bar; a new one replaces the old. The bar goes with its window.
// While that window is in front, F1 and F2 (the left and right soft keys) and taps on the bar's
// halves send WM_COMMAND (the button's command in the low word, lParam the bar) to the window when
// released. FALSE (hwndBar NULL) for a bad record, window or resource.
BOOL ShellCreateSoftKeyBar(SOFTKEYBARINFO* info);

// SendMessageW(bar, SHELL_OVERRIDEKEY, VK_ESCAPE, MAKELPARAM(mask, values)): for the Back key,
// SHELL_OVERRIDE_NODEFAULT keeps it from reaching the window as a key, SHELL_OVERRIDE_NOTIFY
// delivers it to the bar's window as WM_HOTKEY with lParam MAKELPARAM(modifiers, VK_ESCAPE):
// modifiers 0 on the press, SHELL_MOD_KEYUP on the release. Returns TRUE; only VK_ESCAPE can be
// overridden.
constexpr UINT SHELL_OVERRIDEKEY = 0x0593;
constexpr WORD SHELL_OVERRIDE_NODEFAULT = 0x0001;
constexpr WORD SHELL_OVERRIDE_NOTIFY = 0x0002;
constexpr WORD SHELL_MOD_KEYUP = 0x1000;
