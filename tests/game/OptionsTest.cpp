// The game's answer to the Options dialog, through the program's entry point: "Menu", "Options",
// keys in the dialog, then what the game kept, started afresh, shows and saves.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <string>

#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Platform.h"
#include "res/Resources.h"
#include "screens/OptionsDlg.h"
#include "tests/support/PlatformFixture.h"

namespace {

// type, mode, size, colours, sound; -1 where the game decides
using Settings = std::array<int, 5>;

Settings Of(const CGameWnd& game) {
    const CPuzzleGame& g = game.m_Game;
    return {g.m_nType, g.m_nMode, g.m_nSize, g.m_nColors, game.m_bPlaySounds};
}

class GameOptionsTest : public PlatformTest {
protected:
    // A single game of 5 x 5 in 4 colours, pattern X, three moves into it; sound on.
    CPuzzleGame SaveSingleGame() {
        CPuzzleGame game;
        game.m_nMode = GAME_SINGLE;
        game.m_nSize = 5;
        game.m_nColors = 4;
        game.m_nType = TYPE_X;
        game.NewGame();
        for (int i = 0; i < 3; ++i) game.Press(i, 1);
        BYTE bytes[GAME_STATE_SIZE];
        game.PackState(bytes);
        WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(bytes, bytes + GAME_STATE_SIZE));
        WriteBytes(GameValuePath("PlaySounds"), {1, 0, 0, 0});
        return game;
    }

    // Runs the program to its end: "Menu" and "Options", then one key each time everything is
    // handled. open sees the dialog before the first key, after sees the game after the last one;
    // then "Menu" and "Quit".
    void Run(std::vector<UINT> keys, const std::function<void(HWND)>& open,
             const std::function<void(CGameWnd&)>& after) {
        std::vector<std::pair<UINT, wchar_t>> script{{VK_F1, 0}, {'3', L'3'}};
        for (UINT key : keys) script.push_back({key, 0});
        script.push_back({VK_F1, 0});
        script.push_back({'5', L'5'});
        size_t next = 0;
        backend.SetIdleHandler([&] {
            HWND window = FindWindowW(L"ClassTintaro", L"Qor Tintaro");
            auto* game = dynamic_cast<CGameWnd*>(reinterpret_cast<CQorWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
            if (!game || next == script.size()) return false;
            if (next == 2 && open) open(GetParent(GetFocus()));  // the dialog opens on its top row
            if (next == script.size() - 2 && after) after(*game);
            backend.ScriptKey(script[next].first, script[next].second);
            ++next;
            return true;
        });
        wchar_t commandLine[] = L"";
        EXPECT_EQ(WinMain(platform::RegisterModule(TintaroResources()), nullptr, commandLine, SW_SHOW), 0);
        EXPECT_EQ(next, script.size()) << "every key was pressed";
        backend.SetIdleHandler(nullptr);
    }

    static void ForceNoSelection(HWND dialog, int id) {
        SendMessageW(GetDlgItem(dialog, id), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
};

TEST_F(GameOptionsTest, SavingAnotherPatternModeSizeOrColoursStartsANewGameTheSoundAloneDoesNot) {
    struct Case {
        const char* what;
        std::vector<UINT> keys;
        int forcedToNone;  // a selector that shows nothing, or 0
        bool fresh;
        Settings after;
    } cases[] = {
        {"nothing changed", {VK_F1}, 0, false, {TYPE_X, GAME_SINGLE, 5, 4, 1}},
        {"the sound only", {VK_RIGHT, VK_RETURN}, 0, false, {TYPE_X, GAME_SINGLE, 5, 4, 0}},
        {"the pattern", {VK_DOWN, VK_DOWN, VK_RIGHT, VK_F1}, 0, true, {TYPE_CORNERS, GAME_SINGLE, 5, 4, 1}},
        {"the mode", {VK_DOWN, VK_LEFT, VK_F1}, 0, true, {-1, GAME_RANDOM, -1, -1, 1}},
        {"the size", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_F1}, 0, true, {TYPE_X, GAME_SINGLE, 6, 4, 1}},
        {"the colours and the sound", {VK_RIGHT, VK_UP, VK_LEFT, VK_F1}, 0, true, {TYPE_X, GAME_SINGLE, 5, 3, 0}},
        {"changes cancelled", {VK_DOWN, VK_RIGHT, VK_F2}, 0, false, {TYPE_X, GAME_SINGLE, 5, 4, 1}},
        {"colours showing nothing", {VK_F1}, IDC_COLORS, false, {TYPE_X, GAME_SINGLE, 5, 4, 1}},
        {"the pattern showing nothing", {VK_F1}, IDC_TYPE, false, {TYPE_X, GAME_SINGLE, 5, 4, 1}},
    };
    for (const Case& c : cases) {
        CPuzzleGame saved = SaveSingleGame();
        Run(
            c.keys, [&](HWND dialog) { if (c.forcedToNone) ForceNoSelection(dialog, c.forcedToNone); },
            [&](CGameWnd& game) {
                Settings now = Of(game);
                for (int i = 0; i < 5; ++i) EXPECT_TRUE(c.after[i] < 0 || now[i] == c.after[i]) << c.what << " " << i;
                EXPECT_EQ(game.m_Game.m_nMoves, c.fresh ? 0 : 3) << c.what;
                bool sameBoard = std::equal(std::begin(saved.m_Board), std::end(saved.m_Board), game.m_Game.m_Board);
                EXPECT_EQ(sameBoard, !c.fresh) << c.what;
            });
    }
}

TEST_F(GameOptionsTest, ASoundStoredAsSevenShowsOnAndIsSavedAsOne) {
    SaveSingleGame();
    WriteBytes(GameValuePath("PlaySounds"), {7, 0, 0, 0});
    std::wstring shown;
    Run({VK_F1},
        [&](HWND dialog) {
            HWND sound = GetDlgItem(dialog, IDC_SOUNDS);
            wchar_t text[64] = {};
            SendMessageW(sound, LB_GETTEXT, COptionsDlg::GetSelection(sound), reinterpret_cast<LPARAM>(text));
            shown = text;
        },
        [](CGameWnd& game) { EXPECT_EQ(game.m_Game.m_nMoves, 3) << "no new game"; });
    EXPECT_EQ(shown, L"Play Sounds: On");
    EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), (std::vector<uint8_t>{1, 0, 0, 0}));
}

