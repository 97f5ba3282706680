// Internal: dialog windows and their controls made from dialog descriptions.
#pragma once

#include <vector>

#include "platform/Resources.h"

namespace platform {

// Makes the dialog (hidden, owned by owner) and then its controls in template order; NULL, with
// nothing left behind, when any of them cannot be made.
HWND CreateDialogWindows(HINSTANCE instance, const DialogResource& dialog, HWND owner, LPCWSTR dialogClass,
                         void* createParam);

// The dialog's shown tab-stop controls from top to bottom (template order among equals), the
// disabled ones too unless enabledOnly.
std::vector<HWND> TabStopsOnScreen(HWND dialog, bool enabledOnly);
// The first enabled tab-stop control in template order, or NULL.
HWND FirstTabStop(HWND dialog);

}  // namespace platform
