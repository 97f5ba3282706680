// CGameWnd: the game window. It holds the engine, sets itself up full screen with its soft key,
// and keeps the sound setting and the game across runs.
#pragma once

#include "engine/PuzzleGame.h"
#include "framework/QorWnd.h"
#include "gfx/QorGDI.h"

class CGameWnd : public CQorWnd {
public:
    // The engine loads the saved game; the sound setting is read (any nonzero value is on).
    CGameWnd();
    // Writes the sound setting and the game, unless another running copy may own them.
    ~CGameWnd() override;

    int OnDraw(HWND hwnd, HDC dc, const RECT& client) override;
    // Full screen, the "Menu" soft key, the engine's owner.
    int OnInit(HWND hwnd, WPARAM wParam, LPARAM lParam) override;

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
