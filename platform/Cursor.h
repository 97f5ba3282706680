// The pointer's look, under the platform's names. The phone shows a wait cursor around long
// layouts; a desktop window keeps its own pointer, so these only keep the state: the cursor set
// and the display counter.
#pragma once

#include "platform/Types.h"

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
