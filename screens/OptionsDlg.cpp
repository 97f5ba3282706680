// COptionsDlg: set-up, the selectors' rows and lists, the enable rule, Save and Cancel, the title.
#include "screens/OptionsDlg.h"

#include "framework/Metrics.h"
#include "gfx/Draw.h"
#include "gfx/Text.h"
#include "platform/Platform.h"

namespace {

constexpr UINT kOptionsSoftKeys = 131;
constexpr int kModeSingle = 0;
constexpr int kSmallestSize = 3;
constexpr int kFewestColors = 2;
constexpr UINT kProductNameString = 1;
constexpr UINT kVersionString = 62;
constexpr int kTextBuffer = 64;

}  // namespace

COptionsDlg::COptionsDlg()
    : m_nColors(kFewestColors), m_nSize(kSmallestSize), m_bPlaySounds(TRUE), m_nMode(kModeSingle), m_nType(0) {}

COptionsDlg::~COptionsDlg() { m_Surface.Destroy(); }

int COptionsDlg::OnSize(HWND, WPARAM, LPARAM) { return 1; }
int COptionsDlg::OnKeyUp(HWND, WPARAM, LPARAM) { return 0; }
int COptionsDlg::OnLButtonUp(HWND, const POINT&) { return 1; }
int COptionsDlg::OnLButtonDown(HWND, const POINT&) { return 1; }
int COptionsDlg::OnMouseMove(HWND, const POINT&) { return 1; }

int COptionsDlg::OnInit(HWND hwnd, WPARAM, LPARAM) {
    SHELLDLGINIT fullScreen{SHELL_DLG_FLAGS, hwnd, SHELL_DLG_DONEBUTTON | SHELL_DLG_FULLSCREEN};
    ShellInitDialog(&fullScreen);
    SOFTKEYBARINFO bar{sizeof(SOFTKEYBARINFO), hwnd, 0, kOptionsSoftKeys, m_hInst, 0, 0, nullptr, 0};
    ShellCreateSoftKeyBar(&bar);
    FillSelectors(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
    return 1;
}

void COptionsDlg::FillSelectors(HWND dialog) {
    // Any nonzero sound value is on; the list has only off and on.
    FillSelector(IDC_SOUNDS, dialog, m_hInst, 32, 33, m_bPlaySounds ? 1 : 0, 5);
    FillSelector(IDC_GAME, dialog, m_hInst, 10, 14, m_nMode, 4);
    FillSelector(IDC_TYPE, dialog, m_hInst, 15, 19, m_nType, 3);
    FillSelector(IDC_SIZE, dialog, m_hInst, 25, 30, m_nSize - kSmallestSize, 2);
    FillSelector(IDC_COLORS, dialog, m_hInst, 35, 38, m_nColors - kFewestColors, 1);
    EnableForMode(dialog, m_nMode);
}

void COptionsDlg::PlaceSelector(int id, HWND dialog, int row) {
    int icon = GetSystemMetrics(SM_CXICON);
    int margin = icon / 8;
    int height = (icon * 5) / 8 - 1;
    RECT client{};
    GetClientRect(dialog, &client);
    MoveWindow(GetDlgItem(dialog, id), margin, client.bottom - row * height - margin,
               GetSystemMetrics(SM_CXSCREEN) - 2 * margin, height, FALSE);
}

void COptionsDlg::FillSelector(int id, HWND dialog, HINSTANCE instance, UINT firstString, UINT lastString,
                               int selected, int row) {
    PlaceSelector(id, dialog, row);
    HWND control = GetDlgItem(dialog, id);
    SendMessageW(control, LB_RESETCONTENT, 0, 0);
    for (UINT string = firstString; string <= lastString; ++string) {
        wchar_t text[kTextBuffer];
        CQorString::LoadStr(text, string, kTextBuffer, instance);
        SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    // A value outside the list (a negative one among them) leaves nothing selected.
    SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int COptionsDlg::GetSelection(HWND control) {
    if (!control) return -1;
    return static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
}

void COptionsDlg::EnableForMode(HWND dialog, int mode) {
    BOOL own = mode == kModeSingle;
    for (int id : {IDC_COLORS, IDC_SIZE, IDC_TYPE}) EnableWindow(GetDlgItem(dialog, id), own);
}

int COptionsDlg::OnCommand(HWND hwnd, WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
        case IDM_SAVE:
        case IDOK:
            Save(hwnd);
            EndDialog(hwnd, RESULT_SAVED);
            break;
        case IDM_CANCEL:
            EndDialog(hwnd, RESULT_CANCELLED);
            break;
        case IDC_GAME:
            EnableForMode(hwnd, GetSelection(GetDlgItem(hwnd, IDC_GAME)));
            break;
        default:
            break;
    }
    return 0;
}

void COptionsDlg::Save(HWND dialog) {
    // A selector without a selection (its value was outside its list) keeps the value handed in.
    auto take = [dialog](int id, int base, int32_t* field) {
        int index = GetSelection(GetDlgItem(dialog, id));
        if (index >= 0) *field = index + base;
    };
    take(IDC_SOUNDS, 0, &m_bPlaySounds);
    take(IDC_SIZE, kSmallestSize, &m_nSize);
    take(IDC_COLORS, kFewestColors, &m_nColors);
    take(IDC_GAME, 0, &m_nMode);
    take(IDC_TYPE, 0, &m_nType);
}

int COptionsDlg::OnDraw(HWND, HDC dc, const RECT& client) {
    // Made once, at the size of the first paint: the dialog fills the screen and never resizes.
    if (!m_Surface.m_hDC) m_Surface.Create(dc, &client, FALSE, FALSE, FALSE, 16);
    FillSolidRect(m_Surface.m_hDC, &client, RGB(255, 255, 255));
    DrawTitle(m_Surface.m_hDC, client);
    BitBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top, m_Surface.m_hDC,
           client.left, client.top, SRCCOPY);
    return 1;
}

void COptionsDlg::DrawTitle(HDC dc, const RECT&) {
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = 0;
    for (UINT string : {kProductNameString, kVersionString}) {
        y += ScaleToScreen(18);
        wchar_t text[kTextBuffer];
        CQorString::LoadStr(text, string, kTextBuffer, m_hInst);
        DrawTextAt(dc, text, x, y, 1, nullptr, RGB(0, 0, 0), TRANSPARENT);
    }
}
