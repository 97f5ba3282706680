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
using InputRouter = bool (*)(const InputEvent& event, MSG* out);
// NULL restores the built-in routing: keys to the focus window, else to the newest enabled
// top-level window; the stylus to the newest enabled window under it, in its client coordinates;
// Close as WM_CLOSE to the oldest top-level window.
void SetInputRouter(InputRouter router);

// For tests: what is queued, without taking it.
std::vector<MSG> PendingPostedMessages();
size_t PendingInputCount();

// Drops everything queued and the quit state (a fresh platform state).
void ResetMessageQueue();

}  // namespace platform
