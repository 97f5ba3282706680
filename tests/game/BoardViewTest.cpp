// The board view: the layout for the screen, the counters on each screen shape, paints at the edges.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/GameWnd.h"
#include "gfx/Text.h"
#include "platform/Device.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

std::vector<int> Box(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

class BoardViewTest : public PlatformTest {
protected:
    // The game window on a screen of width x height, created as the program creates it.
    void Open(int width, int height) {
        platform::SelectDeviceProfile(width, height);
        game = std::make_unique<CGameWnd>();
        ASSERT_TRUE(game->Create(L"Qor Tintaro", nullptr, platform::RegisterModule(TintaroResources()),
                                 L"ClassTintaro", CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0));
        ShowWindow(game->m_hWnd, SW_SHOW);
    }
    void Paint() {
        InvalidateRect(game->m_hWnd, nullptr, FALSE);
        UpdateWindow(game->m_hWnd);
    }
    std::vector<int> Layout() const {
        std::vector<int> all = Box(game->m_rcCounters);
        for (const auto& column : game->m_rcCells)
            for (const RECT& r : column) all.insert(all.end(), {r.left, r.top, r.right, r.bottom});
        return all;
    }
    void TearDown() override {
        game.reset();
        PlatformTest::TearDown();
    }

    std::unique_ptr<CGameWnd> game;
};

TEST_F(BoardViewTest, TheBoardIsASquareAtTheTopLeftWithEqualMargins) {
    Open(176, 220);  // client 176 x 180, icons of 32
    struct Case {
        int n, cell, offset;
    };
    for (auto [n, cell, offset] : {Case{3, 48, 16}, Case{5, 28, 18}, Case{8, 18, 16}}) {
        game->m_Game.SetSize(n);
        game->m_nCursorX = game->m_nCursorY = 2;
        game->LayoutBoard();
        EXPECT_EQ(game->m_nCursorX + game->m_nCursorY, 0) << "every layout puts the cursor back";
        const RECT& first = game->m_rcCells[0][0];
        EXPECT_EQ(Box(first), Box({offset, offset, offset + cell, offset + cell})) << n;
        EXPECT_EQ(game->m_rcCells[n - 1][n - 1].right, offset + n * cell) << n;  // 158 for 5 x 5
        EXPECT_EQ(game->m_rcCells[n - 1][n - 1].bottom, offset + n * cell) << n;
        EXPECT_EQ(game->m_rcCells[1][0].left, first.right) << "x grows to the right";
        EXPECT_EQ(game->m_rcCells[0][1].top, first.bottom) << "y grows downwards";
    }
}

TEST_F(BoardViewTest, OnlyARealChangeOfSizeLaysOutAgainAndNothingCollapses) {
    Open(240, 320);
    Paint();
    const std::vector<int> layout = Layout();
    const HDC frame = game->m_Screen.m_hDC;
    game->m_nCursorX = 1;
    SendMessageW(game->m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(240, 268));
    EXPECT_EQ(game->m_nCursorX, 1) << "the same size: no layout";
    EXPECT_EQ(game->m_Screen.m_hDC, frame) << "and the frame surface is kept";

    MoveWindow(game->m_hWnd, 0, 26, 0, 0, FALSE);
    Paint();
    EXPECT_EQ(game->m_nCursorX, 0);
    MoveWindow(game->m_hWnd, 0, 26, 240, 268, FALSE);
    EXPECT_EQ(Layout(), layout) << "0 x 0 and back leaves the same rectangles";
    Paint();
    const RECT& cell = game->m_rcCells[1][1];
    EXPECT_NE(game->m_Screen.GetPixel((cell.left + cell.right) / 2, cell.bottom - 8), 0u) << "the tiles came back";
}

TEST_F(BoardViewTest, APaintBeforeAnyLayoutIsBlack) {
    CGameWnd unplaced;
    HDC target = SectionDC(240, 268, 16, 0x3366CC);
    EXPECT_EQ(unplaced.OnDraw(nullptr, target, RECT{0, 0, 240, 268}), 1);
    EXPECT_EQ(Picture(target, 0, 0, 240, 268, {{0, '.'}}), Picture(SectionDC(240, 268, 16, 0), 240, 268, {{0, '.'}}));
}

TEST_F(BoardViewTest, TheCountersSitBesideOrBelowTheBoardByTheScreensShape) {
    struct Text {
        const wchar_t* text;
        UINT format;
    };
    struct Case {
        int width, height, mode, level;
        std::vector<Text> texts;
    };
    const Case cases[] = {
        {240, 320, GAME_EASY, 2, {{L"Moves: 7", DT_BOTTOM}, {L"Total: 42", DT_RIGHT | DT_BOTTOM}}},
        {240, 320, GAME_RANDOM, 0, {{L"Moves: 7", DT_BOTTOM}}},
        {320, 240, GAME_HARD, 2, {{L"Moves: 7", DT_RIGHT}, {L"3 / 15", DT_RIGHT | DT_BOTTOM}, {L"Total: 42", DT_RIGHT | DT_VCENTER}}},
        {320, 240, GAME_SINGLE, 0, {{L"Moves: 7", DT_RIGHT}}},
        // A finished series stays at its last level until the next game.
        {240, 240, GAME_EASY, 5, {{L"7", DT_RIGHT}, {L"42", DT_RIGHT | DT_VCENTER}, {L"5 / 5", DT_RIGHT | DT_BOTTOM}}},
        {240, 240, GAME_RANDOM, 0, {{L"7", DT_RIGHT}}},
    };
    for (const Case& c : cases) {
        Open(c.width, c.height);
        game->m_Game.m_nMode = c.mode;
        game->m_Game.m_nLevel = c.level;
        game->m_Game.m_nMoves = 7;
        game->m_Game.m_nTotal = 42;
        Paint();
        RECT client{};
        GetClientRect(game->m_hWnd, &client);
        CQorGDI expected;
        ASSERT_TRUE(expected.CreateSized(nullptr, client.right, client.bottom, 0, 1, 0, 16));
        for (const Text& t : c.texts) {
            RECT rc = game->m_rcCounters;
            DrawTextEllipsis(expected.m_hDC, t.text, &rc, t.format, game->m_hFont, 0xFFFFFF, TRANSPARENT);
        }
        // Outside the board (and its cursor frame) the frame is exactly the texts on black.
        const int last = game->m_Game.m_nSize - 1;
        const int boardEnd = game->m_rcCells[last][last].right + 1;
        int lit = 0, wrong = 0;
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                if (x < boardEnd && y < boardEnd) continue;
                lit += expected.GetPixel(x, y) != 0;
                wrong += expected.GetPixel(x, y) != game->m_Screen.GetPixel(x, y);
            }
        }
        EXPECT_GT(lit, 20 * static_cast<int>(c.texts.size())) << c.width << "x" << c.height << " texts off the board";
        EXPECT_EQ(wrong, 0) << c.width << "x" << c.height << " mode " << c.mode;
        game.reset();
    }
}

}  // namespace
