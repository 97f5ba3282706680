// CPuzzleGame: presses, patterns, the solved test and scrambling; then each mode played to the end by
// the reference solver: levels, counters, records and the order of the engine's notifications.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

#include "engine/PuzzleGame.h"
#include "engine/Random.h"
#include "platform/Messages.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/Solver.h"

namespace {

// The board's top-left n × n cells, one row of digits per line y, separated by '/'.
std::string Board(const CPuzzleGame& g, int n) {
    std::string s;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) s += static_cast<char>('0' + g.GetCell(x, y));
        s += y + 1 < n ? "/" : "";
    }
    return s;
}

using PatternsTest = PlatformTest;

// A frozen press on an all-0 board with K = 5, so no advance wraps.
TEST_F(PatternsTest, EachPatternAtACornerAnEdgeAndTheCentre) {
    const struct { int type, n, x, y; const char* board; } cases[] = {
        {TYPE_NORMAL, 3, 0, 0, "110/100/000"}, {TYPE_NORMAL, 3, 1, 0, "111/010/000"}, {TYPE_NORMAL, 3, 1, 1, "010/111/010"},
        {TYPE_NOCENTER, 3, 2, 2, "000/001/010"}, {TYPE_NOCENTER, 3, 0, 1, "100/010/100"}, {TYPE_NOCENTER, 3, 1, 1, "010/101/010"},
        {TYPE_X, 3, 2, 0, "001/010/000"}, {TYPE_X, 3, 1, 2, "000/101/010"}, {TYPE_X, 3, 1, 1, "101/010/101"},
        {TYPE_CORNERS, 3, 0, 2, "000/010/000"}, {TYPE_CORNERS, 3, 2, 1, "010/000/010"}, {TYPE_CORNERS, 3, 1, 1, "101/000/101"},
        {TYPE_DOUBLECENTER, 3, 1, 1, "010/121/010"}, {TYPE_DOUBLECENTER, 3, 0, 1, "100/210/100"},
        {TYPE_NORMAL, 8, 7, 7, "00000000/00000000/00000000/00000000/00000000/00000000/00000001/00000011"},
        {TYPE_X, 8, 7, 3, "00000000/00000000/00000010/00000001/00000010/00000000/00000000/00000000"},
    };
    for (const auto& c : cases) {
        CPuzzleGame g;
        std::tie(g.m_nType, g.m_nSize, g.m_nColors, g.m_bFrozen) = std::tuple(c.type, c.n, 5, TRUE);
        EXPECT_TRUE(g.Press(c.x, c.y));
        EXPECT_EQ(Board(g, c.n), c.board) << "type " << c.type << " at " << c.x << "," << c.y;
        for (int x = 0; x < 8; ++x)
            for (int y = c.n; y < 8; ++y) EXPECT_EQ(g.GetCell(x, y) + g.GetCell(y, x), 0) << "outside the square";
    }
    CPuzzleGame two;  // with two colours Double Center's pressed cell comes back to where it was
    std::tie(two.m_nType, two.m_nColors, two.m_bFrozen) = std::tuple(TYPE_DOUBLECENTER, 2, TRUE);
    two.Press(0, 1);
    EXPECT_EQ(Board(two, 3), "100/010/100");
}

TEST_F(PatternsTest, PressesOffTheBoardAndFrozenPressesCountAndTellNothing) {
    RecordingWindow owner;
    CPuzzleGame g;
    g.m_hWndOwner = owner.hwnd();
    g.m_nSize = 4;
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 4}, {8, 8}, {1000000, 2}}) {
        EXPECT_FALSE(g.Press(x, y));
        EXPECT_FALSE(g.AdvanceCell(x, y));
    }
    EXPECT_EQ(Board(g, 8), "00000000/00000000/00000000/00000000/00000000/00000000/00000000/00000000");
    std::tie(g.m_nMode, g.m_nType, g.m_bFrozen) = std::tuple(GAME_SINGLE, TYPE_CORNERS, TRUE);
    g.m_Board[1 * 8 + 1] = 1;  // pressing (0, 0) solves it: only (1, 1) changes
    EXPECT_TRUE(g.Press(0, 0));
    EXPECT_TRUE(g.IsBoardSolved());
    EXPECT_EQ(g.m_nMoves + g.m_nTotal, 0);
    RecordingWindow::DrainQueue();
    EXPECT_TRUE(owner.Messages().empty()) << "no move, no completion";
}

TEST_F(PatternsTest, AValueAtOrAboveKBecomesZeroAndSolvedMeansUniformInsideTheSquare) {
    CPuzzleGame g;
    std::tie(g.m_nColors, g.m_Board[1 * 8 + 1], g.m_Board[0]) = std::tuple(3, 7, 255);  // 255 wraps at 256 to 0
    g.AdvanceCell(1, 1);
    g.AdvanceCell(0, 0);
    EXPECT_EQ(g.GetCell(1, 1) + g.GetCell(0, 0), 0);
    g.AdvanceCell(0, 0);
    EXPECT_EQ(g.GetCell(0, 0), 1);

    g.m_nSize = 4;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) g.m_Board[x * 8 + y] = 3;
    std::tie(g.m_Board[4 * 8 + 0], g.m_Board[0 * 8 + 7]) = std::tuple(1, 2);  // outside the 4 x 4 square
    EXPECT_TRUE(g.IsBoardSolved());
    g.m_Board[3 * 8 + 3] = 2;
    EXPECT_FALSE(g.IsBoardSolved());
    for (auto [asked, kept] : {std::pair{8, 8}, {9, 8}, {2, 8}, {3, 3}})
        EXPECT_EQ((g.SetSize(asked), g.m_nSize), kept) << "SetSize keeps to 3 through 8";
}

