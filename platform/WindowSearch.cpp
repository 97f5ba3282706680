// Finding and raising windows: this process's own, else the holder of the name, which each host
// reaches in its own way (ClaimOrFind).
#include "platform/WindowSearch.h"

#include <memory>

#include "platform/Backend.h"
#include "platform/Handles.h"
#include "platform/SingleInstance.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

struct RemoteWindow {
    bool answered = false;
};

HandleTable<RemoteWindow>& Remotes() {
    static HandleTable<RemoteWindow> remotes{HandleKind::RemoteWindow};
    return remotes;
}

// The window, its owned windows that are minimised restored, and the program's window raised.
BOOL Raise(HWND hwnd, bool withOwned) {
    // A window of another copy was asked to come forward when it was found.
    if (const RemoteWindow* remote = Remotes().Find(hwnd)) return remote->answered ? TRUE : FALSE;
    HWND top = TopLevelOf(hwnd);
    if (!top) return FALSE;
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (w->minimized && (h == top || (withOwned && w->owner == top))) ShowWindow(h, SW_RESTORE);
    }
    CurrentBackend().Raise();
    return TRUE;
}

}  // namespace

HWND RemoteWindowHandle(bool answered) {
    return ToHandle<HWND>(Remotes().Add(std::make_unique<RemoteWindow>(RemoteWindow{answered})));
}

void ForgetRemoteWindows() { Remotes().Clear(); }

}  // namespace platform

HWND FindWindowW(LPCWSTR className, LPCWSTR title) {
    if (!className || !*className || !title || !*title) return nullptr;
    if (HWND local = platform::FindTopLevel(className, title)) return local;
    return platform::ClaimOrFind(className, title);
}

BOOL SetForegroundWindow(HWND hwnd) { return platform::Raise(hwnd, false); }
BOOL ActivateWithOwned(HWND hwnd) { return platform::Raise(hwnd, true); }
