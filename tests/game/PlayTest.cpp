// The game through the program's entry point, headless: layout and counters on each screen shape,
// keys and taps, the completion box and the sounds, the menu, the Options screen (TINTARO_SHOTS_DIR
// gets shots of it); then start-up and shut-down: the sound setting, a second copy, failed saves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "gfx/Text.h"
#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Runtime.h"
#include "platform/Selector.h"
#include "platform/SingleInstance.h"
#include "platform/SoftKeyBar.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "screens/OptionsDlg.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/Solver.h"

namespace {

std::vector<uint8_t> Dword(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

class PlayTest : public PlatformTest {
protected:
    // Saves a new game of the mode; a Single one is 5 x 5 of 5 colours, every cell 0.
    CPuzzleGame Saved(int mode, int record = NO_RECORD, const std::function<void(CPuzzleGame&)>& change = {}) {
        CPuzzleGame game;
        std::tie(game.m_nMode, game.m_nRecord[0]) = std::tuple(mode, record);
        game.NewGame();
        if (mode == GAME_SINGLE)
            game.m_nSize = game.m_nColors = 5, game.m_nType = TYPE_NORMAL, std::ranges::fill(game.m_Board, 0);
        if (change) change(game);
        BYTE bytes[GAME_STATE_SIZE];
        game.PackState(bytes);
        WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(bytes, bytes + GAME_STATE_SIZE));
        return game;
    }
    static int Run() {
        wchar_t commandLine[] = L"";
        return WinMain(platform::RegisterModule(TintaroResources()), nullptr, commandLine, SW_SHOW);
    }
    // Runs the program; whenever it waits for input, turn scripts more and returns true, or closes it.
    int Play(const std::function<bool(CGameWnd&)>& turn) {
        bool closing = false;
        backend.SetIdleHandler([&] {
            HWND window = FindWindowW(L"ClassTintaro", L"Qor Tintaro");
            auto* game = dynamic_cast<CGameWnd*>(reinterpret_cast<CQorWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
            if (closing || (game && turn(*game))) return !closing;
            backend.ScriptClose();
            return closing = true;
        });
        return Run();
    }
    int Close() { return Play([](CGameWnd&) { return false; }); }
    // Runs the program on a screen of width x height; look sees the window once it waits for input.
    void Look(int width, int height, const std::function<void(CGameWnd&)>& look) {
        platform::SelectDeviceProfile(width, height);
        Play([&](CGameWnd& game) { return look(game), false; });
    }
    // A device-screen point in cell (x, y), down by eighths of the cell from its top.
    POINT In(const CGameWnd& game, int x, int y, int eighths = 4) const {
        const RECT& r = game.m_rcCells[x][y];
        const int bar = platform::CurrentDeviceProfile().bar;
        return {(r.left + r.right) / 2, r.top + (r.bottom - r.top) * eighths / 8 + bar};
    }
    void Tap(const CGameWnd& game, int x, int y) { backend.ScriptTap(In(game, x, y).x, In(game, x, y).y); }
    // "Menu", "Options", the keys, "Menu", "Quit"; look sees the game before each key, with the Options
    // screen while it shows (only Single enables type, size and colours). Returns the keys pressed.
    size_t PlayOptions(std::vector<UINT> keys, const std::function<void(CGameWnd&, HWND, size_t)>& look) {
        keys.insert(keys.begin(), {VK_F1, '3'});
        keys.insert(keys.end(), {VK_F1, '5'});
        size_t next = 0;
        Play([&](CGameWnd& game) {
            if (next == keys.size()) return false;
            HWND h = next >= 2 && next < keys.size() - 2 ? GetParent(GetFocus()) : nullptr;
            for (int row = 1; h && row <= 5; ++row) {
                RECT dialog, r;
                HWND selector = GetDlgItem(h, std::array{0, IDC_COLORS, IDC_SIZE, IDC_TYPE, IDC_GAME, IDC_SOUNDS}[row]);
                GetWindowRect(h, &dialog), GetWindowRect(selector, &r);
                EXPECT_EQ(IsWindowEnabled(selector), row > 3 || Selected(h, IDC_GAME) == GAME_SINGLE) << row;
                EXPECT_EQ((std::array{r.left, r.right, r.bottom - r.top, dialog.bottom - r.top}),
                          (std::array{4, 236, 19, 4 + 19 * row}));  // rows 1 and 5 start 23 and 99 up
            }
            look(game, h, next);
            backend.ScriptKey(keys[next], keys[next] == '3' || keys[next] == '5' ? wchar_t(keys[next]) : 0);
            return ++next, true;
        });
        return next;
    }
    static int Selected(HWND dialog, int id) { return COptionsDlg::GetSelection(GetDlgItem(dialog, id)); }
};

TEST_F(PlayTest, TheBoardIsASquareAtTheTopLeftWithEqualMargins) {
    for (auto [width, height, size] : {std::tuple{176, 220, 18}, std::tuple{480, 640, 36}}) {
        platform::SelectDeviceProfile(width, height);
        LOGFONTW font{};
        GetObjectW(CGameWnd().m_hFont, sizeof font, &font);
        EXPECT_EQ(font.lfHeight, size) << "the counters' font: 4/7 of the icon";
    }
    Look(176, 220, [](CGameWnd& g) {  // client 176 x 180, icons of 32
        for (auto [n, cell, offset] : std::vector<std::array<int, 3>>{{3, 48, 16}, {5, 28, 18}, {8, 18, 16}}) {
            g.m_Game.SetSize(n);
            g.m_nCursorX = g.m_nCursorY = 2;
            g.LayoutBoard();
            EXPECT_EQ(g.m_nCursorX + g.m_nCursorY, 0) << "every layout puts the cursor back";
            const int end = offset + n * cell;  // 158 for 5 x 5
            EXPECT_EQ(g.m_rcCells[0][0], (RECT{offset, offset, offset + cell, offset + cell})) << n;
            EXPECT_EQ(g.m_rcCells[n - 1][0], (RECT{end - cell, offset, end, offset + cell})) << "x to the right";
            EXPECT_EQ(g.m_rcCells[0][n - 1].bottom, end) << "y downwards";
        }
    });
}

TEST_F(PlayTest, OnlyARealChangeOfSizeLaysOutAgainAndNothingCollapses) {
    Look(240, 320, [](CGameWnd& g) {
        RECT cells[8][8], counters = g.m_rcCounters;
        std::memcpy(cells, g.m_rcCells, sizeof cells);
        g.m_nCursorX = 1;
        SendMessageW(g.m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(240, 268));
        EXPECT_EQ(g.m_nCursorX, 1) << "the same size: no layout";
        MoveWindow(g.m_hWnd, 0, 26, 0, 0, TRUE);
        UpdateWindow(g.m_hWnd);
        MoveWindow(g.m_hWnd, 0, 26, 240, 268, TRUE);
        EXPECT_TRUE(!std::memcmp(cells, g.m_rcCells, sizeof cells) && counters == g.m_rcCounters) << "0 x 0 and back";
    });
}

TEST_F(PlayTest, TheCountersSitBesideOrBelowTheBoardByTheScreensShape) {
    const struct { int width, height, mode, level; std::vector<std::pair<const wchar_t*, UINT>> texts; } cases[] = {
        {240, 320, GAME_EASY, 2, {{L"Moves: 7", DT_BOTTOM}, {L"Total: 42", DT_RIGHT | DT_BOTTOM}}},
        {240, 320, GAME_RANDOM, 0, {{L"Moves: 7", DT_BOTTOM}}},
        {320, 240, GAME_HARD, 2, {{L"Moves: 7", DT_RIGHT}, {L"3 / 15", DT_RIGHT | DT_BOTTOM}, {L"Total: 42", DT_RIGHT | DT_VCENTER}}},
        {320, 240, GAME_SINGLE, 0, {{L"Moves: 7", DT_RIGHT}}},
        // A finished series stays at its last level until the next game.
        {240, 240, GAME_EASY, 5, {{L"7", DT_RIGHT}, {L"42", DT_RIGHT | DT_VCENTER}, {L"5 / 5", DT_RIGHT | DT_BOTTOM}}},
        {240, 240, GAME_RANDOM, 0, {{L"7", DT_RIGHT}}},
    };
    for (const auto& c : cases) {
        Saved(c.mode, NO_RECORD, [&](CPuzzleGame& g) {
            g.m_nLevel = c.level, g.m_bFrozen = c.level == 5, g.m_nMoves = 7, g.m_nTotal = 42;
        });
        Look(c.width, c.height, [&](CGameWnd& g) {
            RECT client{};
            GetClientRect(g.m_hWnd, &client);
            CQorGDI expected;
            ASSERT_TRUE(expected.CreateSized(nullptr, client.right, client.bottom, 0, 1, 0, 16));
            for (auto [text, format] : c.texts) {
                RECT rc = g.m_rcCounters;
                DrawTextEllipsis(expected.m_hDC, text, &rc, format, g.m_hFont, 0xFFFFFF, TRANSPARENT);
            }
            // Outside the board and its cursor's frame, the frame is exactly these texts on black.
            const int boardEnd = g.m_rcCells[g.m_Game.m_nSize - 1][0].right + 1;
            int lit = 0, wrong = 0;
            for (int y = 0; y < client.bottom; ++y) {
                for (int x = y < boardEnd ? boardEnd : 0; x < client.right; ++x) {
                    lit += expected.GetPixel(x, y) != 0;
                    wrong += expected.GetPixel(x, y) != g.m_Screen.GetPixel(x, y);
                }
            }
            EXPECT_GT(lit, 20 * static_cast<int>(c.texts.size())) << c.width << " mode " << c.mode << ": off the board";
            EXPECT_EQ(wrong, 0) << c.width << " mode " << c.mode;
        });
    }
}

TEST_F(PlayTest, APaintBeforeAnyLayoutIsBlack) {
    CGameWnd unplaced;
    HDC target = SectionDC(240, 268, 16, 0x3366CC);
    EXPECT_EQ(unplaced.OnDraw(nullptr, target, RECT{0, 0, 240, 268}), 1);
    EXPECT_EQ(Picture(target, 240, 268, {{0, '.'}}), Picture(SectionDC(240, 268, 16, 0), 240, 268, {{0, '.'}}));
}

TEST_F(PlayTest, KeysAndTapsPressTheRightCells) {
    // L R U D: arrows, E: Enter, Txy: a tap on cell (x, y); the cells that must have been pressed.
    const std::pair<const char*, std::vector<Move>> cases[] = {
        {"RDE", {{1, 1}}}, {"LE", {{4, 0}}},  // left of column 0 is the last column
        {"UDE", {{0, 0}}},                    // up to the last row and down back to the first
        {"T21EE", {{2, 1}, {0, 0}}},          // after a tap the first Enter only shows the cursor
        {"RT21RE", {{2, 1}, {1, 0}}},         // ... and so does an arrow; a tap leaves the cursor
    };
    for (const auto& [input, presses] : cases) {
        CPuzzleGame expected = Saved(GAME_SINGLE);
        Play([&, scripted = false](CGameWnd& game) mutable {
            const UINT keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_RETURN};
            for (const char* p = input; *p && !scripted; ++p)
                if (*p == 'T') Tap(game, p[1] - '0', p[2] - '0'), p += 2;
                else backend.ScriptKey(keys[std::string("LRUDE").find(*p)]);
            return !std::exchange(scripted, true);
        });
        for (Move m : presses) expected.Press(m.x, m.y);
        CPuzzleGame saved;
        EXPECT_EQ(saved.m_nMoves, static_cast<int>(presses.size())) << input;
        EXPECT_TRUE(std::equal(std::begin(saved.m_Board), std::end(saved.m_Board), expected.m_Board)) << input;
    }
}

TEST_F(PlayTest, NRestartsAHardSeriesAtItsFirstLevel) {
    Saved(GAME_HARD, NO_RECORD, [](CPuzzleGame& g) { g.m_nLevel = 2, g.m_nTotal = 30; });
    Play([this, typed = false](CGameWnd&) mutable { return !typed && (backend.ScriptKey('N', L'N'), typed = true); });
    CPuzzleGame s;
    EXPECT_EQ(std::tuple(s.m_nMode, s.m_nLevel, s.m_nTotal, s.m_nSize, s.IsBoardSolved()),
              std::tuple(GAME_HARD, 0, 0, 3, FALSE));
}

TEST_F(PlayTest, AnEasySeriesEndsInTheBoxAndEitherAnswerStartsANewGame) {
    for (auto [record, sounds, answer] : {std::tuple{NO_RECORD, 1, VK_F1}, std::tuple{1, 0, VK_F2}}) {
        Saved(GAME_EASY, record);
        WriteBytes(GameValuePath("PlaySounds"), Dword(sounds));
        platform::ResetMessageBoxes();
        const size_t soundsBefore = backend.PlayedSounds().size();
        int presses = 0, movesAfter = -1;
        BOOL cursorAfter = TRUE;
        Play([&](CGameWnd& game) {
            if (platform::MessageBoxesShown().empty()) {
                const Move m = SolveBoard(game.m_Game).at(0);
                Tap(game, m.x, m.y), ++presses;
                return true;
            }
            if (movesAfter >= 0) return false;
            if (std::exchange(cursorAfter, FALSE)) return backend.ScriptKey(answer), true;
            // Solved by taps, the cursor stays hidden unless a key's release reaches the window.
            cursorAfter = game.m_bShowCursor, movesAfter = game.m_Game.m_nMoves;
            return true;
        });
        ASSERT_EQ(platform::MessageBoxesShown().size(), 1u);
        const platform::MessageBoxRecord& box = platform::MessageBoxesShown()[0];
        const std::wstring solved = L"solved the puzzle series in " + std::to_wstring(presses) + L" moves.\r\n";
        EXPECT_EQ(box.caption + box.text, record == NO_RECORD
                                              ? L"Complete!New Record!\r\nYou " + solved + L"Would you like to play again?"
                                              : L"Complete!Congratulations!\r\nYou " + solved +
                                                    L"The current record is: 1.\r\nWould you like to play again?");
        EXPECT_EQ(box.type, MB_YESNO);
        auto heard = [&](const wchar_t* name) {
            return std::count_if(backend.PlayedSounds().begin() + soundsBefore, backend.PlayedSounds().end(),
                                 [&](const auto& sound) { return sound.flags == 0x42005 && sound.name == name; });
        };
        EXPECT_EQ(heard(L"IDR_WAV_Move"), sounds * presses);
        EXPECT_EQ(heard(L"IDR_WAV_Level"), sounds * 5) << "four levels and the end";
        CPuzzleGame saved;
        // Either answer: a fresh series, and the answer's release never reached the board.
        EXPECT_EQ(std::vector<int>({saved.m_nLevel, saved.IsBoardSolved(), movesAfter, cursorAfter}),
                  std::vector<int>({0, FALSE, 0, FALSE}));
        EXPECT_EQ(saved.m_nRecord[0], record == NO_RECORD ? presses : 1);
    }
}

// The first frame on the screen, between the status bar and the "Menu" soft key.
TEST_F(PlayTest, TheScreenShowsTheTilesTheCursorAndBlackMargins) {
    Saved(GAME_SINGLE, NO_RECORD, [](CPuzzleGame& g) {
        for (int i = 0; i < 40; ++i) g.m_Board[i] = static_cast<BYTE>(i % 8 < 5 ? (i / 8 + 2 * (i % 8)) % 5 : 0);
    });
    Play([&](CGameWnd& game) {
        // Below each tile's glyph, the hue tells its colour: blue, red, purple, green, yellow.
        auto at = [&](POINT p) { return platform::Unpack565(backend.FramePixel(p.x, p.y)); };
        auto hue = [](COLORREF c) {
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (r > b + 60 && g > b + 60) return 4;
            return g > r && g > b ? 3 : b >= r ? (r > g + 30 ? 2 : 0) : b > g + 30 ? 2 : 1;
        };
        for (int i = 1; i < 25; ++i) EXPECT_EQ(hue(at(In(game, i / 5, i % 5, 6))), (i / 5 + 2 * (i % 5)) % 5) << i;
        const COLORREF cursor = at(In(game, 0, 0, 6)), plain = at(In(game, 1, 2, 6));  // both blue
        EXPECT_GT(GetRValue(cursor) + GetGValue(cursor), GetRValue(plain) + GetGValue(plain) + 100) << "whitened";
        const RECT& first = game.m_rcCells[0][0];
        EXPECT_EQ(at({first.left / 2, 100}), 0u) << "left margin";
        EXPECT_EQ(at({120, first.top / 2 + platform::CurrentDeviceProfile().bar}), 0u) << "top margin";
        EXPECT_TRUE(at({120, 5}) && at({120, 310})) << "the status bar and the soft-key bar";
        const std::vector<platform::SoftKeyLabel> keys = platform::SoftKeyLabelsOf(game.m_hWnd);
        EXPECT_TRUE(keys.size() == 1 && keys[0].text == L"Menu");
        return false;
    });
}

// A finished game answered "No": the menu over the new board, "Resume Game", "New Game", "Quit".
TEST_F(PlayTest, TheMenuAfterNoResumesDealsAndQuitsSaved) {
    Saved(GAME_SINGLE, NO_RECORD, [](CPuzzleGame& g) { g.m_nSize = 3, g.m_nColors = 2, g.Press(1, 1); });
    std::vector<BYTE> shown, dealt;
    int step = 0;
    EXPECT_EQ(Play([&](CGameWnd& g) {
                  const std::vector<BYTE> board(g.m_Game.m_Board, g.m_Game.m_Board + 64);
                  const std::wstring front = platform::SoftKeyLabelsOf(platform::ActiveWindow()).at(0).text;
                  EXPECT_TRUE(step != 2 || front == L"Quit") << "the menu, after the box";
                  switch (step++) {
                      case 0: for (UINT vk : {VK_RIGHT, VK_DOWN, VK_RETURN}) backend.ScriptKey(vk); return true;
                      case 1: return backend.ScriptKey(VK_F2), true;  // "No"
                      case 2: return shown = board, backend.ScriptKey('1'), true;
                      case 3: EXPECT_EQ(board, shown) << "resumed"; return backend.ScriptSoftKey(false), true;
                      case 4: return backend.ScriptKey('2'), true;
                      case 5: EXPECT_NE(dealt = board, shown) << "dealt"; return backend.ScriptSoftKey(false), true;
                      case 6: return backend.ScriptKey(VK_UP), backend.ScriptKey(VK_RETURN), true;  // up to "Quit"
                      default: return false;
                  }
              }),
              0);
    EXPECT_EQ(step, 7) << "Quit ended the program";
    CPuzzleGame saved;
    EXPECT_EQ(std::vector<BYTE>(saved.m_Board, saved.m_Board + 64), dealt);
}

// From a 6 x 6 Single game of 4 colours, pattern X, or the first Easy board; the sound stored as 7.
// After: type, mode, size, colours, sound; -1 where the game decides.
TEST_F(PlayTest, SavingAnotherPatternModeSizeOrColoursDealsANewGameTheSoundAloneDoesNot) {
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
        const CPuzzleGame saved = Saved(c.mode, NO_RECORD, [](CPuzzleGame& g) {
            if (g.m_nMode == GAME_SINGLE) g.m_nSize = 6, g.m_nColors = 4, g.m_nType = TYPE_X;
            for (int x = 0; x < 3; ++x) g.Press(x, 1);
        });
        WriteBytes(GameValuePath("PlaySounds"), Dword(7));
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
        }), c.keys.size() + 4);
        EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds"))[0], c.after[4]);
    }
}

