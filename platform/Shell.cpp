// The shell's full-screen services and its two bars on the presented screen.
#include "platform/Shell.h"

#include <set>

#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/SoftKeyBar.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

constexpr COLORREF kBarColour = RGB(24, 24, 32);
constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kDisabledTextColour = RGB(128, 128, 128);

struct ShellState {
    std::set<uintptr_t> hidingStatusBar;
    HFONT font = nullptr;  // the bars' labels, made on first use
};

ShellState& State() {
    static ShellState state;
    return state;
}

HFONT BarFont() {
    ShellState& s = State();
    if (!s.font) {
        LOGFONTW lf{};
        lf.lfHeight = CurrentDeviceProfile().bar * 5 / 8;
        lf.lfWeight = FW_BOLD;
        lf.lfQuality = CLEARTYPE_QUALITY;
        lf.lfCharSet = DEFAULT_CHARSET;
        std::wcscpy(lf.lfFaceName, L"Tahoma");
        s.font = CreateFontIndirectW(&lf);
    }
    return s.font;
}

void Label(HDC dc, const std::wstring& text, RECT area, UINT format, bool enabled) {
    SetTextColor(dc, enabled ? kTextColour : kDisabledTextColour);
    DrawTextW(dc, text.c_str(), -1, &area, format | DT_VCENTER | DT_SINGLELINE);
}

// Drawn straight onto the composed screen; the DC is deleted, not released, since releasing a
// screen DC would present again from inside the presentation.
void PaintBars(const PixelRows& screen) {
    HDC dc = GetDC(nullptr);
    if (!dc) return;
    const DeviceProfile& p = CurrentDeviceProfile();
    int margin = p.bar / 4;
    RECT keys{0, screen.height - p.bar, screen.width, screen.height};
    FillSolid(dc, RECT{0, 0, screen.width, p.bar}, kBarColour);
    FillSolid(dc, keys, kBarColour);
    HGDIOBJ oldFont = SelectObject(dc, BarFont());
    SetBkMode(dc, TRANSPARENT);

    HWND front = ActiveWindow();
    if (const WindowRecord* w = FindWindowRecord(front); w && !HidesStatusBar(front))
        Label(dc, w->title, RECT{margin, 0, screen.width - margin, p.bar}, DT_LEFT, true);
    std::vector<SoftKeyLabel> labels = SoftKeyLabelsOf(front);
    RECT half{margin, keys.top, screen.width / 2, keys.bottom};
    if (labels.size() > 0) Label(dc, labels[0].text, half, DT_LEFT, labels[0].enabled);
    half = RECT{screen.width / 2, keys.top, screen.width - margin, keys.bottom};
    if (labels.size() > 1) Label(dc, labels[1].text, half, DT_RIGHT, labels[1].enabled);

    if (oldFont) SelectObject(dc, oldFont);
    DeleteDC(dc);
}

}  // namespace

bool HidesStatusBar(HWND topLevel) { return State().hidingStatusBar.count(reinterpret_cast<uintptr_t>(topLevel)) != 0; }

void StartShellPainting() { SetShellPainter(PaintBars); }

void ResetShell() {
    ShellState& s = State();
    if (s.font) DeleteObject(s.font);
    s = ShellState();
    ResetSoftKeyBars();
}

}  // namespace platform

BOOL ShellInitDialog(const SHELLDLGINIT* info) {
    using namespace platform;
    if (!info || !IsWindow(info->hwnd)) return FALSE;
    StartShellPainting();
    if (!(info->mask & SHELL_DLG_FLAGS) || !(info->flags & SHELL_DLG_FULLSCREEN)) return TRUE;
    RECT area = FullScreenArea(), before{};
    GetWindowRect(info->hwnd, &before);
    int width = area.right - area.left, height = area.bottom - area.top;
    MoveWindow(info->hwnd, area.left, area.top, width, height, FALSE);
    // Callers lay out in their size handler: they get one now even when nothing changed.
    if (before.right - before.left == width && before.bottom - before.top == height)
        SendMessageW(info->hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
    return TRUE;
}

BOOL ShellFullScreen(HWND hwnd, DWORD state) {
    using namespace platform;
    HWND top = TopLevelOf(hwnd);
    if (!top) return FALSE;
    StartShellPainting();
    auto& hiding = State().hidingStatusBar;
    if (state & SHELL_FS_HIDETASKBAR) hiding.insert(reinterpret_cast<uintptr_t>(top));
    if (state & SHELL_FS_SHOWTASKBAR) hiding.erase(reinterpret_cast<uintptr_t>(top));
    return TRUE;
}
