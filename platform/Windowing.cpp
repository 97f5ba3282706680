// Window classes, and the window calls that make, read or change windows.
#include "platform/Windowing.h"

#include <algorithm>
#include <memory>

#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/Messages.h"
#include "platform/Rects.h"
#include "platform/Screen.h"
#include "platform/WindowTable.h"

namespace platform {
namespace {

struct ClassRecord {
    ATOM atom;
    std::wstring name;
    HINSTANCE instance;
    WNDPROC proc;
    UINT style;
};

struct WindowState {
    std::vector<ClassRecord> classes;
    ATOM nextAtom = 0xC000;
    HWND focus = nullptr;
};

WindowState& State() {
    static WindowState state;
    return state;
}

ClassRecord* FindClass(LPCWSTR name) {
    if (!name) return nullptr;
    for (ClassRecord& c : State().classes) {
        if (IS_INTRESOURCE(name) ? c.atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name))
                                 : SameClassName(c.name, name))
            return &c;
    }
    return nullptr;
}

RECT ClientOf(const WindowRecord& w) { return RECT{0, 0, Width(w.rect), Height(w.rect)}; }

}  // namespace

static void OffsetInside(HWND parent, LONG dx, LONG dy) {
    for (HWND h : WindowsInCreationOrder()) {
        WindowRecord* w = FindWindowRecord(h);
        if (w->parent != parent) continue;
        w->rect = OffsetBy(w->rect, dx, dy);
        OffsetInside(h, dx, dy);
    }
}

void ResetWindowing() {
    ResetWindows();
    WindowState& s = State();
    s.classes.clear();
    s.focus = nullptr;
}

}  // namespace platform

using platform::FindWindowRecord;
using platform::WindowRecord;

ATOM RegisterClassW(const WNDCLASSW* wc) {
    if (!wc || !wc->lpfnWndProc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) ||
        !*wc->lpszClassName)
        return 0;
    auto& s = platform::State();
    if (platform::FindClass(wc->lpszClassName)) return 0;
    if (s.nextAtom == 0xFFFF) return 0;
    ATOM atom = s.nextAtom++;
    s.classes.push_back({atom, wc->lpszClassName, wc->hInstance, wc->lpfnWndProc, wc->style});
    return atom;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
    auto& classes = platform::State().classes;
    platform::ClassRecord* c = platform::FindClass(className);
    if (!c || c->instance != instance) return FALSE;
    classes.erase(classes.begin() + (c - classes.data()));
    return TRUE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    const platform::ClassRecord* cls = platform::FindClass(className);
    if (!cls) return nullptr;
    // A child sits in its parent; any other window given a parent merely belongs to it (a dialog
    // and its owner) and stays a top-level window in device-screen coordinates.
    bool child = (style & WS_CHILD) != 0;
    const WindowRecord* parentRecord = parent ? FindWindowRecord(parent) : nullptr;
    if (parent && !parentRecord) return nullptr;
    if (child && !parentRecord) return nullptr;
    if (!child) parentRecord = nullptr;

    auto record = std::make_unique<WindowRecord>();
    record->proc = cls->proc;
    record->className = cls->name;
    record->classStyle = cls->style;
    record->instance = instance;
    record->title = title ? title : L"";
    record->parent = child ? parent : nullptr;
    record->owner = child ? nullptr : platform::TopLevelOf(parent);
    record->id = child ? static_cast<UINT>(reinterpret_cast<uintptr_t>(menu)) : 0;
    record->style = style;
    record->exStyle = exStyle;
    record->visible = (style & WS_VISIBLE) != 0;
    record->enabled = (style & WS_DISABLED) == 0;

    // Children are placed in their parent's client area. Top-level windows use device-screen
    // coordinates; CW_USEDEFAULT gives them the full-screen area between the two bars.
    RECT area = parentRecord ? parentRecord->rect : RECT{0, 0, 0, 0};
    if (x == CW_USEDEFAULT) {
        if (!parentRecord) area = platform::FullScreenArea();
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        RECT full = parentRecord ? parentRecord->rect : platform::FullScreenArea();
        width = platform::Width(full) - x;
        height = platform::Height(full) - y;
    }
    LONG left = area.left + x, top = area.top + y;
    record->rect = RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    record->update = platform::ClientOf(*record);

    HWND hwnd = platform::AddWindowRecord(std::move(record));
    if (!hwnd) return nullptr;

    CREATESTRUCTW cs{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), title,
                     className, exStyle};
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    const WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return nullptr;
    RECT client = platform::ClientOf(*w);
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    if (w->destroying) return TRUE;
    w->destroying = true;
    // What belongs to the window goes before it; what sits inside it goes after its WM_DESTROY.
    for (HWND other : platform::WindowsInCreationOrder()) {
        const WindowRecord* o = FindWindowRecord(other);
        if (o && o->owner == hwnd) DestroyWindow(other);
    }
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : platform::WindowsInCreationOrder()) {
        const WindowRecord* c = FindWindowRecord(child);
        if (c && c->parent == hwnd) DestroyWindow(child);
    }
    auto& s = platform::State();
    if (s.focus == hwnd) s.focus = nullptr;
    bool shownTopLevel = !w->parent && w->visible;
    bool topLevel = !w->parent;
    platform::RemoveWindowRecord(hwnd);
    if (topLevel) platform::ForgetWindowSurface(hwnd);
    // What it covered shows again at once: the windows below keep their pictures.
    if (shownTopLevel) platform::PresentScreen();
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return FindWindowRecord(hwnd) != nullptr; }

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_PAINT:
            ValidateRect(hwnd, nullptr);
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        default:
            return 0;
    }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w || index != GWLP_USERDATA) return 0;
    LONG_PTR old = w->userData;
    w->userData = value;
    return old;
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    return (w && index == GWLP_USERDATA) ? w->userData : 0;
}

