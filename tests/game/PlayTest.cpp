// Playing through the program's entry point on the headless backend: keys and taps, new games, the
// completion box, the sounds, and what the screen shows.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Device.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/SingleInstance.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/Solver.h"

namespace {

// Which tile a pixel below a tile's glyph shows, by its hue: 0 blue, 1 red, 2 purple, 3 green,
// 4 yellow.
int TileColour(COLORREF c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (r > b + 60 && g > b + 60) return 4;
    if (g > r && g > b) return 3;
    const bool reddish = r > g + 30;
    if (b >= r) return reddish ? 2 : 0;
    return b > g + 30 ? 2 : 1;
}

class PlayTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        instance = platform::RegisterModule(TintaroResources());
    }

    // The game as the program finds it saved.
    void Save(const CPuzzleGame& game) {
        BYTE bytes[GAME_STATE_SIZE];
        game.PackState(bytes);
        WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(bytes, bytes + GAME_STATE_SIZE));
    }
    // A Single board of size n and k colours, every cell 0 unless set.
    static CPuzzleGame SingleBoard(int n, int k) {
        CPuzzleGame game;
        game.m_nMode = GAME_SINGLE;
        game.m_nSize = n;
        game.m_nColors = k;
        game.m_nType = TYPE_NORMAL;
        game.m_nMoves = game.m_nTotal = game.m_nLevel = 0;
        game.m_bFrozen = FALSE;
        std::fill(std::begin(game.m_Board), std::end(game.m_Board), 0);
        return game;
    }

    // Runs the program. Whenever it would wait for input, turn scripts the next input for the
    // game window and returns true, or returns false to close the window.
    int Play(const std::function<bool(CGameWnd&)>& turn) {
        bool closing = false;
        backend.SetIdleHandler([&] {
            if (closing) return false;
            HWND window = FindWindowW(L"ClassTintaro", L"Qor Tintaro");
            auto* game = dynamic_cast<CGameWnd*>(reinterpret_cast<CQorWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
            if (game && turn(*game)) return true;
            closing = true;
            backend.ScriptClose();
            return true;
        });
        wchar_t commandLine[] = L"";
        return WinMain(instance, nullptr, commandLine, SW_SHOW);
    }
    // The middle of a cell on the device screen, under the status bar.
    POINT Centre(const CGameWnd& game, int x, int y) const {
        const RECT& r = game.m_rcCells[x][y];
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2 + platform::CurrentDeviceProfile().bar};
    }
    void Tap(const CGameWnd& game, int x, int y) {
        POINT p = Centre(game, x, y);
        backend.ScriptTap(p.x, p.y);
    }

    HINSTANCE instance = nullptr;
};

TEST_F(PlayTest, KeysAndTapsPressTheRightCells) {
    struct Case {
        const char* input;  // L R U D: arrows, E: Enter, Txy: a tap on cell (x, y)
        std::vector<Move> presses;
    };
    const Case cases[] = {
        {"E", {{0, 0}}},
        {"RDE", {{1, 1}}},
        {"LE", {{4, 0}}},                  // left of column 0 is the last column
        {"UDE", {{0, 0}}},                 // up to the last row and down back to the first
        {"T21EE", {{2, 1}, {0, 0}}},       // after a tap the first Enter only shows the cursor
        {"RT21RE", {{2, 1}, {1, 0}}},      // ... and the first arrow too; a tap leaves the cursor
    };
    for (const Case& c : cases) {
        const CPuzzleGame start = SingleBoard(5, 5);
        Save(start);
        bool scripted = false;
        Play([&](CGameWnd& game) {
            if (scripted) return false;
            scripted = true;
            for (const char* p = c.input; *p; ++p) {
                switch (*p) {
                    case 'L': backend.ScriptKey(VK_LEFT); break;
                    case 'R': backend.ScriptKey(VK_RIGHT); break;
                    case 'U': backend.ScriptKey(VK_UP); break;
                    case 'D': backend.ScriptKey(VK_DOWN); break;
                    case 'E': backend.ScriptKey(VK_RETURN); break;
                    case 'T': Tap(game, p[1] - '0', p[2] - '0'), p += 2; break;
                }
            }
            return true;
        });
        CPuzzleGame expected = start;
        for (Move m : c.presses) expected.Press(m.x, m.y);
        CPuzzleGame saved;
        EXPECT_EQ(saved.m_nMoves, static_cast<int>(c.presses.size())) << c.input;
        EXPECT_TRUE(std::equal(std::begin(saved.m_Board), std::end(saved.m_Board), std::begin(expected.m_Board)))
            << c.input;
    }
}

TEST_F(PlayTest, NRestartsAHardSeriesAtItsFirstLevel) {
    CPuzzleGame hard;
    hard.m_nMode = GAME_HARD;
    hard.NewGame();
    for (int level = 0; level < 2; ++level) {
        const std::vector<Move> solution = SolveBoard(hard).value();
        for (Move m : solution) hard.Press(m.x, m.y);
    }
    ASSERT_EQ(hard.m_nLevel, 2);
    Save(hard);
    bool typed = false;
    Play([&](CGameWnd&) {
        if (typed) return false;
        typed = true;
        backend.ScriptKey('N', L'N');
        return true;
    });
    CPuzzleGame saved;
    EXPECT_EQ(saved.m_nMode, GAME_HARD);
    EXPECT_EQ(saved.m_nLevel, 0);
    EXPECT_EQ(saved.m_nTotal, 0);
    EXPECT_EQ(saved.m_nSize, 3);
    EXPECT_FALSE(saved.IsBoardSolved());
}

