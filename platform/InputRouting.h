// Which window an input event reaches, as the message queue takes it.
#pragma once

#include "platform/Input.h"

namespace platform {

// Turns an input event into the message for the window that should receive it; false drops it.
// Only the active window (the newest shown, enabled top-level window: a
// modal dialog while one runs) and the windows inside it take input. Keys go to the focus window
// inside it, else to it; a held key repeats WM_KEYDOWN with bit 30 of lParam set. The stylus goes
// to the deepest enabled window under it, in that window's client coordinates, and stays with
// that window from press to release. A key or stylus release whose press went to a window that
// is gone or no longer active is dropped; one without a press is delivered as usual. Close
// becomes WM_CLOSE to the main window (the oldest top-level window that belongs to no other),
// never to a dialog in front of it.
bool RouteInput(const InputEvent& event, MSG* out);
// Forgets held keys and the stylus capture (a fresh platform state).
void ResetInputRouting();

}  // namespace platform
