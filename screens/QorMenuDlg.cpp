// The menu dialog: layout from the screen, painting through an offscreen copy, keys and stylus.
#include "screens/QorMenuDlg.h"

#include <algorithm>

#include "framework/Metrics.h"
#include "framework/QorString.h"
#include "gfx/Blend.h"
#include "gfx/Draw.h"
#include "gfx/Text.h"
#include "platform/Cursor.h"
#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "platform/SoftKeyBar.h"
#include "platform/Windowing.h"

namespace {

constexpr COLORREF kBackgroundTop = 0x342210;
constexpr COLORREF kBackgroundBottom = 0xFF7A00;
constexpr COLORREF kTitleColour = 0xFFFFFF;
constexpr COLORREF kEntryFaceTop = 0xFFE1CC;
constexpr COLORREF kEntryFaceBottom = 0xD1AD91;
constexpr COLORREF kEntryInk = 0x5A320D;  // outline and label
constexpr COLORREF kFrameFaceTop = 0xFFFFFF;
constexpr COLORREF kFrameFaceBottom = 0xC0B8B6;
constexpr COLORREF kFrameInk = 0x312010;
constexpr COLORREF kAccent = 0xFFFFFF;
constexpr int kRoundedStyle = 3;
constexpr UINT kDigitZero = 0x30, kDigitOne = 0x31, kDigitNine = 0x39;
constexpr WORD kBackKey = 0x1B;

RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// The point a key press uses: inside every entry of at least 2 × 2 pixels.
POINT KeyPoint(const CQorButton& entry) {
    POINT p;
    entry.GetTopLeft(&p);
    return POINT{p.x + 1, p.y + 1};
}

}  // namespace

CQorMenuDlg::CQorMenuDlg()
    : m_pEntryImage(nullptr),
      m_hFontEntry(nullptr),
      m_hFontLarge(nullptr),
      m_nSel(0),
      m_nEntries(0),
      m_nFirstStringId(0),
      m_pszTitle(nullptr),
      m_nLastWidth(0),
      m_nLastHeight(0),
      m_nFrameMargin(0) {}

CQorMenuDlg::~CQorMenuDlg() {
    DeleteGdiObject(&m_hFontEntry);
    DeleteGdiObject(&m_hFontLarge);
    CQorString::FreeStr(&m_pszTitle);
    m_Frame.Release();
    for (CQorButton& entry : m_Entries) entry.Release();
    m_Background.Destroy();
    m_Screen.Destroy();
}

BOOL CQorMenuDlg::SetupMenu(HINSTANCE instance, LPCWSTR title, UINT firstStringId, UINT lastStringId) {
    m_Background.Destroy();
    CQorString::FreeStr(&m_pszTitle);
    m_hInst = instance;
    m_pszTitle = CQorString::StrDup(title);
    m_nFirstStringId = firstStringId;
    // Counted wide, so that a reversed range cannot wrap round to a huge count.
    const long long count = static_cast<long long>(lastStringId) - firstStringId + 1;
    if (count < 1 || count > MAX_MENU_ENTRIES) {
        m_nEntries = 0;
        return FALSE;
    }
    m_nEntries = static_cast<int>(count);
    return TRUE;
}

int CQorMenuDlg::OnInit(HWND hwnd, WPARAM, LPARAM) {
    ShellFullScreen(hwnd, SHELL_FS_HIDETASKBAR);
    // Sizing to the full screen sends the WM_SIZE that lays the menu out.
    SHELLDLGINIT init{SHELL_DLG_FLAGS, hwnd, SHELL_DLG_FULLSCREEN};
    ShellInitDialog(&init);
    SOFTKEYBARINFO bar{sizeof(SOFTKEYBARINFO), hwnd, 0, IDR_MENU_SOFTKEYS, m_hInst, 0, 0, nullptr, 0};
    ShellCreateSoftKeyBar(&bar);
    const WORD back = SHELL_OVERRIDE_NODEFAULT | SHELL_OVERRIDE_NOTIFY;
    SendMessageW(bar.hwndBar, SHELL_OVERRIDEKEY, kBackKey, MAKELPARAM(back, back));
    return 1;
}

