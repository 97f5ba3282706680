// The soft-key bar: one per top-level window, its soft keys, taps on it and the Back override.
#include "platform/SoftKeyBar.h"

#include <algorithm>
#include <map>

#include "platform/Device.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/Shell.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

constexpr wchar_t kBarClass[] = L"QorSoftKeyBar";

struct SoftKey {
    UINT command;
    std::wstring label;
    bool enabled;
};

struct Bar {
    HWND owner = nullptr;
    std::vector<SoftKey> keys;
    WORD backOverride = 0;  // SHELL_OVERRIDE_* bits in force for VK_ESCAPE
};

struct BarState {
    std::map<uintptr_t, Bar> bars;  // by bar window
    HWND pressedBar = nullptr;      // a tap on the bar, until it is lifted
    int pressedKey = -1;
};

BarState& State() {
    static BarState state;
    return state;
}

uintptr_t Key(HWND h) { return reinterpret_cast<uintptr_t>(h); }

std::pair<HWND, Bar*> BarOf(HWND owner) {
    for (auto& [bar, state] : State().bars)
        if (state.owner == owner && IsWindow(reinterpret_cast<HWND>(bar))) return {reinterpret_cast<HWND>(bar), &state};
    return {nullptr, nullptr};
}

LRESULT CALLBACK BarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = State().bars.find(Key(hwnd));
    if (message == WM_DESTROY && it != State().bars.end()) State().bars.erase(it);
    if (message != SHELL_OVERRIDEKEY || it == State().bars.end()) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (wParam != VK_ESCAPE) return FALSE;
    WORD mask = LOWORD(static_cast<uintptr_t>(lParam)), values = HIWORD(static_cast<uintptr_t>(lParam));
    it->second.backOverride = static_cast<WORD>((it->second.backOverride & ~mask) | (values & mask));
    return TRUE;
}

RECT BarArea() {
    const DeviceProfile& p = CurrentDeviceProfile();
    return RECT{0, p.height - p.bar, p.width, p.height};
}

// The left half of the bar is the left soft key, the right half the right one.
int KeyUnder(const InputEvent& e) {
    RECT area = BarArea();
    if (e.x < area.left || e.x >= area.right || e.y < area.top || e.y >= area.bottom) return -1;
    return e.x < (area.left + area.right) / 2 ? 0 : 1;
}

MSG Command(HWND bar, const Bar& state, int key) {
    return MSG{state.owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(state.keys[key].command), 0),
               reinterpret_cast<LPARAM>(bar), 0, {}};
}

bool Usable(const Bar* bar, int key) {
    return bar && key >= 0 && key < static_cast<int>(bar->keys.size()) && bar->keys[key].enabled;
}

}  // namespace

bool ShellRouteKey(HWND active, const InputEvent& e, MSG* out) {
    auto [bar, state] = BarOf(active);
    if (!state || e.type == InputType::Char) return false;
    *out = MSG{};
    if (e.key == VK_ESCAPE && state->backOverride) {
        if (state->backOverride & SHELL_OVERRIDE_NOTIFY) {
            WORD modifiers = e.type == InputType::KeyUp ? SHELL_MOD_KEYUP : 0;
            *out = MSG{state->owner, WM_HOTKEY, 0, MAKELPARAM(modifiers, VK_ESCAPE), 0, {}};
        }
        return true;
    }
    int key = e.key == VK_F1 ? 0 : e.key == VK_F2 ? 1 : -1;
    if (!Usable(state, key)) return false;
    // Soft keys act on release, like every button of the platform.
    if (e.type == InputType::KeyUp) *out = Command(bar, *state, key);
    return true;
}

bool ShellRouteStylus(HWND active, const InputEvent& e, MSG* out) {
    BarState& s = State();
    *out = MSG{};
    if (s.pressedBar) {
        if (e.type == InputType::MouseDown) {
            s.pressedBar = nullptr;  // a press whose release never came: start again
        } else {
            if (e.type == InputType::MouseUp) {
                HWND bar = s.pressedBar;
                s.pressedBar = nullptr;
                auto [current, state] = BarOf(active);
                if (current == bar && KeyUnder(e) == s.pressedKey && Usable(state, s.pressedKey))
                    *out = Command(bar, *state, s.pressedKey);
            }
            return true;
        }
    }
    if (e.type != InputType::MouseDown) return false;
    auto [bar, state] = BarOf(active);
    int key = KeyUnder(e);
    if (!state || key < 0) return false;
    if (Usable(state, key)) {
        s.pressedBar = bar;
        s.pressedKey = key;
    }
    return true;
}

std::vector<SoftKeyLabel> SoftKeyLabelsOf(HWND topLevel) {
    std::vector<SoftKeyLabel> labels;
    if (const Bar* state = BarOf(topLevel).second)
        for (const SoftKey& k : state->keys) labels.push_back({k.label, k.enabled});
    return labels;
}

void ResetSoftKeyBars() { State() = BarState(); }

}  // namespace platform

BOOL ShellCreateSoftKeyBar(SOFTKEYBARINFO* info) {
    using namespace platform;
    if (!info || info->cbSize != sizeof(SOFTKEYBARINFO)) return FALSE;
    info->hwndBar = nullptr;
    HWND owner = TopLevelOf(info->hwndParent);
    const SoftKeyBarResource* resource = FindSoftKeyBar(info->hInstRes, info->nBarId);
    if (!owner || !resource) return FALSE;
    StartShellPainting();

    WNDCLASSW wc{};
    wc.lpfnWndProc = BarProc;
    wc.lpszClassName = kBarClass;
    RegisterClassW(&wc);  // once per platform state
    if (HWND old = BarOf(owner).first) DestroyWindow(old);

    // The bar is drawn by the shell, not composed as a window: it stays hidden.
    RECT area = BarArea();
    HWND bar = CreateWindowExW(0, kBarClass, L"", 0, area.left, area.top, area.right - area.left,
                               area.bottom - area.top, owner, nullptr, info->hInstRes, nullptr);
    if (!bar) return FALSE;
    Bar state;
    state.owner = owner;
    for (const SoftKeyButtonResource& b : resource->buttons) {
        wchar_t label[64];
        LoadStringW(info->hInstRes, b.labelId, label, 64);
        state.keys.push_back({b.command, label, (b.state & 4) != 0});
    }
    State().bars[Key(bar)] = std::move(state);
    info->hwndBar = bar;
    return TRUE;
}
