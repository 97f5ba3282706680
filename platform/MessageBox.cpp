// The message box: a top-level window of the layer owned by the asking window, with a soft-key bar
// of its own made from the platform's own little module ("Yes", "No").
#include "platform/MessageBox.h"

#include <algorithm>

#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/SoftKeyBar.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

constexpr wchar_t kBoxClass[] = L"QorMessageBox";
constexpr COLORREF kPanelColour = RGB(248, 248, 250);
constexpr COLORREF kFrameColour = RGB(70, 78, 96);
constexpr COLORREF kBandColour = RGB(38, 66, 124);
constexpr COLORREF kCaptionColour = RGB(255, 255, 255);
constexpr COLORREF kTextColour = RGB(24, 24, 28);

constexpr size_t kRecordsKept = 100;
constexpr UINT kBarId = 1;
constexpr StringResource kStrings[] = {{1, L"Yes"}, {2, L"No"}};
constexpr SoftKeyButtonResource kButtons[] = {{0xFFFE, IDYES, 4, 0x10, 1, 0xFFFF}, {0xFFFE, IDNO, 4, 0x10, 2, 0xFFFF}};
constexpr SoftKeyBarResource kBars[] = {{kBarId, kButtons}};

struct Shared {
    std::vector<MessageBoxRecord> shown;
    HINSTANCE module = nullptr;
};

Shared& State() {
    static Shared shared;
    return shared;
}

// The platform's own resources, registered again after a reset has dropped every module.
HINSTANCE BoxModule() {
    HINSTANCE& module = State().module;
    if (!FindModule(module)) module = RegisterModule(ModuleResources{kStrings, {}, kBars});
    return module;
}

// What one showing of the box draws, and its answer.
struct Box {
    std::wstring caption;
    std::vector<std::wstring> lines;
    HFONT captionFont = nullptr;
    HFONT textFont = nullptr;
    int band = 0;        // height of the caption band
    int lineHeight = 0;  // of the text
    int padding = 0;
    bool ended = false;
    int result = 0;

    ~Box() {
        if (captionFont) DeleteObject(captionFont);
        if (textFont) DeleteObject(textFont);
    }
};

HFONT MakeFont(int height, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(lf.lfFaceName, L"Tahoma");
    return CreateFontIndirectW(&lf);
}

// One paragraph broken into lines no wider than width: at the last space that fits, or inside a
// word too long for a line of its own.
std::vector<std::wstring> Wrap(HDC dc, std::wstring rest, int width) {
    std::vector<std::wstring> lines;
    do {
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(dc, rest.c_str(), static_cast<int>(rest.size()), width, &fit, nullptr, &size);
        size_t take = rest.size();
        if (static_cast<size_t>(fit) < rest.size()) {
            size_t space = rest.rfind(L' ', static_cast<size_t>(fit));
            take = space != std::wstring::npos && space > 0 ? space : std::max<size_t>(1, static_cast<size_t>(fit));
        }
        std::wstring line = rest.substr(0, take);
        while (!line.empty() && line.back() == L' ') line.pop_back();
        lines.push_back(line);
        size_t next = rest.find_first_not_of(L' ', take);
        rest.erase(0, next == std::wstring::npos ? rest.size() : next);
    } while (!rest.empty());
    return lines;
}

