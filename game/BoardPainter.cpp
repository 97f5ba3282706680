// CGameWnd's painting: a frame is composed in m_Screen (counters, tiles, cursor) and reaches the
// window in one block transfer; a move cross-fades into it, a new level slides it in.
#include <algorithm>

#include "framework/Metrics.h"
#include "framework/QorString.h"
#include "game/GameWnd.h"
#include "gfx/Blend.h"
#include "gfx/Draw.h"
#include "gfx/Text.h"
#include "gfx/Transitions.h"
#include "platform/Device.h"
#include "platform/Windowing.h"

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kCursorAlpha = 127;
constexpr double kMoveFadeMs = 400.0;
constexpr double kLevelSlideMs = 500.0;
constexpr int kHighestTile = 4;

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

int CGameWnd::OnDraw(HWND, HDC target, const RECT& area) {
    const bool ownSurface = target && target == m_Screen.m_hDC;
    if (!m_Screen.m_hDC) {
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetUsableHeight(m_hWnd)};
        m_Screen.Create(target, &screen, 0, 1, 0, 16);
    }
    HDC dc = m_Screen.m_hDC;
    if (!dc) {
        // Without a composition surface there is no board to show, but no stale picture either.
        FillSolidRect(target, &area, kBlack);
        return 1;
    }
    FillSolidRect(dc, &area, kBlack);
    DrawCounters(dc);
    DrawTiles(dc);
    DrawCursor(dc);
    if (!ownSurface)
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left, area.top,
               SRCCOPY);
    return 1;
}

void CGameWnd::DrawCounters(HDC dc) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const int mode = m_Game.m_nMode;
    const bool series = mode == GAME_EASY || mode == GAME_NORMAL || mode == GAME_HARD;
    // A finished series stays at its last level until the next game: "5 / 5", not "6 / 5".
    const int levels = m_Game.GetLevelCount();
    const int level = std::min(m_Game.m_nLevel + 1, levels);
    wchar_t text[256];
    auto write = [&](UINT format) {
        RECT rc = m_rcCounters;
        DrawTextEllipsis(dc, text, &rc, format, m_hFont, kWhite, TRANSPARENT);
    };
    if (width < height) {  // portrait: the strip below the board
        CQorString::Format(text, L"Moves: %i", m_Game.m_nMoves);
        write(DT_BOTTOM);
        if (!series) return;
        CQorString::Format(text, L"Total: %i", m_Game.m_nTotal);
        write(DT_RIGHT | DT_BOTTOM);
    } else if (width > height) {  // landscape: the column right of the board
        CQorString::Format(text, L"Moves: %i", m_Game.m_nMoves);
        write(DT_RIGHT);
        if (!series) return;
        CQorString::Format(text, L"%i / %i", level, levels);
        write(DT_RIGHT | DT_BOTTOM);
        CQorString::Format(text, L"Total: %i", m_Game.m_nTotal);
        write(DT_RIGHT | DT_VCENTER);
    } else {  // square: a narrow column, numbers only
        CQorString::Format(text, L"%i", m_Game.m_nMoves);
        write(DT_RIGHT);
        if (!series) return;
        CQorString::Format(text, L"%i", m_Game.m_nTotal);
        write(DT_RIGHT | DT_VCENTER);
        CQorString::Format(text, L"%i / %i", level, levels);
        write(DT_RIGHT | DT_BOTTOM);
    }
}

void CGameWnd::DrawTiles(HDC dc) {
    const int n = std::clamp(m_Game.m_nSize, 0, 8);
    const int tileWidth = m_rcCells[0][0].right - m_rcCells[0][0].left;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const RECT& r = m_rcCells[x][y];
            const int v = m_Game.GetCell(x, y);
            // Cells not laid out yet and colours without a tile stay black.
            if (IsEmpty(r) || v < 0 || v > kHighestTile) continue;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, m_Tiles.m_hDC, v * tileWidth, 0, SRCCOPY);
        }
    }
}

void CGameWnd::DrawCursor(HDC dc) {
    if (!m_bShowCursor || m_nCursorX < 0 || m_nCursorX > 7 || m_nCursorY < 0 || m_nCursorY > 7) return;
    RECT r = m_rcCells[m_nCursorX][m_nCursorY];
    if (IsEmpty(r)) return;
    // Moved out by one pixel so that the frame's right and bottom edges fall on the next cells'
    // first pixels, framing the cell evenly.
    r.left -= 1;
    r.top -= 1;
    AlphaFillRectDC(dc, &r, kWhite, kCursorAlpha);
    DrawFrame(dc, &r, kWhite, 1);
}

void CGameWnd::AnimateMove() {
    UpdateWindow(m_hWnd);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    CQorGDI before;
    before.CreateSized(m_Screen.m_hDC, m_Screen.m_bm.bmWidth, m_Screen.m_bm.bmHeight, 1, 1, 0, 16);
    OnDraw(m_hWnd, m_Screen.m_hDC, client);
    HDC window = GetDC(m_hWnd);
    const BOOL shown =
        TransitionCrossFade(window, &client, &before, &client, &m_Screen, &client, kMoveFadeMs, nullptr, nullptr);
    ReleaseDC(m_hWnd, window);
    before.Destroy();
    // The fade refuses pictures it cannot blend (no frame painted yet, say): then a plain repaint.
    if (!shown) InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CGameWnd::AnimateLevel() {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    OnDraw(m_hWnd, m_Screen.m_hDC, client);
    HDC window = GetDC(m_hWnd);
    const BOOL shown = TransitionSlide(window, &m_Screen, kLevelSlideMs);
    ReleaseDC(m_hWnd, window);
    if (!shown) InvalidateRect(m_hWnd, nullptr, FALSE);
}
