// The cursor calls: state only, since the desktop pointer is the stylus.
#include "platform/Cursor.h"

namespace platform {
namespace {

struct CursorState {
    HCURSOR current = nullptr;
    int displayCount = 0;
};

CursorState& State() {
    static CursorState state;
    return state;
}

}  // namespace

HCURSOR CurrentCursor() { return State().current; }
int CursorDisplayCount() { return State().displayCount; }
void ResetCursor() { State() = CursorState(); }

}  // namespace platform

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    if (instance || !IS_INTRESOURCE(name) || !name) return nullptr;
    // A system cursor's handle is its id: it is never freed.
    return reinterpret_cast<HCURSOR>(const_cast<wchar_t*>(name));
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = platform::State().current;
    platform::State().current = cursor;
    return old;
}

int ShowCursor(BOOL show) { return platform::State().displayCount += show ? 1 : -1; }