int CQorMenuDlg::OnSize(HWND hwnd, WPARAM, LPARAM) {
    RECT client{};
    GetClientRect(hwnd, &client);
    // Only the client size decides whether to lay out again; the sizes come from the screen.
    if (client.right - client.left == m_nLastWidth && client.bottom - client.top == m_nLastHeight) return 1;
    m_nLastWidth = client.right - client.left;
    m_nLastHeight = client.bottom - client.top;

    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowCursor(TRUE);
    m_Background.Destroy();
    m_Screen.Destroy();

    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const int usable = GetUsableHeight(m_hWnd);
    const int w = (2 * std::min(cx, cy)) / 3;
    const int h = (12 * usable) / 100;
    const int g = (2 * usable) / 100;
    const int t0 = (17 * usable) / 100;
    const int x0 = (cx - w) / 2;

    m_pEntryImage = nullptr;
    for (int i = 0; i < m_nEntries; ++i) {
        CQorButton& entry = m_Entries[i];
        const int top = t0 + i * (h + g);
        entry.Release();
        entry.SetColors(kEntryFaceTop, kEntryFaceBottom, kEntryInk, kAccent, FALSE);
        entry.SetTextColors(kEntryInk, 0, FALSE);
        LPWSTR label = CQorString::LoadStrDup(m_nFirstStringId + i, m_hInst);
        // A string missing from the table leaves a blank entry that still looks and acts like
        // the others, rather than one without picture or message.
        LPCWSTR text = CQorString::IsEmpty(label) ? L" " : label;
        entry.Create(x0, top, x0 + w, top + h, text, m_hWnd, WM_MENU_ENTRY + i, 0, kRoundedStyle, m_pEntryImage);
        if (!m_pEntryImage) m_pEntryImage = &entry;
        CQorString::FreeStr(&label);
    }

    // The frame never receives the stylus, so its message is never posted.
    m_Frame.Release();
    m_Frame.SetColors(kFrameFaceTop, kFrameFaceBottom, kFrameInk, kAccent, FALSE);
    m_Frame.SetTextColors(kFrameInk, 0, FALSE);
    m_Frame.Create(x0 - g, t0 - g / 2, x0 + w + g - 1, t0 + h + g / 2 - 1, L" ", m_hWnd, WM_USER, 0, kRoundedStyle,
                   nullptr);
    RECT frame;
    m_Frame.GetRect(&frame);
    m_nFrameMargin = ((frame.right - frame.left) - w) / 2;

    const int icon = GetSystemMetrics(SM_CYICON);
    DeleteGdiObject(&m_hFontEntry);
    DeleteGdiObject(&m_hFontLarge);
    m_hFontEntry = MakeFont(icon / 2, FW_BOLD, TRUE, L"Tahoma", 0, 0, FALSE);
    m_hFontLarge = MakeFont((icon * 5) / 9, FW_BOLD, TRUE, L"Tahoma", 0, 0, FALSE);

    ShowCursor(FALSE);
    SetCursor(nullptr);
    InvalidateRect(hwnd, nullptr, FALSE);
    return 1;
}

RECT CQorMenuDlg::InflatedRect(int i) const {
    RECT rc;
    m_Entries[i].GetRect(&rc);
    const int grow = m_nFrameMargin + 1;
    return RECT{rc.left - grow, rc.top - grow, rc.right + grow, rc.bottom + grow};
}

void CQorMenuDlg::DrawEntry(int i, BOOL pressed) {
    if (i < 0 || i >= m_nEntries) return;
    CQorButton& entry = m_Entries[i];
    if (i != m_nSel) {
        entry.Draw(m_hFontEntry, m_Screen.m_hDC, nullptr, nullptr, nullptr);
        return;
    }
    RECT rc, frame;
    entry.GetRect(&rc);
    m_Frame.GetRect(&frame);
    const int frameHeight = frame.bottom - frame.top;
    m_Frame.MoveTo(rc.left - m_nFrameMargin, rc.top - (frameHeight - (rc.bottom - rc.top)) / 2);
    m_Frame.GetRect(&frame);
    m_Frame.DrawImage(m_Screen.m_hDC, &pressed, &frame);
    // KEY_COLOR keeps the surface's text colour, which stays the entries' ink.
    DrawTextEllipsis(m_Screen.m_hDC, entry.m_pszText, &frame, DT_CENTER | DT_VCENTER, m_hFontLarge, KEY_COLOR,
                     TRANSPARENT);
}