// The text's paragraphs (split at line breaks), each wrapped into as few lines as at the full
// width but as even as can be: no lone last word.
std::vector<std::wstring> WrapLines(HDC dc, const std::wstring& text, int width) {
    std::vector<std::wstring> lines;
    for (size_t start = 0;;) {
        size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
        const std::wstring paragraph = text.substr(start, end - start);
        const size_t count = Wrap(dc, paragraph, width).size();
        int low = 1, high = width;
        while (count > 1 && low < high) {
            int mid = (low + high) / 2;
            if (Wrap(dc, paragraph, mid).size() <= count) high = mid;
            else low = mid + 1;
        }
        for (std::wstring& line : Wrap(dc, paragraph, high)) lines.push_back(std::move(line));
        if (end == text.size()) return lines;
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
}

// Fonts scale with the icon size; the text font shrinks until the panel fits between the bars.
// Returns the panel's rectangle on the screen.
RECT Layout(Box& box, const std::wstring& text) {
    const DeviceProfile& p = CurrentDeviceProfile();
    const RECT area = FullScreenArea();
    const int margin = std::max(4, p.icon / 4);
    box.padding = std::max(4, p.icon / 4);
    const int width = area.right - area.left - 2 * margin;
    const int room = area.bottom - area.top - 2 * margin;
    const int captionHeight = p.icon * 9 / 16;
    box.captionFont = MakeFont(captionHeight, true);
    box.band = captionHeight + box.padding;

    HDC dc = CreateCompatibleDC(nullptr);
    int height = 0;
    for (int size = p.icon / 2; size >= std::max(9, p.icon * 5 / 16); --size) {
        if (box.textFont) DeleteObject(box.textFont);
        box.textFont = MakeFont(size, false);
        HGDIOBJ old = SelectObject(dc, box.textFont);
        box.lines = WrapLines(dc, text, width - 2 * box.padding);
        if (old) SelectObject(dc, old);
        box.lineHeight = size;
        height = box.band + box.padding * 5 / 2 + static_cast<int>(box.lines.size()) * box.lineHeight;
        if (height <= room) break;
    }
    if (dc) DeleteDC(dc);
    height = std::min(height, room);
    const int top = area.top + (area.bottom - area.top - height) / 2;
    return RECT{margin, top, margin + width, top + height};
}

void Paint(HWND hwnd, const Box& box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    platform::FillSolid(dc, client, kFrameColour);
    platform::FillSolid(dc, RECT{1, 1, client.right - 1, box.band}, kBandColour);
    platform::FillSolid(dc, RECT{1, box.band, client.right - 1, client.bottom - 1}, kPanelColour);
    SetBkMode(dc, TRANSPARENT);

    HGDIOBJ old = SelectObject(dc, box.captionFont);
    SetTextColor(dc, kCaptionColour);
    RECT band{box.padding, 0, client.right - box.padding, box.band};
    DrawTextW(dc, box.caption.c_str(), -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, box.textFont);
    SetTextColor(dc, kTextColour);
    int y = box.band + box.padding;
    for (const std::wstring& line : box.lines) {
        RECT r{box.padding, y, client.right - box.padding, std::min<LONG>(y + box.lineHeight, client.bottom - 1)};
        DrawTextW(dc, line.c_str(), -1, &r, DT_CENTER | DT_TOP | DT_SINGLELINE);
        y += box.lineHeight;
    }
    if (old) SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

void Answer(Box* box, int result) {
    if (!box || box->ended) return;
    box->ended = true;
    box->result = result;
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        return 0;
    }
    auto* box = reinterpret_cast<Box*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            if (box) Paint(hwnd, *box);
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO) Answer(box, LOWORD(wParam));
            return 0;
        case WM_KEYUP:
            if (wParam == 'Y') Answer(box, IDYES);
            if (wParam == 'N') Answer(box, IDNO);
            return 0;
        case WM_CLOSE: return 0;  // the question wants an answer
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

const std::vector<MessageBoxRecord>& MessageBoxesShown() { return State().shown; }
void ResetMessageBoxes() { State() = Shared(); }

}  // namespace platform

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    using namespace platform;
    if ((type & 0xF) != MB_YESNO || (owner && !IsWindow(owner))) return 0;
    std::vector<MessageBoxRecord>& shown = State().shown;
    if (shown.size() == kRecordsKept) shown.erase(shown.begin());
    shown.push_back({owner, caption ? caption : L"", text ? text : L"", type});
    WNDCLASSW wc{};
    wc.lpfnWndProc = BoxProc;
    wc.lpszClassName = kBoxClass;
    RegisterClassW(&wc);  // once per platform state

    HWND top = TopLevelOf(owner);
    Box box;
    box.caption = shown.back().caption;
    RECT panel = Layout(box, shown.back().text);
    // The status bar goes on showing the owner's title.
    const WindowRecord* ownerRecord = FindWindowRecord(top);
    std::wstring title = ownerRecord ? ownerRecord->title : box.caption;
    HWND hwnd = CreateWindowExW(0, kBoxClass, title.c_str(), 0, panel.left, panel.top, panel.right - panel.left,
                                panel.bottom - panel.top, top, nullptr, BoxModule(), &box);
    SOFTKEYBARINFO bar{sizeof(SOFTKEYBARINFO), hwnd, 0, kBarId, BoxModule(), 0, 0, nullptr, 0};
    if (!hwnd || !ShellCreateSoftKeyBar(&bar)) {
        if (hwnd) DestroyWindow(hwnd);
        return 0;
    }

    HWND focusBefore = GetFocus();
    bool ownerWasEnabled = top && IsWindowEnabled(top);
    if (top) EnableWindow(top, FALSE);
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(hwnd);
    MSG msg;
    while (!box.ended && IsWindow(hwnd)) {
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ownerWasEnabled) EnableWindow(top, TRUE);
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    if (IsWindow(focusBefore)) SetFocus(focusBefore);
    else if (IsWindow(top)) SetFocus(top);
    return box.ended ? box.result : 0;
}