// Every scramble, of every size, colour count and pattern, is unsolved, solvable and 0 outside the square.
TEST_F(PatternsTest, ScrambleAlwaysGivesASolvablePuzzle) {
    for (int i = 0; i < 6 * 4 * 5 * 12; ++i) {
        const int n = 3 + i % 6, k = 2 + i / 6 % 4, type = i / 24 % 5;
        const uint32_t seed = 1 + i / 120;
        CPuzzleGame g;
        g.SetSize(n);
        std::tie(g.m_nMode, g.m_nColors, g.m_nType) = std::tuple(GAME_SINGLE, k, type);
        engine::SeedRandom(seed * 7919u + static_cast<uint32_t>(n * 100 + k * 10 + type));
        g.NewGame();
        SCOPED_TRACE(testing::Message() << "N=" << n << " K=" << k << " type=" << type << " seed=" << seed);
        ASSERT_FALSE(g.IsBoardSolved() || g.m_bFrozen || g.m_nMoves);
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y) ASSERT_LT(g.GetCell(x, y), x < n && y < n ? k : 1);
        ASSERT_TRUE(seed > 2 || !SolveBoard(g).empty());
    }
}

TEST_F(PatternsTest, ScrambleNeverRunsUnderBrokenRules) {
    for (auto [n, k, type] : {std::tuple{0, 2, 0}, {1, 2, 0}, {9, 2, 0}, {3, 1, 0}, {3, 2, 7}, {-4, 0, -1}}) {
        CPuzzleGame g;
        std::tie(g.m_nMode, g.m_nSize, g.m_nColors, g.m_nType) = std::tuple(GAME_SINGLE, n, k, type);
        g.NewGame();  // would divide by zero, index past the board or loop for ever
        EXPECT_EQ(std::tuple(g.m_nSize, g.m_nColors, g.m_nType), std::tuple(3, 2, int(TYPE_NORMAL)));
        EXPECT_FALSE(g.IsBoardSolved());
    }
}

struct Seen { UINT message; int moves, total, level; };

class SeriesTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        owner = std::make_unique<RecordingWindow>();
        game = std::make_unique<CPuzzleGame>();
        game->m_hWndOwner = owner->hwnd();
        owner->onMessage = [this](UINT m, WPARAM, LPARAM) -> LRESULT {
            if (m >= WM_USER) seen.push_back({m, game->m_nMoves, game->m_nTotal, game->m_nLevel});
            return 0;
        };
    }
    void TearDown() override { game.reset(), owner.reset(), PlatformTest::TearDown(); }

    // Presses a solution up to the press that finishes the board, then handles what was posted.
    int SolveCurrentBoard() {
        const int level = game->m_nLevel, before = game->m_nTotal;
        for (const Move& m : SolveBoard(*game))
            if (game->m_nLevel == level && !game->IsBoardSolved()) game->Press(m.x, m.y);
        RecordingWindow::DrainQueue();
        return game->m_nTotal - before;
    }
    int Count(UINT message) const { return static_cast<int>(std::ranges::count(seen, message, &Seen::message)); }

    // Plays a whole series; returns the sizes met, level by level.
    std::vector<int> PlaySeries(int mode, uint32_t seed) {
        game->m_nMode = mode;
        engine::SeedRandom(seed);
        game->NewGame();
        std::vector<int> sizes;
        const int record = game->GetRecord(), levels = game->GetLevelCount();
        for (int level = 0, total = 0; level < levels; ++level) {
            // Moves start again on every level, the total runs on, the record waits for the end.
            EXPECT_EQ(std::tuple(game->m_nLevel, game->m_nMoves, game->m_nTotal, game->GetRecord()),
                      std::tuple(level, 0, total, record));
            sizes.push_back(game->m_nSize);
            const int pressed = SolveCurrentBoard();
            total += pressed;
            if (seen.size() < 2) return ADD_FAILURE() << "no notices", sizes;
            // The last move is reported while the level is the one just played; the level change or the completion follows.
            const Seen moved = seen.end()[-2], last = seen.back();
            const bool more = level + 1 < levels;
            EXPECT_EQ(std::tuple(moved.message, moved.level, moved.moves, moved.total),
                      std::tuple(WM_GAME_MOVED, level, pressed, total));
            EXPECT_EQ(std::tuple(last.message, last.level, last.moves),
                      std::tuple(more ? WM_GAME_NEXTLEVEL : WM_GAME_COMPLETE, level + 1, more ? 0 : pressed));
            EXPECT_NE(game->IsBoardSolved(), more) << "a new level comes scrambled";
        }
        return sizes;
    }

    std::unique_ptr<RecordingWindow> owner;
    std::unique_ptr<CPuzzleGame> game;
    std::vector<Seen> seen;
};

