// X errors the SDL backend can live with, so that a race inside the display server never ends the game.
#pragma once

namespace platform::sdl {

// Before SDL opens the display: a request aimed at a window the server has already destroyed is
// ignored instead of ending the process. SDL wakes its own wait with an event sent to the window
// over a second connection; the server may handle that after the window's destruction, sent on the
// main connection, when the program is closing. Every other error keeps Xlib's handling.
void TolerateGoneWindows();

}  // namespace platform::sdl
