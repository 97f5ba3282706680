// CGameWnd's menu: until the menu screen exists, the "Menu" soft key only repaints the board.
#include "game/GameWnd.h"
#include "platform/Windowing.h"

void CGameWnd::ShowMenu() { OnMenuResult(0); }

int CGameWnd::OnMenuResult(int) {
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}
