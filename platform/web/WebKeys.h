// What the browser's key events are on the phone: its keys. Plain C++, so that it is tested natively.
#pragma once

#include <string_view>

#include "platform/Input.h"

namespace platform::web {

// KeyboardEvent's modifier state.
enum KeyModifiers : unsigned { kShift = 1, kControl = 2, kAlt = 4, kMeta = 8 };

// The phone's key for a key event, by KeyboardEvent.key (what the layout gives) and .code (the
// key's place): the arrows, Enter (also the keypad's), F1 and F2 (the soft keys), Escape (Back),
// letters with the character they type (the layout's, so Shift and Caps Lock are already in it),
// and digits: the layout's, else the top row's by place (AZERTY's & é " ' ( - è _ ç à give 1 … 0).
// False for every other key, and for any key while Control, Alt or Meta is held: those belong to
// the browser (its shortcuts), and the page leaves them to it.
bool TranslateKey(bool down, std::string_view key, std::string_view code, unsigned modifiers, bool repeat,
                  InputEvent* out);

}  // namespace platform::web