// Only a broken caller could hand these in.
TEST_F(PlayTest, TheScreenKeepsValuesOutsideItsListsAndTakesAnySoundAsOn) {
    COptionsDlg dlg;
    dlg.m_bPlaySounds = 7, dlg.m_nMode = 5, dlg.m_nType = 9, dlg.m_nSize = 2, dlg.m_nColors = 6;
    backend.SetIdleHandler([&, n = 0]() mutable { return n++ == 0 && (backend.ScriptKey(VK_F1), true); });
    EXPECT_EQ(dlg.DoModal(nullptr, platform::RegisterModule(TintaroResources()), IDD_OPTIONS), 1);
    EXPECT_EQ((std::array{dlg.m_bPlaySounds, dlg.m_nMode, dlg.m_nType, dlg.m_nSize, dlg.m_nColors}),
              (std::array{1, 5, 9, 2, 6}));
}

TEST_F(PlayTest, ChoosingRandomDealsALegalBoardThatIsShownAndThereAfterARestart) {
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

// What a value looks like on disk: its bytes and the file itself (a rewrite makes a new file).
std::tuple<std::vector<uint8_t>, ino_t, long, long> Snapshot(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return {ReadBytes(path), st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

using StartUpTest = PlayTest;

TEST_F(StartUpTest, TheSoundSettingIsReadAsAFlagAndWrittenBackAsOne) {
    const std::pair<std::optional<std::vector<uint8_t>>, uint32_t> cases[] = {
        {std::nullopt, 1}, {std::vector<uint8_t>{}, 1}, {std::vector<uint8_t>{0, 1}, 1},
        {Dword(0), 0},     {Dword(7), 1},               {Dword(0xFFFFFFFF), 1}};
    for (const auto& [stored, expected] : cases) {
        std::filesystem::remove(GameValuePath("PlaySounds"));
        if (stored) WriteBytes(GameValuePath("PlaySounds"), *stored);
        EXPECT_EQ(Close(), 0);
        EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), Dword(expected)) << expected;
    }
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")).size(), 108u);
    EXPECT_TRUE(platform::WindowsInCreationOrder().empty()) << "the window went with its object";
}

// The second copy exits 0 without a window or a write; the first comes to the front and saves its game as left.
TEST_F(StartUpTest, TwoProcessesTheSecondExitsAtOnceAndTheFirstComesToTheFront) {
    Saved(GAME_NORMAL, NO_RECORD, [](CPuzzleGame& g) { g.Press(1, 1); });
    const std::vector<uint8_t> saved = ReadBytes(GameValuePath("GameState"));
    WriteBytes(GameValuePath("PlaySounds"), Dword(0));
    const auto sound = Snapshot(GameValuePath("PlaySounds")), state = Snapshot(GameValuePath("GameState"));
    int childStatus = -1, raisedBeforeClose = -1, step = 0;
    bool storeUntouched = false;
    const std::string configRoot = ConfigRoot();
    backend.SetIdleHandler([&] {
        if (step++ > 0)
            return step == 2 && (raisedBeforeClose = backend.Raised(), backend.ScriptKey(VK_F2), backend.ScriptClose(), true);
        pid_t child = fork();
        if (child == 0) {
            platform::ResetAll();
            static platform::HeadlessBackend second;
            platform::SetBackend(&second);
            platform::SetSettingsRoot(configRoot);
            const int code = Run();
            _exit(code != 0 ? 10 + code : second.FramesPresented() != 0 ? 2 : 0);
        }
        while (waitpid(child, &childStatus, WNOHANG) == 0) platform::DispatchReadable(50);
        storeUntouched = Snapshot(GameValuePath("PlaySounds")) == sound && Snapshot(GameValuePath("GameState")) == state;
        return true;
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0) << "exit code 0 and no window: " << childStatus;
    EXPECT_EQ(std::tuple(storeUntouched, raisedBeforeClose), std::tuple(true, 1));
    EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), Dword(0)) << "the first copy still saves its own";
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")), saved);
}

