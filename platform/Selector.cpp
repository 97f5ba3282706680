// The selector control: its list, its steps, its notifications and its look.
#include "platform/Selector.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

struct SelectorState {
    std::vector<std::wstring> entries;
    int selected = static_cast<int>(LB_ERR);
    UINT id = 0;
    HFONT font = nullptr;  // not owned: the dialog's
};

// By handle: a window record has no room for a control's own data, and handles are never reused
// while a window lives. A record left by a window dropped without WM_DESTROY is replaced when
// its handle value comes back at WM_CREATE.
std::unordered_map<HWND, SelectorState>& States() {
    static std::unordered_map<HWND, SelectorState> states;
    return states;
}

SelectorState* StateOf(HWND hwnd) {
    auto it = States().find(hwnd);
    return it == States().end() ? nullptr : &it->second;
}

struct Look {
    COLORREF field, frame, text, arrow;
};
constexpr Look kNormal{RGB(255, 255, 255), RGB(176, 184, 200), RGB(32, 32, 32), RGB(48, 80, 144)};
constexpr Look kFocused{RGB(33, 95, 201), RGB(16, 58, 138), RGB(255, 255, 255), RGB(255, 255, 255)};
constexpr Look kDisabled{RGB(238, 238, 238), RGB(212, 212, 212), RGB(160, 160, 160), RGB(184, 184, 184)};

// A solid triangle pointing left (direction -1) or right (+1), its tip on column tipX, rows
// centreY - half .. centreY + half at its base: slopes of one pixel per column stay crisp.
void Arrow(HDC dc, int tipX, int centreY, int half, int direction, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    for (int i = 0; i <= half; ++i) {
        int x = tipX - direction * i;
        RECT column{x, centreY - i, x + 1, centreY + i + 1};
        FillRect(dc, &column, brush);
    }
    DeleteObject(brush);
}

void Paint(HWND hwnd, const SelectorState& s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    const Look& look = !IsWindowEnabled(hwnd) ? kDisabled : GetFocus() == hwnd ? kFocused : kNormal;
    // Rows of selectors touch: the last line stays the parent's, so each reads as a field of its own.
    platform::FillSolid(dc, client, RGB(255, 255, 255));
    RECT field{0, 0, client.right, client.bottom > 4 ? client.bottom - 1 : client.bottom};
    platform::FillSolid(dc, field, look.frame);
    RECT inside{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    platform::FillSolid(dc, inside, look.field);

    // The arrows sit in squares of the field's height at both ends.
    int height = field.bottom - field.top;
    int box = std::min<int>(height, client.right / 2);
    int half = std::max(1, (height / 2 - 1) / 2);
    int centreY = field.top + height / 2;
    int offset = (box - (half + 1)) / 2;
    if (s.entries.size() > 1) {
        Arrow(dc, field.left + offset + 1, centreY, half, -1, look.arrow);
        Arrow(dc, field.right - offset - 2, centreY, half, +1, look.arrow);
    }

    if (s.selected >= 0 && s.selected < static_cast<int>(s.entries.size())) {
        RECT text{box, field.top, client.right - box, field.bottom};
        HGDIOBJ oldFont = s.font ? SelectObject(dc, s.font) : nullptr;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, look.text);
        DrawTextW(dc, s.entries[static_cast<size_t>(s.selected)].c_str(), -1, &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (oldFont) SelectObject(dc, oldFont);
    }
    EndPaint(hwnd, &ps);
}

// The player's step: wraps at both ends; nothing selected starts at the first or the last entry.
void Step(HWND hwnd, int direction) {
    SelectorState* s = StateOf(hwnd);
    if (!s || !IsWindowEnabled(hwnd) || s->entries.empty()) return;
    int n = static_cast<int>(s->entries.size());
    int next = s->selected < 0 ? (direction > 0 ? 0 : n - 1) : (s->selected + direction + n) % n;
    if (next == s->selected) return;  // a list of one: nothing changes, nothing to tell
    s->selected = next;
    InvalidateRect(hwnd, nullptr, FALSE);
    UINT id = s->id;
    // The parent may destroy the selector while it handles the notification: s is not used after.
    if (HWND parent = GetParent(hwnd))
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hwnd));
}

void Tap(HWND hwnd, LPARAM point) {
    if (!IsWindowEnabled(hwnd)) return;
    SetFocus(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    // Each end answers over a quarter of the width, or the arrow's square when that is wider.
    int end = std::max<int>(client.bottom, client.right / 4);
    int x = LOWORD(point);
    if (x < end) Step(hwnd, -1);
    else if (x >= client.right - end) Step(hwnd, +1);
}

LRESULT CALLBACK SelectorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        SelectorState fresh;
        fresh.id = static_cast<UINT>(reinterpret_cast<uintptr_t>(reinterpret_cast<CREATESTRUCTW*>(lParam)->hMenu));
        States()[hwnd] = std::move(fresh);
        return 0;
    }
    SelectorState* s = StateOf(hwnd);
    if (!s) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY:
            States().erase(hwnd);
            return 0;
        case LB_ADDSTRING: {
            auto text = reinterpret_cast<LPCWSTR>(lParam);
            if (!text) return LB_ERR;
            s->entries.emplace_back(text);
            InvalidateRect(hwnd, nullptr, FALSE);
            return static_cast<LRESULT>(s->entries.size() - 1);
        }
        case LB_RESETCONTENT:
            s->entries.clear();
            s->selected = static_cast<int>(LB_ERR);
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case LB_SETCURSEL: {
            // wParam is unsigned: -1 arrives as the largest value and falls outside like any other.
            bool inside = wParam < s->entries.size();
            s->selected = inside ? static_cast<int>(wParam) : static_cast<int>(LB_ERR);
            InvalidateRect(hwnd, nullptr, FALSE);
            return s->selected;
        }
        case LB_GETCURSEL:
            return s->selected;
        case LB_GETTEXT:
        case LB_GETTEXTLEN: {
            if (wParam >= s->entries.size() || (message == LB_GETTEXT && !lParam)) return LB_ERR;
            const std::wstring& entry = s->entries[wParam];
            if (message == LB_GETTEXT) {
                auto out = reinterpret_cast<LPWSTR>(lParam);
                out[entry.copy(out, entry.size())] = 0;
            }
            return static_cast<LRESULT>(entry.size());
        }
        case WM_KEYDOWN:
            if (wParam == VK_LEFT || wParam == VK_RIGHT) Step(hwnd, wParam == VK_RIGHT ? 1 : -1);
            return 0;
        case WM_LBUTTONDOWN:
            Tap(hwnd, lParam);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_SETFONT:
            s->font = reinterpret_cast<HFONT>(wParam);
            if (lParam) InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s->font);
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT:
            Paint(hwnd, *s);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

ATOM RegisterSelectorClass() {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;  // the arrows sit at the ends and the text in the middle
    wc.lpfnWndProc = SelectorProc;
    wc.lpszClassName = WC_COMBOBOXW;
    return RegisterClassW(&wc);
}

}  // namespace platform
