// The soft-key bar at the bottom of the phone's screen: one per top-level window, its two soft
// keys, taps on it and the Back-key override.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

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

namespace platform {

struct InputEvent;

// The soft keys, the overridden Back key and taps on the soft-key bar of the active window.
// True when the shell takes the event: *out then holds its message, or a NULL window when the
// event is swallowed.
bool ShellRouteKey(HWND active, const InputEvent& e, MSG* out);
bool ShellRouteStylus(HWND active, const InputEvent& e, MSG* out);

// The labels of the soft keys of a top-level window, left first; empty when it has no bar.
struct SoftKeyLabel {
    std::wstring text;
    bool enabled;
};
std::vector<SoftKeyLabel> SoftKeyLabelsOf(HWND topLevel);

void ResetSoftKeyBars();

}  // namespace platform