TEST_F(StartUpTest, AFailedSaveOfEitherValueEndsWithStatusOneAndSaysWhereAndWhy) {
    for (std::string blocked : {"GameState", "PlaySounds"}) {
        platform::ResetAll();
        platform::SetSettingsRoot(ConfigRoot());
        platform::SetBackend(&backend);
        std::filesystem::remove_all(ConfigRoot());
        std::filesystem::create_directories(GameValuePath(blocked));  // a folder in the value's place
        EXPECT_EQ(Close(), 1) << blocked;
        EXPECT_EQ(ExitProblems(), std::vector<std::string>{"could not save \"" + blocked + "\" in " + ConfigRoot() +
                                                           "/Qor/Tintaro: " + std::strerror(EISDIR)});
        EXPECT_FALSE(ReadBytes(GameValuePath(blocked == "GameState" ? "PlaySounds" : "GameState")).empty());
    }
}

TEST_F(StartUpTest, ACopyThatCannotTakeTheLockPlaysButWritesNothing) {
    if (geteuid() != 0) GTEST_SKIP() << "handing a folder to someone else needs root";
    unsetenv("XDG_RUNTIME_DIR");
    WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(108, 0));
    ASSERT_EQ(chown(ConfigRoot().c_str(), 65534, 65534), 0);  // no lock of ours can live there
    const auto before = Snapshot(GameValuePath("GameState"));
    EXPECT_EQ(Close(), 1);
    EXPECT_GT(backend.FramesPresented(), 0);
    EXPECT_FALSE(FileExists(GameValuePath("PlaySounds")));
    EXPECT_EQ(Snapshot(GameValuePath("GameState")), before) << "the saved game was not written";
    ASSERT_EQ(ExitProblems().size(), 1u);
    EXPECT_NE(ExitProblems()[0].find(ConfigRoot()), std::string::npos) << ExitProblems()[0];
}

}  // namespace
