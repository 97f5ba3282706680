// CQorWnd: dispatch, creation, modal dialogs and tear-down.
#include "framework/QorWnd.h"

#include "platform/Dialogs.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/SingleInstance.h"
#include "platform/Windowing.h"

HINSTANCE g_hInstance = nullptr;

namespace {

constexpr wchar_t kDefaultClassName[] = L"QorClassDefault";

// x and y are the low and high 16 bits, each unsigned.
POINT PointOf(LPARAM lParam) {
    return POINT{LOWORD(static_cast<uintptr_t>(lParam)), HIWORD(static_cast<uintptr_t>(lParam))};
}

}  // namespace

CQorWnd::CQorWnd()
    : m_pStrings(CQorString::Instance()),
      m_hWnd(nullptr),
      m_hInst(nullptr),
      m_bPaint(TRUE),
      m_bIsWindow(FALSE),
      m_atomClass(0),
      m_pszClassName(nullptr) {}

CQorWnd::~CQorWnd() { Destroy(); }

int CQorWnd::OnPaint(HWND hwnd, WPARAM, LPARAM) {
    if (!m_bPaint) return NOT_HANDLED;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client{};
    GetClientRect(hwnd, &client);
    int result = OnDraw(hwnd, dc, client);
    EndPaint(hwnd, &ps);
    return result;
}

