// CQorWnd: the base of every window and dialog; one window procedure turns messages into calls
// of virtual operations.
#pragma once

#include "framework/QorString.h"
#include "platform/Types.h"

// The handler result that passes a message on to the platform's default procedure.
constexpr int NOT_HANDLED = -1;

class CQorWnd {
public:
    CQorWnd();
    // Destroy, then the object goes.
    virtual ~CQorWnd();
    CQorWnd(const CQorWnd&) = delete;
    CQorWnd& operator=(const CQorWnd&) = delete;

    // The operations in slot order. Each returns NOT_HANDLED or the procedure's result.
    virtual int OnPaint(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnDraw(HWND hwnd, HDC dc, const RECT& client);
    virtual int OnSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnNotify(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnDrawItem(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnMeasureItem(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnChar(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnKeyUp(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnEraseBkgnd(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnUserMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // WM_CREATE and WM_INITDIALOG; its result is returned as it is, NOT_HANDLED included.
    virtual int OnInit(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnLButtonUp(HWND hwnd, const POINT& point);
    virtual int OnLButtonDown(HWND hwnd, const POINT& point);
    virtual int OnMouseMove(HWND hwnd, const POINT& point);
    virtual int OnTimer(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);
    // DefWindowProcW, for windows and dialogs alike.
    virtual int OnDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    virtual int OnHotKey(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnHScroll(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnVScroll(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnKillFocus(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnSetFocus(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnHibernate(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnSysColorChange(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnCtlColorStatic(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnCtlColorBtn(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnCopyData(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnHelp(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnEnterMenuLoop(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual int OnExitMenuLoop(HWND hwnd, WPARAM wParam, LPARAM lParam);
    // A window posts the quit message, a dialog ends with 0.
    virtual int OnClose(HWND hwnd, WPARAM wParam, LPARAM lParam);

    // A window of its own class (the class name, or "QorClassDefault" when it is null or empty).
    // FALSE when a window of that class and title exists already, here or in another process
    // (it is brought to the front instead), or when the class or the window cannot be made.
    BOOL Create(LPCWSTR title, HWND parent, HINSTANCE instance, LPCWSTR className, int x, int y, int width,
                int height, DWORD exStyle, DWORD style);
    // Runs dialog resource id modally and returns what it ended with; 1 at once when this object
    // already shows a window (which comes to the front); -1 when the resource does not exist.
    int DoModal(HWND parent, HINSTANCE instance, int id);
    // Destroys the window or ends the dialog (with 1), unregisters the class. Always TRUE.
    BOOL Destroy();
    // Brings this object's window, else the window of this class and title, to the front with
    // the dialog it owns; FALSE when there is none.
    BOOL ActivateExisting(LPCWSTR title);
    ATOM RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    CQorString* m_pStrings;
    HWND m_hWnd;
    HINSTANCE m_hInst;
    BOOL m_bPaint;
    BOOL m_bIsWindow;
    ATOM m_atomClass;
    LPWSTR m_pszClassName;

private:
    int Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The program's module, set once at start-up; the screens load their resources through it.
extern HINSTANCE g_hInstance;
