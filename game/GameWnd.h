// CGameWnd: the game window. It holds the engine, lays the board out for the screen, paints it with
// its animations, turns keys and taps into presses and answers the engine's notifications.
#pragma once

#include "engine/PuzzleGame.h"
#include "framework/QorWnd.h"
#include "gfx/QorGDI.h"

class CGameWnd : public CQorWnd {
public:
    // ---- GameWnd.cpp: lifetime and set-up -------------------------------------------------------

    // The engine loads the saved game; the sound setting is read (any nonzero value is on).
    CGameWnd();
    // Writes the sound setting and the game, unless another running copy may own them.
    ~CGameWnd() override;
    // Full screen, the "Menu" soft key, the engine's owner.
    int OnInit(HWND hwnd, WPARAM wParam, LPARAM lParam) override;

    // ---- BoardLayout.cpp: where the cells and the counters go -----------------------------------

    // Lays out again only when the client size really changed.
    int OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    // The cell rectangles for the board's size and the client area; the cursor back on (0, 0).
    // The rectangles stay as they were for a size outside 3..8, before the window exists, or when a
    // cell would be smaller than a pixel.
    void LayoutBoard();
    // The tile strip scaled to the cell size into m_Tiles; 0 (m_Tiles untouched) without a cell.
    BOOL LoadTiles();

    // ---- BoardPainter.cpp: frames and animations ------------------------------------------------

    // Composes the frame in m_Screen and copies area to target; with m_Screen's own DC it only
    // brings m_Screen up to date.
    int OnDraw(HWND hwnd, HDC target, const RECT& area) override;
    void DrawCounters(HDC dc);
    void DrawTiles(HDC dc);
    void DrawCursor(HDC dc);
    // After a counted move: the old frame cross-fades into the new one.
    void AnimateMove();
    // After a new series level: the new board slides in from the left.
    void AnimateLevel();

    // ---- GameInput.cpp: stylus, keys, characters and commands ----------------------------------

    int OnLButtonDown(HWND hwnd, const POINT& point) override;
    // Presses the cell under the point; 1 when there was one.
    int OnLButtonUp(HWND hwnd, const POINT& point) override;
    int OnMouseMove(HWND hwnd, const POINT& point) override;
    // Keys act on release: a press is consumed without effect.
    int OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnKeyUp(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnChar(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnTimer(HWND hwnd, WPARAM wParam, LPARAM lParam) override;
    int OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) override;

    // ---- GameNotifications.cpp: the engine's notifications and new games ------------------------

    int OnUserMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    int StartNewGame();
    // One of the module's sounds, when sound is on.
    void PlayGameSound(LPCWSTR name);

    // ---- GameMenu.cpp: the menu screen and its results -----------------------------------------

    void ShowMenu();
    int OnMenuResult(int result);

    // ---- GameOptions.cpp: the Options dialog and what saving it changes ------------------------

    // Runs the Options dialog on the current values. Saved values are taken back: the sound always,
    // the pattern, mode and colours only within their ranges, the size through SetSize; a change of
    // any but the sound starts a new game.
    void ShowOptions();

    // ---- Fields ---------------------------------------------------------------------------------

    CPuzzleGame m_Game;
    CQorGDI m_Screen;  // every frame is composed here, then copied to the window
    CQorGDI m_Tiles;   // the tile strip at the cell size
    HFONT m_hFont;     // the move counters
    BOOL m_bPlaySounds;
    int32_t m_nLastWidth;
    int32_t m_nLastHeight;
    int32_t m_nCursorX;
    int32_t m_nCursorY;
    BOOL m_bShowCursor;
    RECT m_rcCells[8][8];
    RECT m_rcCounters;
    // Set once this object's window exists and this process holds the game's name. A copy that
    // found the game already running, or could take no lock, never writes the store: its values
    // could overwrite newer ones of a running copy.
    BOOL m_bOwnsStore;
};
