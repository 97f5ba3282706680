// Presses, patterns, the solved test and scrambling.
#include <gtest/gtest.h>

#include <tuple>

#include "engine/PuzzleGame.h"
#include "engine/Random.h"
#include "tests/support/Solver.h"
#include "tests/support/PlatformFixture.h"

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
        {TYPE_NORMAL, 3, 0, 0, "110/100/000"},        {TYPE_NORMAL, 3, 1, 0, "111/010/000"},
        {TYPE_NORMAL, 3, 1, 1, "010/111/010"},        {TYPE_NOCENTER, 3, 2, 2, "000/001/010"},
        {TYPE_NOCENTER, 3, 0, 1, "100/010/100"},      {TYPE_NOCENTER, 3, 1, 1, "010/101/010"},
        {TYPE_X, 3, 2, 0, "001/010/000"},             {TYPE_X, 3, 1, 2, "000/101/010"},
        {TYPE_X, 3, 1, 1, "101/010/101"},             {TYPE_CORNERS, 3, 0, 2, "000/010/000"},
        {TYPE_CORNERS, 3, 2, 1, "010/000/010"},       {TYPE_CORNERS, 3, 1, 1, "101/000/101"},
        {TYPE_DOUBLECENTER, 3, 1, 1, "010/121/010"},  {TYPE_DOUBLECENTER, 3, 0, 1, "100/210/100"},
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
    for (auto [asked, kept] : {std::pair{8, 8}, {9, 8}, {2, 8}, {3, 3}}) {
        g.SetSize(asked);
        EXPECT_EQ(g.m_nSize, kept) << "SetSize keeps to 3 through 8";
    }
}

// Every scramble leaves an unsolved, solvable board with nothing outside the square, for every
// size, colour count and pattern, over many seeds.
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

}  // namespace
