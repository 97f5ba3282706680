// CGameWnd's layout: the cell rectangles from the client size and the icon metric, the tile strip
// scaled to the cell, and the counters' area.
#include <algorithm>

#include "game/GameWnd.h"
#include "gfx/ImageResource.h"
#include "platform/Device.h"
#include "platform/Windowing.h"

namespace {

constexpr UINT kTileStrip = 102;
constexpr int kTileCount = 5;

}  // namespace

int CGameWnd::OnSize(HWND, WPARAM, LPARAM) {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width == m_nLastWidth && height == m_nLastHeight) return 1;
    m_nLastWidth = width;
    m_nLastHeight = height;
    m_Screen.Destroy();  // made again, in the new size, at the next paint
    LayoutBoard();
    LoadTiles();
    const int inset = GetSystemMetrics(SM_CXICON) / 4;
    m_rcCounters = RECT{client.left + inset, client.top, client.right - inset, client.bottom};
    return 1;
}

void CGameWnd::LayoutBoard() {
    const int margin = GetSystemMetrics(SM_CXICON) / 2;
    m_nCursorX = m_nCursorY = 0;
    const int n = m_Game.m_nSize;
    if (n < 3 || n > 8 || !IsWindow(m_hWnd)) return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int side = std::min(client.right - client.left, client.bottom - client.top);
    const int cell = (side - 2 * margin) / n;
    // A client too small for the margins (a minimised window) keeps the last usable layout.
    if (cell < 1) return;
    const int offset = (side - cell * n) / 2;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            m_rcCells[x][y] =
                RECT{offset + x * cell, offset + y * cell, offset + (x + 1) * cell, offset + (y + 1) * cell};
}

BOOL CGameWnd::LoadTiles() {
    const int cellWidth = m_rcCells[0][0].right - m_rcCells[0][0].left;
    const int cellHeight = m_rcCells[0][0].bottom - m_rcCells[0][0].top;
    if (cellWidth < 1 || cellHeight < 1) return 0;
    m_Tiles.Destroy();
    CQorGDI strip;
    LoadImageResource(&strip, kTileStrip, m_hWnd, m_hInst);
    const BOOL scaled = strip.ResampleTo(&m_Tiles, kTileCount * cellWidth, cellHeight, FALSE, 0);
    strip.Destroy();
    return scaled;
}