void CQorMenuDlg::RestoreBackground(int left, int top, int right, int bottom) {
    if (!m_Background.m_hDC) return;
    BitBlt(m_Screen.m_hDC, left, top, right - left, bottom - top, m_Background.m_hDC, left, top, SRCCOPY);
}

void CQorMenuDlg::DrawMenuScreen() {
    if (!m_Screen.m_hDC) return;
    const RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetUsableHeight(m_hWnd)};
    if (!m_Background.m_hDC) {
        // Made once per layout: a 24-bit gradient, dithered down to what the screen shows.
        m_Background.Create(m_Screen.m_hDC, &area, FALSE, TRUE, FALSE, 24);
        GradientFillRectDC(m_Background.m_hDC, &area, kBackgroundTop, kBackgroundBottom, TRUE);
        m_Background.Dither565();
        m_Background.MakeDeviceBitmap();
    }
    const int width = m_Screen.m_bm.bmWidth, height = m_Screen.m_bm.bmHeight;
    if (m_Background.m_hDC) {
        BitBlt(m_Screen.m_hDC, 0, 0, width, height, m_Background.m_hDC, 0, 0, SRCCOPY);
    } else {
        // Without its picture the menu still shows, on the gradient's average colour.
        RECT all{0, 0, width, height};
        FillSolidRect(m_Screen.m_hDC, &all, 0x994E08);
    }
    RECT title{0, (5 * GetUsableHeight(m_hWnd)) / 100, width, height};
    DrawTextEllipsis(m_Screen.m_hDC, m_pszTitle, &title, DT_CENTER, m_hFontLarge, kTitleColour, TRANSPARENT);
    for (int i = 0; i < m_nEntries; ++i) DrawEntry(i, FALSE);
}

int CQorMenuDlg::OnDraw(HWND, HDC dc, const RECT& client) {
    if (!m_Screen.m_hDC) {
        const RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetUsableHeight(m_hWnd)};
        m_Screen.Create(dc, &area, FALSE, FALSE, FALSE, 16);
        // The selected label is drawn in whatever colour the surface holds: make that the ink
        // from the start, not only once an unselected entry has been drawn.
        if (m_Screen.m_hDC) SetTextColor(m_Screen.m_hDC, kEntryInk);
    }
    RECT clip{};
    GetClipBox(dc, &clip);
    const bool whole = clip.left == client.left && clip.top == client.top && clip.right == client.right &&
                       clip.bottom == client.bottom;
    if (whole || !m_Background.m_hDC) DrawMenuScreen();
    BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, m_Screen.m_hDC, clip.left,
           clip.top, SRCCOPY);
    return 1;
}

int CQorMenuDlg::OnEraseBkgnd(HWND, WPARAM, LPARAM) { return 1; }

int CQorMenuDlg::EntryOfKey(WPARAM key) const {
    int index = -1;
    if (key == VK_RETURN) index = m_nSel;
    else if (key >= kDigitZero && key <= kDigitNine) index = static_cast<int>(key) - static_cast<int>(kDigitOne);
    return index >= 0 && index < m_nEntries ? index : -1;
}

int CQorMenuDlg::OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM) {
    const int index = EntryOfKey(wParam);
    if (index < 0) return 1;
    const POINT p = KeyPoint(m_Entries[index]);
    m_Entries[index].OnLButtonDown(&p);
    DrawEntry(index, FALSE);
    const RECT changed = InflatedRect(index);
    InvalidateRect(hwnd, &changed, FALSE);
    return 1;
}

