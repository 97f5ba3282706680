// The records behind window handles: lookup, creation order, and the windows the queue, the
// input routing and the screen ask for.
#include "platform/WindowTable.h"

#include <algorithm>
#include <cwctype>

#include "platform/Handles.h"
#include "platform/Rects.h"

namespace platform {
namespace {

struct WindowTable {
    HandleTable<WindowRecord> windows{HandleKind::Window};
    uint64_t nextCreation = 1;
};

WindowTable& Table() {
    static WindowTable table;
    return table;
}

}  // namespace

bool SameClassName(const std::wstring& a, LPCWSTR b) {
    size_t n = std::wcslen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
    return true;
}

WindowRecord* FindWindowRecord(HWND hwnd) { return Table().windows.Find(hwnd); }

HWND AddWindowRecord(std::unique_ptr<WindowRecord> record) {
    record->creationOrder = Table().nextCreation++;
    WindowRecord* raw = record.get();
    HWND hwnd = ToHandle<HWND>(Table().windows.Add(std::move(record)));
    if (hwnd) raw->handle = hwnd;
    return hwnd;
}

void RemoveWindowRecord(HWND hwnd) { Table().windows.Remove(hwnd); }

std::vector<HWND> WindowsInCreationOrder() {
    std::vector<const WindowRecord*> live;
    Table().windows.ForEach([&](uintptr_t, const WindowRecord& w) { live.push_back(&w); });
    std::sort(live.begin(), live.end(),
              [](const WindowRecord* a, const WindowRecord* b) { return a->creationOrder < b->creationOrder; });
    std::vector<HWND> handles;
    handles.reserve(live.size());
    for (const WindowRecord* w : live) handles.push_back(w->handle);
    return handles;
}

bool IsShown(const WindowRecord* w) {
    for (; w; w = FindWindowRecord(w->parent)) {
        if (!w->visible || w->destroying) return false;
        if (!w->parent) return true;
    }
    return false;
}

HWND NextWindowToPaint() {
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (IsShown(w) && !IsEmptyArea(w->update)) return h;
    }
    return nullptr;
}

HWND TopLevelOf(HWND hwnd) {
    for (const WindowRecord* w = FindWindowRecord(hwnd); w; w = FindWindowRecord(w->parent))
        if (!w->parent) return w->handle;
    return nullptr;
}

bool IsSameOrInside(HWND ancestor, HWND w) {
    for (const WindowRecord* r = FindWindowRecord(w); r; r = FindWindowRecord(r->parent))
        if (r->handle == ancestor) return true;
    return false;
}

HWND ActiveWindow() {
    std::vector<HWND> order = WindowsInCreationOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const WindowRecord* w = FindWindowRecord(*it);
        if (!w->parent && w->visible && w->enabled && !w->destroying) return *it;
    }
    return nullptr;
}

HWND MainWindow() {
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (!w->parent && !w->owner && !w->destroying) return h;
    }
    return nullptr;
}

HWND FindTopLevel(LPCWSTR className, LPCWSTR title) {
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (!w->parent && !w->destroying && SameClassName(w->className, className) && w->title == title) return h;
    }
    return nullptr;
}

void ResetWindows() { Table().windows.Clear(); }

}  // namespace platform
