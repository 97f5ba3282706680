// What SDL's keyboard and mouse events are on the phone: its keys and its stylus.
#pragma once

#include "platform/Input.h"

// SDL's own, declared here so that this header (and its tests) need no SDL.
struct SDL_KeyboardEvent;
union SDL_Event;

namespace platform::sdl {

// The key the phone sees: the layout's key (layoutKey, 0 for a key the phone lacks), else, for the
// top row's keys 1 .. 9, 0 at their place (scancode: the USB usage number, which SDL's scancodes
// are), that digit. Layouts whose top row types no digits unshifted (AZERTY's & é " ' ( - è _ ç à)
// still reach the menu's digits; a key the layout maps stays what the layout says.
UINT PhoneKey(UINT layoutKey, int scancode);

// Arrows, Enter (also the keypad's), F1 and F2 (the soft keys), Escape (Back), letters and digits
// (also the keypad's, and the top row's by place, see PhoneKey) with the character they type;
// every other key is not on the phone and gives false. A letter types its capital with Shift or Caps Lock, and nothing while Ctrl, Alt
// or a logo key is held.
bool TranslateKey(const SDL_KeyboardEvent& key, InputEvent* out);
// The left button is the stylus: presses, releases, and moves while it is held, in device pixels
// (window pixels divided by the zoom, rounding down so points left of or above the window stay
// outside it).
bool TranslateMouse(const SDL_Event& event, int zoom, InputEvent* out);

}  // namespace platform::sdl
