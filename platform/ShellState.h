// Internal: the shell's part of input routing and of the presented screen.
#pragma once

#include <string>
#include <vector>

#include "platform/Input.h"
#include "platform/PixelRows.h"

namespace platform {

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
// Whether the window asked for the status bar to show nothing.
bool HidesStatusBar(HWND topLevel);

// From the first shell call on, the shell draws its bars on every presented frame.
void StartShellPainting();
void ResetShell();
void ResetSoftKeyBars();

}  // namespace platform
