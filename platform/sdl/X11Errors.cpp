// X errors the SDL backend can live with.
#include "platform/sdl/X11Errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace platform::sdl {
namespace {

XErrorHandler g_previous = nullptr;

int Tolerant(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return g_previous ? g_previous(display, error) : 0;
}

}  // namespace

void TolerateGoneWindows() {
    if (!g_previous) g_previous = XSetErrorHandler(&Tolerant);
}

}  // namespace platform::sdl
