// CGameWnd's answers to the engine: a sound and a cross-fade for a move, a sound and a slide for a
// new level, and for a finished game the "Complete!" box followed by a new game.
#include "framework/QorString.h"
#include "game/GameWnd.h"
#include "platform/MessageBox.h"
#include "platform/Sound.h"
#include "platform/Windowing.h"

namespace {

constexpr DWORD kSoundFlags = SND_RESOURCE | SND_ASYNC | SND_NOWAIT;
constexpr wchar_t kMoveSound[] = L"IDR_WAV_Move";
constexpr wchar_t kLevelSound[] = L"IDR_WAV_Level";

}  // namespace

int CGameWnd::OnUserMessage(HWND, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_GAME_MOVED:
            PlayGameSound(kMoveSound);
            AnimateMove();
            return 1;
        case WM_GAME_COMPLETE: {
            PlayGameSound(kLevelSound);
            wchar_t text[256];
            const int mode = m_Game.m_nMode;
            if (mode == GAME_EASY || mode == GAME_NORMAL || mode == GAME_HARD) {
                // The record already counts this series, so matching it is a new record too.
                if (m_Game.m_nTotal <= m_Game.GetRecord())
                    CQorString::Format(text,
                                       L"New Record!\r\nYou solved the puzzle series in %i moves.\r\n"
                                       L"Would you like to play again?",
                                       m_Game.m_nTotal);
                else
                    CQorString::Format(text,
                                       L"Congratulations!\r\nYou solved the puzzle series in %i moves.\r\n"
                                       L"The current record is: %i.\r\nWould you like to play again?",
                                       m_Game.m_nTotal, m_Game.GetRecord());
            } else {
                CQorString::Format(text,
                                   L"Congratulations!\r\nYou solved the puzzle in %i moves.\r\n"
                                   L"Would you like to play again?",
                                   m_Game.m_nMoves);
            }
            const int answer = MessageBoxW(m_hWnd, text, L"Complete!", MB_YESNO);
            StartNewGame();
            if (answer != IDYES) ShowMenu();
            InvalidateRect(m_hWnd, nullptr, FALSE);
            return 1;
        }
        case WM_GAME_NEXTLEVEL:
            PlayGameSound(kLevelSound);
            LayoutBoard();
            LoadTiles();
            AnimateLevel();
            return 1;
        default: return 0;
    }
}

int CGameWnd::StartNewGame() {
    m_Game.NewGame();
    LayoutBoard();
    LoadTiles();
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

void CGameWnd::PlayGameSound(LPCWSTR name) {
    // A sound that cannot be played is skipped: the game goes on silently.
    if (m_bPlaySounds) PlaySoundW(name, m_hInst, kSoundFlags);
}
