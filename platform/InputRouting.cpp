// Input routing: which window a key, a stylus event or a close request reaches.
//
// Only the active window (a modal dialog while one runs) and the windows inside it take input.
// Keys go to the focus window when it lies inside the active window, else to the active window.
// The stylus goes to the window under it and stays with that window until it is lifted. A release
// whose press went to a window that has gone, or that is no longer the active one, is dropped:
// closing a modal window on a press must not hand the release to whatever shows next.
#include "platform/InputRouting.h"

#include <map>

#include "platform/Messages.h"
#include "platform/SoftKeyBar.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

struct RoutingState {
    std::map<UINT, HWND> keyDownActive;  // a key held down -> the active window when it went down
    HWND capture = nullptr;              // the window a stylus press went to, until the release
};

RoutingState& State() {
    static RoutingState state;
    return state;
}

bool Accepts(const WindowRecord* w) { return w && w->visible && w->enabled && !w->destroying; }

bool Contains(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// The deepest window that takes input under (x, y) inside top; later siblings lie above earlier ones.
HWND WindowAt(HWND top, int x, int y) {
    const WindowRecord* w = FindWindowRecord(top);
    if (!Accepts(w) || !Contains(w->rect, x, y)) return nullptr;
    std::vector<HWND> order = WindowsInCreationOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const WindowRecord* c = FindWindowRecord(*it);
        if (c && c->parent == top)
            if (HWND hit = WindowAt(*it, x, y)) return hit;
    }
    return top;
}

// Client coordinates travel as two unsigned 16-bit halves, so points left of or above the window
// arrive wrapped, as the platform delivers them.
MSG StylusMessage(HWND hwnd, UINT message, const InputEvent& e) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    WORD cx = static_cast<WORD>(e.x - w->rect.left), cy = static_cast<WORD>(e.y - w->rect.top);
    return MSG{hwnd, message, 0, MAKELPARAM(cx, cy), 0, {e.x, e.y}};
}

HWND KeyTarget(HWND active) {
    HWND focus = GetFocus();
    return focus && IsSameOrInside(active, focus) && Accepts(FindWindowRecord(focus)) ? focus : active;
}

bool RouteKey(const InputEvent& e, MSG* out) {
    HWND active = ActiveWindow();
    RoutingState& s = State();
    if (e.type == InputType::KeyUp) {
        auto down = s.keyDownActive.find(e.key);
        if (down != s.keyDownActive.end()) {
            HWND wasActive = down->second;
            s.keyDownActive.erase(down);
            if (wasActive != active) return false;
        }
    }
    if (!active) return false;
    if (e.type == InputType::KeyDown) s.keyDownActive[e.key] = active;
    if (ShellRouteKey(active, e, out)) return out->hwnd != nullptr;

    HWND target = KeyTarget(active);
    switch (e.type) {
        case InputType::KeyDown: {
            LPARAM lParam = 1;
            if (e.repeat) lParam |= static_cast<LPARAM>(0x40000000);
            *out = MSG{target, WM_KEYDOWN, e.key, lParam, 0, {}};
            return true;
        }
        case InputType::KeyUp:
            *out = MSG{target, WM_KEYUP, e.key, 1 | static_cast<LPARAM>(0xC0000000u), 0, {}};
            return true;
        default:
            *out = MSG{target, WM_CHAR, static_cast<WPARAM>(e.ch), 1, 0, {}};
            return true;
    }
}

bool RouteStylus(const InputEvent& e, MSG* out) {
    RoutingState& s = State();
    HWND active = ActiveWindow();
    if (ShellRouteStylus(active, e, out)) {
        s.capture = nullptr;
        return out->hwnd != nullptr;
    }
    bool captureLive = s.capture && TopLevelOf(s.capture) == active && Accepts(FindWindowRecord(s.capture));
    switch (e.type) {
        case InputType::MouseDown: {
            s.capture = active ? WindowAt(active, e.x, e.y) : nullptr;
            if (!s.capture) return false;
            *out = StylusMessage(s.capture, WM_LBUTTONDOWN, e);
            return true;
        }
        case InputType::MouseMove: {
            if (s.capture && !captureLive) s.capture = nullptr;
            HWND target = s.capture ? s.capture : active ? WindowAt(active, e.x, e.y) : nullptr;
            if (!target) return false;
            *out = StylusMessage(target, WM_MOUSEMOVE, e);
            return true;
        }
        default: {
            // A release without a press of its own goes to the window under it, like a key
            // release without its key press.
            HWND pressed = s.capture;
            s.capture = nullptr;
            if (pressed && !captureLive) return false;
            HWND target = pressed ? pressed : active ? WindowAt(active, e.x, e.y) : nullptr;
            if (!target) return false;
            *out = StylusMessage(target, WM_LBUTTONUP, e);
            return true;
        }
    }
}

}  // namespace

bool RouteInput(const InputEvent& e, MSG* out) {
    *out = MSG{};
    switch (e.type) {
        case InputType::Close: {
            // Always the main window: a front dialog would only cancel itself.
            HWND main = MainWindow();
            if (!main) return false;
            *out = MSG{main, WM_CLOSE, 0, 0, 0, {}};
            return true;
        }
        case InputType::KeyDown:
        case InputType::KeyUp:
        case InputType::Char:
            return RouteKey(e, out);
        case InputType::MouseDown:
        case InputType::MouseUp:
        case InputType::MouseMove:
            return RouteStylus(e, out);
    }
    return false;
}

void ResetInputRouting() { State() = RoutingState(); }

}  // namespace platform
