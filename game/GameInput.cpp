// CGameWnd's input: taps and the keyboard cursor become presses on the engine, "N" a new game, the
// soft key the menu.
#include <algorithm>

#include "game/GameWnd.h"
#include "platform/Windowing.h"

namespace {

constexpr UINT kMenuCommand = 32792;

}  // namespace

int CGameWnd::OnLButtonDown(HWND, const POINT&) {
    // The highlight goes at the next repaint; the next key only brings it back.
    m_bShowCursor = 0;
    return 0;
}

int CGameWnd::OnLButtonUp(HWND, const POINT& point) {
    const int n = std::clamp(m_Game.m_nSize, 0, 8);
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            if (PtInRect(&m_rcCells[x][y], point)) {
                m_Game.Press(x, y);
                return 1;
            }
        }
    }
    return 0;
}

int CGameWnd::OnMouseMove(HWND, const POINT&) { return 0; }

int CGameWnd::OnKeyDown(HWND, WPARAM, LPARAM) { return 1; }

int CGameWnd::OnKeyUp(HWND, WPARAM key, LPARAM) {
    const int n = m_Game.m_nSize;
    // After a tap the first key shows the cursor where it was; only the next one moves it.
    const int step = m_bShowCursor ? 1 : 0;
    switch (key) {
        case VK_RETURN:
            if (m_bShowCursor) m_Game.Press(m_nCursorX, m_nCursorY);
            break;
        case VK_LEFT:
        case VK_UP: {
            int32_t& c = key == VK_LEFT ? m_nCursorX : m_nCursorY;
            c -= step;
            if (c < 0) c = n - 1;
            InvalidateRect(m_hWnd, nullptr, FALSE);
            break;
        }
        case VK_RIGHT:
        case VK_DOWN: {
            int32_t& c = key == VK_RIGHT ? m_nCursorX : m_nCursorY;
            c += step;
            if (c >= n) c = 0;
            InvalidateRect(m_hWnd, nullptr, FALSE);
            break;
        }
        default: break;
    }
    m_bShowCursor = 1;
    return 1;
}

int CGameWnd::OnChar(HWND, WPARAM ch, LPARAM) {
    if (ch != L'N' && ch != L'n') return 0;
    StartNewGame();
    InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

int CGameWnd::OnTimer(HWND, WPARAM, LPARAM) { return 0; }

int CGameWnd::OnCommand(HWND, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) != kMenuCommand) return 0;
    ShowMenu();
    return 1;
}