BOOL GetWindowRect(HWND hwnd, RECT* rc) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    if (!w || !rc) return FALSE;
    *rc = w->rect;
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rc) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    if (!w || !rc) return FALSE;
    *rc = platform::ClientOf(*w);
    return TRUE;
}

HWND GetParent(HWND hwnd) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    return w ? w->parent : nullptr;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rc, BOOL erase) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    RECT client = platform::ClientOf(*w);
    RECT area = rc ? platform::IntersectRects(*rc, client) : client;
    if (platform::IsEmptyArea(area)) return TRUE;
    w->update = platform::UnionRects(w->update, area);
    w->erase = w->erase || erase;
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rc) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    bool covers = !rc || (rc->left <= w->update.left && rc->top <= w->update.top &&
                          rc->right >= w->update.right && rc->bottom >= w->update.bottom);
    if (covers) {
        w->update = RECT{};
        w->erase = false;
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rc, BOOL) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    bool empty = platform::IsEmptyArea(w->update);
    if (rc) *rc = empty ? RECT{} : w->update;
    return empty ? FALSE : TRUE;
}

BOOL ShowWindow(HWND hwnd, int command) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    BOOL was = w->visible ? TRUE : FALSE;
    switch (command) {
        case SW_HIDE:
            w->visible = false;
            if (was && !w->parent) platform::PresentScreen();
            return was;
        case SW_MINIMIZE:
            // The size stays as it is: no WM_SIZE, and GetWindowRect keeps the restored rectangle.
            w->minimized = true;
            if (!w->parent) platform::CurrentBackend().Minimize();
            return was;
        case SW_RESTORE:
            w->minimized = false;
            break;
        default:
            break;
    }
    w->visible = true;
    if (!was) InvalidateRect(hwnd, nullptr, FALSE);
    return was;
}

BOOL IsWindowVisible(HWND hwnd) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    return (w && w->visible) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = w->enabled ? FALSE : TRUE;
    w->enabled = enable != FALSE;
    // A control draws its state: tell it of a change.
    if (w->enabled == (wasDisabled != FALSE)) SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    return (w && w->enabled) ? TRUE : FALSE;
}

HWND SetFocus(HWND hwnd) {
    auto& s = platform::State();
    if (hwnd && !IsWindow(hwnd)) return nullptr;
    HWND old = IsWindow(s.focus) ? s.focus : nullptr;
    if (old == hwnd) return old;
    s.focus = hwnd;
    if (old) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && IsWindow(hwnd)) SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() {
    HWND f = platform::State().focus;
    return IsWindow(f) ? f : nullptr;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    const WindowRecord* parent = FindWindowRecord(w->parent);
    LONG left = (parent ? parent->rect.left : 0) + x, top = (parent ? parent->rect.top : 0) + y;
    RECT next{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    LONG dx = next.left - w->rect.left, dy = next.top - w->rect.top;
    bool resized = platform::Width(next) != platform::Width(w->rect) || platform::Height(next) != platform::Height(w->rect);
    w->rect = next;
    if (dx || dy) platform::OffsetInside(hwnd, dx, dy);
    if (resized) {
        w->update = platform::IntersectRects(w->update, platform::ClientOf(*w));
        if (platform::IsEmptyArea(w->update)) w->update = RECT{};
        // Classes that redraw on resize get their whole client invalidated, with an erase.
        if (w->classStyle & (CS_HREDRAW | CS_VREDRAW)) InvalidateRect(hwnd, nullptr, TRUE);
    }
    if (repaint) InvalidateRect(hwnd, nullptr, FALSE);
    if (resized)
        SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
                     MAKELPARAM(static_cast<WORD>(std::max(width, 0)), static_cast<WORD>(std::max(height, 0))));
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
    for (HWND h : platform::WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (w && w->parent == dialog && w->id == static_cast<UINT>(id)) return h;
    }
    return nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    return parent && hwnd != parent && platform::IsSameOrInside(parent, hwnd) ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    const WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    if (!platform::IsEmptyArea(w->update) && platform::IsShown(w)) SendMessageW(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}
