// What SDL's keyboard and mouse events are on the phone: its keys and its stylus.
#pragma once

#include <SDL.h>

#include "platform/Input.h"

namespace platform::sdl {

// Arrows, Enter (also the keypad's), F1 and F2 (the soft keys), Escape (Back), letters and digits
// (also the keypad's) with the character they type; every other key is not on the phone and
// gives false. A letter types its capital with Shift or Caps Lock, and nothing while Ctrl, Alt
// or a logo key is held.
bool TranslateKey(const SDL_KeyboardEvent& key, InputEvent* out);
// The left button is the stylus: presses, releases, and moves while it is held, in device pixels
// (window pixels divided by the zoom, rounding down so points left of or above the window stay
// outside it).
bool TranslateMouse(const SDL_Event& event, int zoom, InputEvent* out);

}  // namespace platform::sdl