TEST_F(SeriesTest, EachSeriesRunsItsBoardsAndFinishesOnceSettingTheRecordAtTheEnd) {
    const struct { int mode; uint32_t seed; std::vector<int> sizes; } series[] = {
        {GAME_EASY, 11, {3, 3, 4, 4, 4}},
        {GAME_NORMAL, 5, {3, 3, 4, 5, 6}},
        {GAME_HARD, 3, {3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7}},
    };
    game->m_nRecord[1] = 5000;
    for (const auto& c : series) {
        seen.clear();
        EXPECT_EQ(PlaySeries(c.mode, c.seed), c.sizes);
        const int levels = static_cast<int>(c.sizes.size());
        EXPECT_EQ(std::tuple(game->m_nLevel, game->m_bFrozen, Count(WM_GAME_COMPLETE), Count(WM_GAME_NEXTLEVEL)),
                  std::tuple(levels, TRUE, 1, levels - 1));
        EXPECT_EQ(std::tuple(game->m_nRecord[c.mode - GAME_EASY], game->GetRecord()), std::tuple(game->m_nTotal, game->m_nTotal));
    }
    // The finished state counts nothing until the next new game.
    const size_t before = seen.size();
    game->Press(0, 0);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(seen.size(), before);
}

// On an all-zero 3 x 3 board that two presses cannot solve, the counters stop at 999999 as records do.
TEST_F(SeriesTest, TheRecordMovesOnlyForALowerTotalAndNeverForZeroAndCountersStopAtTheCeiling) {
    std::tie(game->m_nMoves, game->m_nTotal) = std::tuple(NO_RECORD, NO_RECORD - 1);
    game->Press(0, 0);
    game->Press(2, 2);
    EXPECT_EQ(std::tuple(game->m_nMoves, game->m_nTotal), std::tuple(NO_RECORD, NO_RECORD));
    std::tie(game->m_nMode, game->m_nRecord[0]) = std::tuple(GAME_EASY, 10);
    for (auto [total, record] : {std::pair{11, 10}, {10, 10}, {9, 9}, {0, 9}}) {
        game->m_nTotal = total;
        game->UpdateRecord();
        EXPECT_EQ(game->m_nRecord[0], record) << "total " << total;
    }
}

TEST_F(SeriesTest, SingleKeepsThePlayersBoardAndReportsEverySolve) {
    game->SetSize(5);
    std::tie(game->m_nMode, game->m_nColors, game->m_nType, game->m_nTotal, game->m_nLevel) = std::tuple(GAME_SINGLE, 4, TYPE_X, 9, 0);
    engine::SeedRandom(8);
    game->NewGame();
    EXPECT_EQ(std::tuple(game->m_nSize, game->m_nColors, game->m_nType, game->m_nTotal), std::tuple(5, 4, TYPE_X, 0));
    SolveCurrentBoard();
    EXPECT_EQ(Count(WM_GAME_COMPLETE), 1);
    EXPECT_FALSE(game->m_bFrozen) << "a single puzzle stays playable";
    EXPECT_EQ(std::tuple(game->m_nLevel, game->GetLevelCount(), game->GetRecord()), std::tuple(0, 1, NO_RECORD));
    EXPECT_EQ(std::ranges::count(game->m_nRecord, NO_RECORD), 3);
}

TEST_F(SeriesTest, RandomDrawsEveryBoardInRange) {
    game->m_nMode = GAME_RANDOM;
    engine::SeedRandom(99);
    std::set<int> sizes, colours, types;
    for (int i = 0; i < 300; ++i)
        game->NewGame(), sizes.insert(game->m_nSize), colours.insert(game->m_nColors), types.insert(game->m_nType);
    EXPECT_EQ(std::tuple(sizes, colours, types), std::tuple(std::set{3, 4, 5, 6, 7, 8}, std::set{2, 3, 4, 5}, std::set{0, 1, 2, 3, 4}));
    EXPECT_EQ(game->GetRecord(), NO_RECORD);
}

// (A new game in the middle of a series is played through the window: PlayTest.)
TEST_F(SeriesTest, SetupOutsideTheTableChangesNothing) {
    std::tie(game->m_nMode, game->m_nLevel, game->m_nSize, game->m_nMoves) = std::tuple(GAME_EASY, 5, 6, 17);
    game->SetupLevel();
    EXPECT_EQ(std::tuple(game->m_nSize, game->m_nMoves), std::tuple(6, 17));
    std::tie(game->m_nMode, game->m_nLevel) = std::tuple(9, 0);  // unknown modes behave like Single at set-up
    game->SetupLevel();
    EXPECT_EQ(std::tuple(game->m_nSize, game->m_nMoves, game->GetLevelCount(), game->GetRecord()), std::tuple(6, 0, 1, NO_RECORD));
}

}  // namespace
