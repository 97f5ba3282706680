// CQorMenuDlg: the full-screen menu dialog, a column of drawn entries over a gradient, each
// ending the dialog with its number.
#pragma once

#include "framework/QorButton.h"
#include "framework/QorWnd.h"
#include "gfx/QorGDI.h"

// Entry i posts WM_MENU_ENTRY + i to the dialog.
constexpr UINT WM_MENU_ENTRY = WM_USER + 100;
// The command of the "Quit" soft key.
constexpr UINT ID_MENU_QUIT = 32795;
// The menu's dialog resource and its soft-key bar.
constexpr int IDD_MENU = 129;
constexpr UINT IDR_MENU_SOFTKEYS = 8;
constexpr int MAX_MENU_ENTRIES = 6;

class CQorMenuDlg : public CQorWnd {
public:
    CQorMenuDlg();
    ~CQorMenuDlg() override;

    // Full screen, the "Quit" soft key, Back delivered as a hot key.
    int OnInit(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    // Lays the entries out again when the client size changed.
    int OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnDraw(HWND hwnd, HDC dc, const RECT& client) override;
    int OnEraseBkgnd(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    // The action key and digits press an entry; everything acts on release.
    int OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnKeyUp(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnLButtonDown(HWND hwnd, const POINT& point) override;
    int OnLButtonUp(HWND hwnd, const POINT& point) override;
    int OnMouseMove(HWND hwnd, const POINT& point) override;
    int OnTimer(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    // Entry i ends the dialog with i + 1.
    int OnUserMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // The "Quit" soft key ends the dialog with the number of entries.
    int OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    // Back minimises; the menu goes on.
    int OnHotKey(HWND hwnd, WPARAM wParam, LPARAM lParam) override;

    // One entry per string id from firstStringId to lastStringId. FALSE, with no entries, for a
    // range that is empty or longer than MAX_MENU_ENTRIES.
    virtual BOOL SetupMenu(HINSTANCE instance, LPCWSTR title, UINT firstStringId, UINT lastStringId);

    // Draws entry i into m_Screen: the selected one on the frame in the large font.
    void DrawEntry(int i, BOOL pressed);
    // Wipes a rectangle of m_Screen back to the background.
    void RestoreBackground(int left, int top, int right, int bottom);
    void RestoreBackground(const RECT& rc) { RestoreBackground(rc.left, rc.top, rc.right, rc.bottom); }
    // Background, title and every entry into m_Screen.
    void DrawMenuScreen();
    // Entry i's rectangle grown to cover the frame wherever it is drawn for that entry.
    RECT InflatedRect(int i) const;

    CQorGDI m_Screen;
    CQorGDI m_Background;
    CQorButton* m_pEntryImage;  // the one entry whose picture every entry draws
    HFONT m_hFontEntry;
    HFONT m_hFontLarge;
    CQorButton m_Entries[MAX_MENU_ENTRIES];
    CQorButton m_Frame;
    int m_nSel;
    int m_nEntries;
    UINT m_nFirstStringId;
    LPWSTR m_pszTitle;
    int m_nLastWidth, m_nLastHeight;
    int m_nFrameMargin;

private:
    // The entry a key chooses: the selected one for the action key, '1'.. for digits; -1 for none.
    int EntryOfKey(WPARAM key) const;
    // Redraws old and the selection after a change and has both repainted.
    void RedrawSelection(int old);
};