int CQorWnd::OnDraw(HWND, HDC, const RECT&) { return NOT_HANDLED; }
int CQorWnd::OnSettingChange(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnSize(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnNotify(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnDrawItem(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnMeasureItem(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnChar(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnKeyDown(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnKeyUp(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnEraseBkgnd(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnUserMessage(HWND, UINT, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnInit(HWND, WPARAM, LPARAM) { return 1; }
int CQorWnd::OnLButtonUp(HWND, const POINT&) { return NOT_HANDLED; }
int CQorWnd::OnLButtonDown(HWND, const POINT&) { return NOT_HANDLED; }
int CQorWnd::OnMouseMove(HWND, const POINT&) { return NOT_HANDLED; }
int CQorWnd::OnTimer(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }

int CQorWnd::OnDestroy(HWND, WPARAM, LPARAM) {
    m_hWnd = nullptr;
    return 1;
}

int CQorWnd::OnCommand(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnActivate(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }

int CQorWnd::OnDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<int>(DefWindowProcW(hwnd, message, wParam, lParam));
}

int CQorWnd::OnHotKey(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnHScroll(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnVScroll(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnKillFocus(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnSetFocus(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnHibernate(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnSysColorChange(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnCtlColorStatic(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnCtlColorBtn(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnCopyData(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnHelp(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnEnterMenuLoop(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }
int CQorWnd::OnExitMenuLoop(HWND, WPARAM, LPARAM) { return NOT_HANDLED; }

int CQorWnd::OnClose(HWND, WPARAM, LPARAM) {
    if (m_bIsWindow) PostQuitMessage(0);
    else EndDialog(m_hWnd, 0);
    return 1;
}

int CQorWnd::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) return OnUserMessage(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: return OnPaint(hwnd, wParam, lParam);
        case WM_SETTINGCHANGE: return OnSettingChange(hwnd, wParam, lParam);
        case WM_SIZE: return OnSize(hwnd, wParam, lParam);
        case WM_NOTIFY: return OnNotify(hwnd, wParam, lParam);
        case WM_DRAWITEM: return OnDrawItem(hwnd, wParam, lParam);
        case WM_MEASUREITEM: return OnMeasureItem(hwnd, wParam, lParam);
        case WM_CHAR: return OnChar(hwnd, wParam, lParam);
        case WM_KEYDOWN: return OnKeyDown(hwnd, wParam, lParam);
        case WM_KEYUP: return OnKeyUp(hwnd, wParam, lParam);
        case WM_ERASEBKGND: return OnEraseBkgnd(hwnd, wParam, lParam);
        case WM_LBUTTONUP: return OnLButtonUp(hwnd, PointOf(lParam));
        case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, PointOf(lParam));
        case WM_MOUSEMOVE: return OnMouseMove(hwnd, PointOf(lParam));
        case WM_TIMER: return OnTimer(hwnd, wParam, lParam);
        case WM_DESTROY: {
            int result = OnDestroy(hwnd, wParam, lParam);
            // Detached whatever the operation did: later messages find no object.
            m_hWnd = nullptr;
            return result;
        }
        case WM_COMMAND: return OnCommand(hwnd, wParam, lParam);
        case WM_ACTIVATE: return OnActivate(hwnd, wParam, lParam);
        case WM_HOTKEY: return OnHotKey(hwnd, wParam, lParam);
        case WM_HSCROLL: return OnHScroll(hwnd, wParam, lParam);
        case WM_VSCROLL: return OnVScroll(hwnd, wParam, lParam);
        case WM_KILLFOCUS: return OnKillFocus(hwnd, wParam, lParam);
        case WM_SETFOCUS: return OnSetFocus(hwnd, wParam, lParam);
        case WM_HIBERNATE: return OnHibernate(hwnd, wParam, lParam);
        case WM_SYSCOLORCHANGE: return OnSysColorChange(hwnd, wParam, lParam);
        case WM_CTLCOLORSTATIC: return OnCtlColorStatic(hwnd, wParam, lParam);
        case WM_CTLCOLORBTN: return OnCtlColorBtn(hwnd, wParam, lParam);
        case WM_COPYDATA: return OnCopyData(hwnd, wParam, lParam);
        case WM_HELP: return OnHelp(hwnd, wParam, lParam);
        case WM_ENTERMENULOOP: return OnEnterMenuLoop(hwnd, wParam, lParam);
        case WM_EXITMENULOOP: return OnExitMenuLoop(hwnd, wParam, lParam);
        case WM_CLOSE: return OnClose(hwnd, wParam, lParam);
        default: return NOT_HANDLED;
    }
}

LRESULT CALLBACK CQorWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE || message == WM_INITDIALOG) {
        // A creation message may come without its record (sent by hand): nothing to attach then.
        const auto* record = message == WM_CREATE ? reinterpret_cast<const CREATESTRUCTW*>(lParam) : nullptr;
        CQorWnd* self = message == WM_CREATE ? (record ? static_cast<CQorWnd*>(record->lpCreateParams) : nullptr)
                                             : reinterpret_cast<CQorWnd*>(lParam);
        if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
        // The slot is pointer-sized: the whole object pointer survives.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_hWnd = hwnd;
        return self->OnInit(hwnd, wParam, lParam);
    }
    auto* self = reinterpret_cast<CQorWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->m_hWnd != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    int result = self->Dispatch(hwnd, message, wParam, lParam);
    if (result == NOT_HANDLED) result = self->OnDefault(hwnd, message, wParam, lParam);
    return result;  // sign-extended: -1 stays -1 in the wider result
}

BOOL CQorWnd::Create(LPCWSTR title, HWND parent, HINSTANCE instance, LPCWSTR className, int x, int y, int width,
                     int height, DWORD exStyle, DWORD style) {
    Destroy();
    m_hInst = instance;
    m_bIsWindow = TRUE;
    m_pszClassName = CQorString::StrDup(CQorString::IsEmpty(className) ? kDefaultClassName : className);
    if (ActivateExisting(title)) return FALSE;
    m_atomClass = RegisterWindowClass();
    HWND hwnd = CreateWindowExW(exStyle, MAKEINTATOM(m_atomClass), title, style, x, y, width, height, parent, nullptr,
                                m_hInst, this);
    m_hWnd = hwnd;
    return hwnd ? TRUE : FALSE;
}

int CQorWnd::DoModal(HWND parent, HINSTANCE instance, int id) {
    // Unreachable in the game (each dialog object runs once); the value is kept as it was.
    if (ActivateExisting(nullptr)) return 1;
    Destroy();
    m_bIsWindow = FALSE;
    m_hInst = instance;
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(LOWORD(static_cast<uintptr_t>(id))), RT_DIALOG);
    auto dialog = static_cast<LPCDLGTEMPLATEW>(LoadResource(instance, found));
    if (!dialog) return -1;
    return static_cast<int>(DialogBoxIndirectParamW(instance, dialog, parent, WindowProc, reinterpret_cast<LPARAM>(this)));
}

BOOL CQorWnd::Destroy() {
    if (m_hWnd) {
        if (m_bIsWindow) DestroyWindow(m_hWnd);
        else EndDialog(m_hWnd, 1);
        m_hWnd = nullptr;
    }
    if (m_atomClass && !CQorString::IsEmpty(m_pszClassName)) {
        UnregisterClassW(m_pszClassName, m_hInst);
        m_atomClass = 0;
    }
    CQorString::FreeStr(&m_pszClassName);
    return TRUE;
}

BOOL CQorWnd::ActivateExisting(LPCWSTR title) {
    HWND found = nullptr;
    if (!CQorString::IsEmpty(title)) found = FindWindowW(m_pszClassName, title);
    HWND target = m_hWnd ? m_hWnd : found;
    if (!target) return FALSE;
    ActivateWithOwned(target);
    return TRUE;
}

ATOM CQorWnd::RegisterWindowClass() {
    WNDCLASSW wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_NOCLOSE;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = m_hInst;
    wc.lpszClassName = m_pszClassName;
    return RegisterClassW(&wc);
}
