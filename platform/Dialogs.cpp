// The dialog manager: modal dialogs as ordinary windows with a nested message loop.
#include "platform/Dialogs.h"

#include <algorithm>
#include <vector>

#include "platform/DialogTemplates.h"
#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Selector.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

constexpr wchar_t kDialogClass[] = L"QorDialog";

struct RunningDialog {
    HWND hwnd = nullptr;
    DLGPROC proc = nullptr;
    bool ended = false;
    INT_PTR result = 0;
    HFONT font = nullptr;  // the description's, for the controls
};

// Innermost last. A dialog is listed from its creation until its loop has ended.
std::vector<RunningDialog*>& Running() {
    static std::vector<RunningDialog*> running;
    return running;
}

RunningDialog* Find(HWND hwnd) {
    for (RunningDialog* d : Running())
        if (d->hwnd == hwnd) return d;
    return nullptr;
}

LRESULT DefaultAnswer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            return 1;
        }
        case WM_PAINT: {
            // Painting nothing still starts with the background the dialog asked to have erased.
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_GETFONT: {
            RunningDialog* dialog = Find(hwnd);
            return dialog ? reinterpret_cast<LRESULT>(dialog->font) : 0;
        }
        case WM_CLOSE:
            // A dialog is ended, never destroyed, by its procedure; closing it asks for Cancel.
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* dialog = static_cast<RunningDialog*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        dialog->hwnd = hwnd;
        return 0;
    }
    RunningDialog* dialog = Find(hwnd);
    if (dialog) {
        INT_PTR answer = dialog->proc(hwnd, message, wParam, lParam);
        if (answer != 0) return answer;
    }
    return DefaultAnswer(hwnd, message, wParam, lParam);
}

// A cell of 1.2 ems for the point size at 96 dots per inch, on a 32-pixel icon's scale.
HFONT MakeDialogFont(const DialogResource& dialog) {
    if (!(dialog.style & DS_SETFONT) || !dialog.fontFace || dialog.fontSize == 0) return nullptr;
    LOGFONTW lf{};
    lf.lfHeight = (dialog.fontSize * CurrentDeviceProfile().icon + 10) / 20;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    for (int i = 0; i < LF_FACESIZE - 1 && dialog.fontFace[i]; ++i) lf.lfFaceName[i] = dialog.fontFace[i];
    return CreateFontIndirectW(&lf);
}

void GiveControlsFont(HWND dialog, HFONT font) {
    if (!font) return;
    for (HWND h : WindowsInCreationOrder())
        if (GetParent(h) == dialog) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void MoveFocus(HWND dialog, int step) {
    std::vector<HWND> all = TabStopsOnScreen(dialog, false);
    if (all.empty()) return;
    int n = static_cast<int>(all.size());
    auto at = std::find(all.begin(), all.end(), GetFocus());
    int pos = at == all.end() ? (step > 0 ? -1 : n) : static_cast<int>(at - all.begin());
    for (int i = 0; i < n; ++i) {
        pos = (pos + step + n) % n;
        if (IsWindowEnabled(all[pos])) {
            SetFocus(all[pos]);
            return;
        }
    }
}

// The dialog's own keys; false lets the message go to its window.
bool HandleDialogKey(HWND dialog, const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return false;
    if (!IsSameOrInside(dialog, msg.hwnd)) return false;
    if (TabStopsOnScreen(dialog, true).empty()) return false;
    switch (msg.wParam) {
        case VK_UP:
        case VK_DOWN:
            if (msg.message == WM_KEYDOWN) MoveFocus(dialog, msg.wParam == VK_DOWN ? 1 : -1);
            return true;
        case VK_RETURN:
            // On release: the press must not leave its release to whatever shows after the dialog.
            if (msg.message == WM_KEYUP) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
            return true;
        default:
            return false;
    }
}

void RunModalLoop(RunningDialog& dialog) {
    MSG msg;
    while (!dialog.ended && IsWindow(dialog.hwnd)) {
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            dialog.result = 0;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (HandleDialogKey(dialog.hwnd, msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

void ResetDialogs() { Running().clear(); }

}  // namespace platform

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND parent, DLGPROC proc, LPARAM param) {
    using namespace platform;
    if (!dialog || !proc || (parent && !IsWindow(parent))) return -1;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DialogWindowProc;
    wc.lpszClassName = kDialogClass;
    RegisterClassW(&wc);  // once per platform state; 0 afterwards
    RegisterSelectorClass();

    HWND owner = TopLevelOf(parent);
    HWND focusBefore = GetFocus();
    RunningDialog running;
    running.proc = proc;
    Running().push_back(&running);
    HWND hwnd = CreateDialogWindows(instance, *dialog, owner, kDialogClass, &running);
    if (!hwnd) {
        Running().erase(std::find(Running().begin(), Running().end(), &running));
        return -1;
    }
    running.font = MakeDialogFont(*dialog);
    GiveControlsFont(hwnd, running.font);

    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (owner) EnableWindow(owner, FALSE);
    LRESULT init = SendMessageW(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(FirstTabStop(hwnd)), param);
    if (IsWindow(hwnd)) {
        std::vector<HWND> stops = TabStopsOnScreen(hwnd, true);
        if (init != 0) SetFocus(stops.empty() ? hwnd : stops.front());
        else if (!IsSameOrInside(hwnd, GetFocus())) SetFocus(hwnd);
        if (!running.ended) {
            // A new dialog's first paint starts with its background.
            InvalidateRect(hwnd, nullptr, TRUE);
            ShowWindow(hwnd, SW_SHOW);
        }
        RunModalLoop(running);
    }

    if (owner && ownerWasEnabled) EnableWindow(owner, TRUE);
    DestroyWindow(hwnd);
    if (running.font) DeleteObject(running.font);
    Running().erase(std::find(Running().begin(), Running().end(), &running));
    if (IsWindow(focusBefore)) SetFocus(focusBefore);
    else if (IsWindow(owner)) SetFocus(owner);
    return running.result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    platform::RunningDialog* d = platform::Find(dialog);
    if (!d || d->ended) return d ? TRUE : FALSE;
    d->ended = true;
    d->result = result;
    return TRUE;
}