// The tile's colour by hue below its glyph: blue, red, purple, green, yellow.
int HueAt(const platform::HeadlessBackend& backend, const CGameWnd& game, int x, int y) {
    const RECT& r = game.m_rcCells[x][y];
    COLORREF c = platform::Unpack565(backend.FramePixel((r.left + r.right) / 2,
                                                        r.top + (r.bottom - r.top) * 6 / 8 + platform::CurrentDeviceProfile().bar));
    const int red = GetRValue(c), green = GetGValue(c), blue = GetBValue(c);
    if (red > blue + 60 && green > blue + 60) return 4;
    return green > red && green > blue ? 3 : blue >= red ? (red > green + 30 ? 2 : 0) : blue > green + 30 ? 2 : 1;
}

TEST_F(GameOptionsTest, ChoosingRandomDealsALegalBoardThatIsShownAndComesBackAfterARestart) {
    std::vector<uint16_t> frame;
    BYTE left[GAME_STATE_SIZE] = {};
    // A first start: the Easy series' first board.
    Run({VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_F1}, {}, [&](CGameWnd& game) {
        const CPuzzleGame& g = game.m_Game;
        EXPECT_EQ(g.m_nMode, GAME_RANDOM);
        EXPECT_TRUE(g.m_nSize >= 3 && g.m_nSize <= 8 && g.m_nColors >= 2 && g.m_nColors <= 5) << g.m_nSize;
        EXPECT_TRUE(g.m_nType >= TYPE_NORMAL && g.m_nType <= TYPE_DOUBLECENTER) << g.m_nType;
        EXPECT_FALSE(g.IsBoardSolved());
        for (int x = 0; x < g.m_nSize; ++x)
            for (int y = x == 0 ? 1 : 0; y < g.m_nSize; ++y)  // the cursor whitens (0, 0)
                EXPECT_EQ(HueAt(backend, game, x, y), g.GetCell(x, y)) << x << "," << y;
        frame = backend.LastFrame();
        g.PackState(left);
    });
    backend.SetIdleHandler([&] {
        HWND window = FindWindowW(L"ClassTintaro", L"Qor Tintaro");
        auto* game = dynamic_cast<CGameWnd*>(reinterpret_cast<CQorWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        BYTE now[GAME_STATE_SIZE];
        game->m_Game.PackState(now);
        EXPECT_TRUE(std::equal(std::begin(now), std::end(now), left)) << "the game as it was left";
        EXPECT_TRUE(backend.LastFrame() == frame) << "and the same picture";
        return false;
    });
    wchar_t commandLine[] = L"";
    WinMain(platform::RegisterModule(TintaroResources()), nullptr, commandLine, SW_SHOW);
}

}  // namespace
