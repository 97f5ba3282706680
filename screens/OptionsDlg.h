// COptionsDlg: the Options screen, five one-line selectors under a white title area.
#pragma once

#include "framework/QorWnd.h"
#include "gfx/QorGDI.h"

// The selectors of dialog 130.
constexpr int IDC_SOUNDS = 120;
constexpr int IDC_COLORS = 121;
constexpr int IDC_SIZE = 122;
constexpr int IDC_GAME = 123;
constexpr int IDC_TYPE = 124;

// The soft keys of bar 131.
constexpr int IDM_CANCEL = 32790;
constexpr int IDM_SAVE = 32791;

constexpr int IDD_OPTIONS = 130;

class COptionsDlg : public CQorWnd {
public:
    // What DoModal ends with.
    static constexpr int RESULT_CLOSED = 0;
    static constexpr int RESULT_SAVED = 1;
    static constexpr int RESULT_CANCELLED = 2;

    // Sound on; the caller sets the other four values before DoModal.
    COptionsDlg();
    ~COptionsDlg() override;

    int OnDraw(HWND hwnd, HDC dc, const RECT& client) override;
    int OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnKeyUp(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnInit(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    // The dialog's own surface swallows the stylus; the selectors are windows of their own.
    int OnLButtonUp(HWND hwnd, const POINT& point) override;
    int OnLButtonDown(HWND hwnd, const POINT& point) override;
    int OnMouseMove(HWND hwnd, const POINT& point) override;
    // Save (or the platform's OK), Cancel, and the game selector's changes.
    int OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) override;

    void FillSelectors(HWND dialog);
    // Row 1 is the lowest: rows of 5/8 icon stacked up from a margin of 1/8 icon above the bottom.
    void PlaceSelector(int id, HWND dialog, int row);
    void FillSelector(int id, HWND dialog, HINSTANCE instance, UINT firstString, UINT lastString, int selected,
                      int row);
    // The selected entry's index, -1 when none is.
    static int GetSelection(HWND control);
    void DrawTitle(HDC dc, const RECT& client);

    int32_t m_nColors;
    int32_t m_nSize;
    BOOL m_bPlaySounds;
    int32_t m_nMode;
    int32_t m_nType;
    CQorGDI m_Surface;  // the title area, made at the first paint

private:
    // Type, size and colours are the player's own only in a single game of the player's settings.
    static void EnableForMode(HWND dialog, int mode);
    void Save(HWND dialog);
};