void CQorMenuDlg::RedrawSelection(int old) {
    if (old < 0 || old >= m_nEntries) {
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    RestoreBackground(InflatedRect(old));
    DrawEntry(old, FALSE);
    DrawEntry(m_nSel, FALSE);
    const RECT changed = Union(InflatedRect(old), InflatedRect(m_nSel));
    InvalidateRect(m_hWnd, &changed, FALSE);
}

int CQorMenuDlg::OnKeyUp(HWND, WPARAM wParam, LPARAM) {
    const int old = m_nSel;
    if (m_nEntries > 0) {
        if (wParam == VK_UP) m_nSel = old == 0 ? m_nEntries - 1 : old - 1;
        if (wParam == VK_DOWN) m_nSel = old == m_nEntries - 1 ? 0 : old + 1;
    }
    // The action key chooses old: the selection only moves on Up and Down.
    const int index = EntryOfKey(wParam);
    if (index >= 0) {
        // A release without its press (the press went elsewhere) still activates.
        CQorButton& entry = m_Entries[index];
        const POINT p = KeyPoint(entry);
        if (!entry.m_bPressed) entry.OnLButtonDown(&p);
        entry.OnLButtonUp(&p);
        // A digit's entry is drawn pressed since its key went down; "Help" keeps the menu, so
        // it must not stay so.
        if (index != old && index != m_nSel) {
            DrawEntry(index, FALSE);
            const RECT changed = InflatedRect(index);
            InvalidateRect(m_hWnd, &changed, FALSE);
        }
    }
    RedrawSelection(old);
    return 1;
}

int CQorMenuDlg::OnLButtonDown(HWND, const POINT& point) {
    int hit = 0;
    while (hit < m_nEntries && !m_Entries[hit].OnLButtonDown(&point)) ++hit;
    if (hit == m_nEntries) return 1;
    RestoreBackground(InflatedRect(m_nSel));
    DrawEntry(m_nSel, FALSE);
    DrawEntry(hit, TRUE);
    const RECT changed = Union(InflatedRect(m_nSel), InflatedRect(hit));
    InvalidateRect(m_hWnd, &changed, FALSE);
    return 1;
}

int CQorMenuDlg::OnLButtonUp(HWND, const POINT& point) {
    BOOL wasPressed[MAX_MENU_ENTRIES] = {};
    for (int i = 0; i < m_nEntries; ++i) wasPressed[i] = m_Entries[i].m_bPressed;
    int activated = 0;
    while (activated < m_nEntries && !m_Entries[activated].OnLButtonUp(&point)) ++activated;
    if (activated == m_nEntries) {
        // A press lifted outside is cancelled: take its pressed picture off the screen too.
        for (int i = 0; i < m_nEntries; ++i) {
            if (wasPressed[i] == m_Entries[i].m_bPressed) continue;
            RestoreBackground(InflatedRect(i));
            DrawEntry(i, FALSE);
            const RECT changed = InflatedRect(i);
            InvalidateRect(m_hWnd, &changed, FALSE);
        }
        return 1;
    }
    const int old = m_nSel;
    m_nSel = activated;
    RedrawSelection(old);
    return 1;
}

int CQorMenuDlg::OnMouseMove(HWND, const POINT&) { return 1; }
int CQorMenuDlg::OnTimer(HWND, WPARAM, LPARAM) { return 1; }
int CQorMenuDlg::OnDestroy(HWND, WPARAM, LPARAM) { return 1; }

int CQorMenuDlg::OnUserMessage(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message < WM_MENU_ENTRY || message >= WM_MENU_ENTRY + static_cast<UINT>(m_nEntries)) return 0;
    EndDialog(hwnd, static_cast<int>(message - WM_MENU_ENTRY) + 1);
    return 1;
}

int CQorMenuDlg::OnCommand(HWND hwnd, WPARAM wParam, LPARAM) {
    const WORD command = LOWORD(wParam);
    if (command == IDOK || command == IDCANCEL) return 1;
    if (command != ID_MENU_QUIT) return 0;
    EndDialog(hwnd, m_nEntries);
    return 1;
}

int CQorMenuDlg::OnHotKey(HWND hwnd, WPARAM, LPARAM lParam) {
    if (HIWORD(static_cast<uintptr_t>(lParam)) == kBackKey && (lParam & SHELL_MOD_KEYUP)) ShowWindow(hwnd, SW_MINIMIZE);
    return NOT_HANDLED;
}
