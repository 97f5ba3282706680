// Input as the backends deliver it, before it becomes window messages.
#pragma once

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

}  // namespace platform
