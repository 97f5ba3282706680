// The Options screen over the game, through the program's entry point: "Menu", "Options", keys in
// the screen, then what the game keeps, deals anew, shows and saves. TINTARO_SHOTS_DIR gets shots.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Platform.h"
#include "res/Resources.h"
#include "screens/OptionsDlg.h"
#include "tests/support/PlatformFixture.h"

namespace {

int Selected(HWND dialog, int id) { return COptionsDlg::GetSelection(GetDlgItem(dialog, id)); }

class GameOptionsTest : public PlatformTest {
protected:
    // Runs the program: "Menu", "Options", the keys, "Menu", "Quit", a key whenever all is handled;
    // look sees the game before each, with the Options screen while it shows, where only Single
    // enables type, size and colours and the rows stand 19 pixels high from 4 above the bottom.
    // Returns the step at which the game is back from Options, 0 if the keys did not all go in.
    size_t PlayOptions(std::vector<UINT> keys, const std::function<void(CGameWnd&, HWND, size_t)>& look) {
        keys.insert(keys.begin(), {VK_F1, '3'});
        keys.insert(keys.end(), {VK_F1, '5'});
        size_t next = 0;
        backend.SetIdleHandler([&] {
            HWND window = FindWindowW(L"ClassTintaro", L"Qor Tintaro");
            auto* game = dynamic_cast<CGameWnd*>(reinterpret_cast<CQorWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
            if (!game || next == keys.size()) return false;
            HWND h = next >= 2 && next < keys.size() - 2 ? GetParent(GetFocus()) : nullptr;
            for (int row = 1; h && row <= 5; ++row) {
                RECT dialog, r;
                HWND selector = GetDlgItem(h, std::array{0, IDC_COLORS, IDC_SIZE, IDC_TYPE, IDC_GAME, IDC_SOUNDS}[row]);
                GetWindowRect(h, &dialog), GetWindowRect(selector, &r);
                EXPECT_EQ(IsWindowEnabled(selector), row > 3 || Selected(h, IDC_GAME) == GAME_SINGLE) << row;
                EXPECT_EQ((std::array{r.left, r.right, r.bottom - r.top, dialog.bottom - r.top}),
                          (std::array{4, 236, 19, 4 + 19 * row}));  // rows 1 and 5 start 23 and 99 up
            }
            look(*game, h, next);
            backend.ScriptKey(keys[next], keys[next] == '3' || keys[next] == '5' ? wchar_t(keys[next]) : 0);
            return ++next, true;
        });
        wchar_t commandLine[] = L"";
        WinMain(platform::RegisterModule(TintaroResources()), nullptr, commandLine, SW_SHOW);
        return next == keys.size() ? next - 2 : 0;
    }
};

// From a single game of 6 x 6 in 4 colours, pattern X, three moves in, or from the first Easy
// board; the sound stored as 7. After: type, mode, size, colours, sound; -1 where the game decides.
TEST_F(GameOptionsTest, SavingAnotherPatternModeSizeOrColoursDealsANewGameTheSoundAloneDoesNot) {
    struct { int mode; std::vector<UINT> keys; int forcedToNone; bool dealt; std::array<int, 5> after; } cases[] = {
        {GAME_SINGLE, {VK_F1}, 0, false, {TYPE_X, GAME_SINGLE, 6, 4, 1}},
        {GAME_SINGLE, {VK_RIGHT, VK_RETURN}, 0, false, {TYPE_X, GAME_SINGLE, 6, 4, 0}},
        {GAME_SINGLE, {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_F2}, 0, false,
         {TYPE_X, GAME_SINGLE, 6, 4, 1}},
        {GAME_SINGLE, {VK_F1}, IDC_COLORS, false, {TYPE_X, GAME_SINGLE, 6, 4, 1}},
        {GAME_SINGLE, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_F1}, 0, true, {TYPE_CORNERS, GAME_SINGLE, 6, 4, 1}},
        {GAME_SINGLE, {VK_DOWN, VK_DOWN, VK_DOWN, VK_LEFT, VK_LEFT, VK_LEFT, VK_F1}, 0, true, {TYPE_X, 0, 3, 4, 1}},
        {GAME_SINGLE, {VK_RIGHT, VK_UP, VK_RIGHT, VK_F1}, 0, true, {TYPE_X, GAME_SINGLE, 6, 5, 0}},
        {GAME_EASY, {VK_DOWN, VK_LEFT, VK_F1}, 0, true, {-1, GAME_SINGLE, -1, -1, 1}},
    };
    for (const auto& c : cases) {
        CPuzzleGame saved;
        saved.m_nMode = c.mode, saved.m_nSize = 6, saved.m_nColors = 4, saved.m_nType = TYPE_X;
        saved.NewGame();
        for (int x = 0; x < 3; ++x) saved.Press(x, 1);
        BYTE bytes[GAME_STATE_SIZE];
        saved.PackState(bytes);
        WriteBytes(GameValuePath("GameState"), {bytes, bytes + GAME_STATE_SIZE});
        WriteBytes(GameValuePath("PlaySounds"), {7, 0, 0, 0});
        EXPECT_EQ(PlayOptions(c.keys, [&](CGameWnd& game, HWND h, size_t step) {
            wchar_t sound[64] = {};
            if (h && step == 2) {
                SendMessageW(GetDlgItem(h, IDC_SOUNDS), LB_GETTEXT, Selected(h, IDC_SOUNDS), LPARAM(sound));
                EXPECT_STREQ(sound, L"Play Sounds: On");
                EXPECT_EQ(Selected(h, IDC_SIZE), saved.m_nSize - 3) << "Size: 6 is the fourth entry";
                // Above the rows (169 pixels under the status bar's 26), white but for two centred title
                // lines, their tops 18 and 36 down.
                std::vector<int> rows, columns;
                for (int y = 0; y < 169; ++y)
                    for (int x = 0; x < 240; ++x)
                        if (backend.FramePixel(x, y + 26) != 0xFFFF) rows.push_back(y), columns.push_back(x);
                ASSERT_FALSE(rows.empty());
                auto [left, right] = std::ranges::minmax(columns);
                EXPECT_TRUE(rows.front() >= 18 && rows.front() < 36 && rows.back() >= 36 && rows.back() < 54 &&
                            std::abs(left + right - 239) <= 2);
                if (c.forcedToNone) SendMessageW(GetDlgItem(h, c.forcedToNone), LB_SETCURSEL, WPARAM(-1), 0);
                if (const char* dir = std::getenv("TINTARO_SHOTS_DIR"); dir && !c.forcedToNone)
                    backend.DumpLastFrame(std::string(dir) + (c.mode ? "/options-easy.png" : "/options-single.png"));
            }
            if (step != c.keys.size() + 2) return;
            const CPuzzleGame& g = game.m_Game;
            std::array now{g.m_nType, g.m_nMode, g.m_nSize, g.m_nColors, game.m_bPlaySounds};
            for (int i = 0; i < 5; ++i) EXPECT_TRUE(c.after[i] < 0 || c.after[i] == now[i]) << i;
            EXPECT_EQ(g.m_nMoves == 0 && !std::equal(g.m_Board, g.m_Board + 64, saved.m_Board), c.dealt);
        }), c.keys.size() + 2);
        EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds"))[0], c.after[4]);
    }
}

// Only a broken caller could hand these in.
TEST_F(GameOptionsTest, TheScreenKeepsValuesOutsideItsListsAndTakesAnySoundAsOn) {
    COptionsDlg dlg;
    dlg.m_bPlaySounds = 7, dlg.m_nMode = 5, dlg.m_nType = 9, dlg.m_nSize = 2, dlg.m_nColors = 6;
    backend.SetIdleHandler([&, n = 0]() mutable { return n++ == 0 && (backend.ScriptKey(VK_F1), true); });
    EXPECT_EQ(dlg.DoModal(nullptr, platform::RegisterModule(TintaroResources()), IDD_OPTIONS), 1);
    EXPECT_EQ((std::array{dlg.m_bPlaySounds, dlg.m_nMode, dlg.m_nType, dlg.m_nSize, dlg.m_nColors}),
              (std::array{1, 5, 9, 2, 6}));
}

TEST_F(GameOptionsTest, ChoosingRandomDealsALegalBoardThatIsShownAndThereAfterARestart) {
    std::vector<uint16_t> before, after;
    BYTE left[GAME_STATE_SIZE], again[GAME_STATE_SIZE];
    // A first start: from the Easy series' first board, Down to the game and on to Random.
    PlayOptions({VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_F1}, [&](CGameWnd& game, HWND, size_t step) {
        const CPuzzleGame& g = game.m_Game;
        if (step == 0) before = backend.LastFrame();
        if (step != 7) return;
        EXPECT_TRUE(g.m_nMode == GAME_RANDOM && g.m_nSize >= 3 && g.m_nSize <= 8 && g.m_nColors >= 2 &&
                    g.m_nColors <= 5 && g.m_nType >= 0 && g.m_nType <= 4 && !g.IsBoardSolved() && g.m_nMoves == 0);
        g.PackState(left);
        EXPECT_NE(after = backend.LastFrame(), before) << "the new board is shown";
    });
    PlayOptions({VK_F2}, [&](CGameWnd& game, HWND, size_t step) {  // after a restart, before Options
        if (step > 0) return;
        EXPECT_EQ(backend.LastFrame(), after);
        game.m_Game.PackState(again);
    });
    EXPECT_TRUE(std::equal(left, left + GAME_STATE_SIZE, again));
}

}  // namespace
