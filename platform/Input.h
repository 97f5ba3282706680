// Input as the backends deliver it, before it becomes window messages.
#pragma once

#include <vector>

#include "platform/Types.h"

namespace platform {

enum class InputType {
    KeyDown,    // key: virtual key; ch: the character it types, 0 if none; repeat: held down
    KeyUp,      // key: virtual key
    Char,       // ch: a character typed without a key event of its own
    MouseDown,  // x, y: device-screen pixels
    MouseUp,
    MouseMove,
    Close,  // the user asked the program to close (window button, signal)
};

struct InputEvent {
    InputType type = InputType::KeyDown;
    UINT key = 0;
    wchar_t ch = 0;
    int x = 0;
    int y = 0;
    bool repeat = false;
};

// Called by backends: the event waits in the input queue until a message loop takes it.
void QueueInput(const InputEvent& event);

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

// Whether a close request (InputType::Close) waits in the input queue: the program is about to end.
bool CloseRequestPending();

// For tests: what is queued, without taking it.
std::vector<MSG> PendingPostedMessages();
size_t PendingInputCount();

// Drops everything queued and the quit state (a fresh platform state).
void ResetMessageQueue();

}  // namespace platform
