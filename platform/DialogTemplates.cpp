// Dialog descriptions made into windows: units, placement, control classes, tab stops.
#include "platform/DialogTemplates.h"

#include <algorithm>

#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

// Descriptions are laid out for a 32-pixel icon: one unit is a pixel there, two on 64-pixel icons.
int Pixels(int units) { return units * CurrentDeviceProfile().icon / 32; }

LPCWSTR ClassOf(const DialogItemResource& item) {
    if (item.className) return item.className;
    if (item.classAtom == COMBOBOX_CLASS_ATOM) return WC_COMBOBOXW;
    return nullptr;
}

bool IsTabStop(const WindowRecord* w, bool enabledOnly) {
    return w && w->visible && (w->style & WS_TABSTOP) && (!enabledOnly || w->enabled) && !w->destroying;
}

}  // namespace

HWND CreateDialogWindows(HINSTANCE instance, const DialogResource& dialog, HWND owner, LPCWSTR dialogClass,
                         void* createParam) {
    // The description's origin is the top-left of the area between the bars; the dialog never
    // reaches beyond that area.
    RECT area = FullScreenArea();
    int x = std::clamp(area.left + Pixels(dialog.x), area.left, area.right - 1);
    int y = std::clamp(area.top + Pixels(dialog.y), area.top, area.bottom - 1);
    int width = std::clamp(Pixels(dialog.cx), 1, area.right - x);
    int height = std::clamp(Pixels(dialog.cy), 1, area.bottom - y);
    DWORD style = dialog.style & ~(WS_VISIBLE | WS_CHILD);
    HWND hwnd = CreateWindowExW(0, dialogClass, dialog.caption, style, x, y, width, height, owner, nullptr, instance,
                                createParam);
    if (!hwnd) return nullptr;
    for (const DialogItemResource& item : dialog.items) {
        HMENU id = reinterpret_cast<HMENU>(static_cast<uintptr_t>(item.id));
        HWND control = CreateWindowExW(0, ClassOf(item), item.text, item.style | WS_CHILD, Pixels(item.x),
                                       Pixels(item.y), Pixels(item.cx), Pixels(item.cy), hwnd, id, instance, nullptr);
        if (!control) {
            DestroyWindow(hwnd);
            return nullptr;
        }
    }
    return hwnd;
}

std::vector<HWND> TabStopsOnScreen(HWND dialog, bool enabledOnly) {
    std::vector<HWND> stops;
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (w->parent == dialog && IsTabStop(w, enabledOnly)) stops.push_back(h);
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](HWND a, HWND b) { return FindWindowRecord(a)->rect.top < FindWindowRecord(b)->rect.top; });
    return stops;
}

HWND FirstTabStop(HWND dialog) {
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (w->parent == dialog && IsTabStop(w, true)) return h;
    }
    return nullptr;
}

}  // namespace platform