TEST_F(PlayTest, AnEasySeriesEndsInTheBoxWithTheTotalAndTheRecord) {
    struct Case {
        int record;
        uint8_t playSounds;
    };
    for (auto [record, playSounds] : {Case{NO_RECORD, 1}, Case{1, 0}}) {
        CPuzzleGame easy;
        easy.m_nMode = GAME_EASY;
        easy.m_nRecord[0] = record;
        easy.NewGame();
        Save(easy);
        WriteBytes(GameValuePath("PlaySounds"), {playSounds, 0, 0, 0});
        platform::ResetMessageBoxes();
        const size_t soundsBefore = backend.PlayedSounds().size();
        int presses = 0;
        bool answered = false;
        Play([&](CGameWnd& game) {
            if (answered) return false;
            if (!platform::MessageBoxesShown().empty()) {
                backend.ScriptSoftKey(false);  // Yes
                return answered = true;
            }
            std::optional<std::vector<Move>> solution = SolveBoard(game.m_Game);
            if (!solution || solution->empty()) return false;
            Tap(game, (*solution)[0].x, (*solution)[0].y);
            ++presses;
            return true;
        });
        ASSERT_EQ(platform::MessageBoxesShown().size(), 1u);
        const platform::MessageBoxRecord& box = platform::MessageBoxesShown()[0];
        EXPECT_EQ(box.caption, L"Complete!");
        EXPECT_EQ(box.type, MB_YESNO);
        const std::wstring total = std::to_wstring(presses);
        EXPECT_EQ(box.text, record == NO_RECORD
                                ? L"New Record!\r\nYou solved the puzzle series in " + total +
                                      L" moves.\r\nWould you like to play again?"
                                : L"Congratulations!\r\nYou solved the puzzle series in " + total +
                                      L" moves.\r\nThe current record is: 1.\r\nWould you like to play again?");
        int moveSounds = 0, levelSounds = 0;
        for (size_t i = soundsBefore; i < backend.PlayedSounds().size(); ++i) {
            const auto& sound = backend.PlayedSounds()[i];
            EXPECT_EQ(sound.flags, 0x42005u);
            moveSounds += sound.name == L"IDR_WAV_Move";
            levelSounds += sound.name == L"IDR_WAV_Level";
        }
        EXPECT_EQ(moveSounds, playSounds ? presses : 0);
        EXPECT_EQ(levelSounds, playSounds ? 5 : 0) << "four new levels and the end";
        CPuzzleGame saved;
        EXPECT_EQ(saved.m_nLevel, 0) << "a new series follows";
        EXPECT_EQ(saved.m_nRecord[0], record == NO_RECORD ? presses : 1);
    }
}

TEST_F(PlayTest, YesAndNoBothStartANewGameAndTheAnsweringKeyStaysWithTheBox) {
    for (UINT answer : {VK_F1, VK_F2}) {
        CPuzzleGame single = SingleBoard(3, 2);
        single.m_bFrozen = TRUE;
        single.Press(1, 1);  // one tap from solved
        single.m_bFrozen = FALSE;
        Save(single);
        int turn = 0;
        BOOL cursorShown = TRUE;
        int moves = -1;
        Play([&](CGameWnd& game) {
            switch (turn++) {
                case 0: Tap(game, 1, 1); return true;
                case 1:
                    backend.ScriptKey(answer);
                    return true;
                case 2:
                    // A leaked release of the answering key would have brought the cursor back.
                    cursorShown = game.m_bShowCursor;
                    moves = game.m_Game.m_nMoves;
                    return false;
                default: return false;
            }
        });
        ASSERT_EQ(platform::MessageBoxesShown().size(), 1u) << answer;
        EXPECT_EQ(cursorShown, FALSE) << answer;
        EXPECT_EQ(moves, 0) << answer;
        CPuzzleGame saved;
        EXPECT_FALSE(saved.IsBoardSolved()) << answer << ": a new scrambled board";
        platform::ResetMessageBoxes();
    }
}

TEST_F(PlayTest, TheScreenShowsTheTilesTheCursorAndBlackMargins) {
    CPuzzleGame board = SingleBoard(5, 5);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y) board.m_Board[x * 8 + y] = static_cast<BYTE>((x + 2 * y) % 5);
    Save(board);
    Play([&](CGameWnd& game) {
        const int bar = platform::CurrentDeviceProfile().bar;
        auto at = [&](int x, int y) { return platform::Unpack565(backend.FramePixel(x, y)); };
        // Below the glyph at each cell's centre, the tile's own colour.
        auto tile = [&](int x, int y) {
            const RECT& r = game.m_rcCells[x][y];
            return at((r.left + r.right) / 2, r.top + (r.bottom - r.top) * 3 / 4 + bar);
        };
        for (int x = 0; x < 5; ++x)
            for (int y = 0; y < 5; ++y)
                if (x || y) {
                    EXPECT_EQ(TileColour(tile(x, y)), (x + 2 * y) % 5) << x << "," << y;
                }
        // The cursor's cell (0, 0) is blue like (1, 2), but whitened.
        COLORREF cursor = tile(0, 0), plain = tile(1, 2);
        EXPECT_GT(GetRValue(cursor), GetRValue(plain) + 40);
        EXPECT_GT(GetGValue(cursor), GetGValue(plain) + 40);
        const RECT& first = game.m_rcCells[0][0];
        EXPECT_EQ(at(first.left / 2, 100 + bar), 0u) << "left margin";
        EXPECT_EQ(at(120, first.top / 2 + bar), 0u) << "top margin";
        return false;
    });
}

}  // namespace
