// CGameWnd's Options: the dialog over the board, and what its saved values change in the game.
#include "engine/PuzzleGame.h"
#include "game/GameWnd.h"
#include "screens/OptionsDlg.h"

void CGameWnd::ShowOptions() {
    COptionsDlg options;
    options.m_hInst = m_hInst;
    options.m_nColors = m_Game.m_nColors;
    options.m_nSize = m_Game.m_nSize;
    options.m_nMode = m_Game.m_nMode;
    options.m_nType = m_Game.m_nType;
    options.m_bPlaySounds = m_bPlaySounds;
    if (options.DoModal(m_hWnd, m_hInst, IDD_OPTIONS) != COptionsDlg::RESULT_SAVED) return;

    m_bPlaySounds = options.m_bPlaySounds != 0;
    // A value the engine's rules do not allow never reaches it, however the dialog came by it.
    bool changed = false;
    auto take = [&changed](int32_t value, int32_t* field, int lowest, int highest) {
        if (value == *field || value < lowest || value > highest) return;
        *field = value;
        changed = true;
    };
    take(options.m_nType, &m_Game.m_nType, TYPE_NORMAL, TYPE_DOUBLECENTER);
    take(options.m_nMode, &m_Game.m_nMode, GAME_SINGLE, GAME_RANDOM);
    take(options.m_nColors, &m_Game.m_nColors, 2, 5);
    // SetSize keeps the board's side within its range itself.
    if (options.m_nSize != m_Game.m_nSize) {
        m_Game.SetSize(options.m_nSize);
        changed = true;
    }
    if (changed) StartNewGame();
}
