// CGameWnd's menu: the menu screen over the board, and what the game does with its result.
#include "game/GameWnd.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"
#include "screens/GameMenuDlg.h"

namespace {

constexpr wchar_t kMenuTitle[] = L"Qor Tintaro 4.0";
constexpr UINT kFirstEntryString = 40;  // "Resume Game" … "Quit"
constexpr UINT kLastEntryString = 44;

}  // namespace

// A fresh menu each time, so the selection always starts on "Resume Game".
void CGameWnd::ShowMenu() {
    CGameMenuDlg menu;
    menu.SetupMenu(m_hInst, kMenuTitle, kFirstEntryString, kLastEntryString);
    OnMenuResult(menu.DoModal(m_hWnd, m_hInst, IDD_MENU));
}

int CGameWnd::OnMenuResult(int result) {
    switch (result) {
        case MENU_NEW_GAME: StartNewGame(); break;
        case MENU_OPTIONS: ShowOptions(); break;
        // The loop ends and the window's destruction saves the game.
        case MENU_QUIT: PostQuitMessage(0); break;
        // Closed, "Resume Game", or a menu that could not be shown (-1): back to the board.
        default: break;
    }
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}
