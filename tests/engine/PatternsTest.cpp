// Presses, patterns, the solved test and scrambling.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

#include "engine/PuzzleGame.h"
#include "engine/Random.h"
#include "tests/support/Solver.h"
#include "tests/support/PlatformFixture.h"

namespace {

using Cells = std::set<std::pair<int, int>>;

class PatternsTest : public PlatformTest {
protected:
    // The cells a frozen press changes on an all-0 board, with K = 5 so no advance wraps.
    Cells Changed(int type, int size, int x, int y) {
        CPuzzleGame g;
        g.m_nType = type;
        g.m_nSize = size;
        g.m_nColors = 5;
        g.m_bFrozen = TRUE;
        EXPECT_TRUE(g.Press(x, y));
        Cells changed;
        for (int cx = 0; cx < 8; ++cx)
            for (int cy = 0; cy < 8; ++cy)
                if (g.m_Board[cx * 8 + cy] != 0) changed.insert({cx, cy});
        return changed;
    }
};

TEST_F(PatternsTest, EachPatternAtACornerAnEdgeAndTheCentre) {
    for (int n : {3, 8}) {
        const int last = n - 1, mid = n / 2;
        // Normal: the cell and its four neighbours.
        EXPECT_EQ(Changed(TYPE_NORMAL, n, 0, 0), (Cells{{0, 0}, {1, 0}, {0, 1}}));
        EXPECT_EQ(Changed(TYPE_NORMAL, n, mid, 0), (Cells{{mid, 0}, {mid - 1, 0}, {mid + 1, 0}, {mid, 1}}));
        EXPECT_EQ(Changed(TYPE_NORMAL, n, mid, mid),
                  (Cells{{mid, mid}, {mid - 1, mid}, {mid + 1, mid}, {mid, mid - 1}, {mid, mid + 1}}));
        // No Center: the neighbours only.
        EXPECT_EQ(Changed(TYPE_NOCENTER, n, last, last), (Cells{{last - 1, last}, {last, last - 1}}));
        EXPECT_EQ(Changed(TYPE_NOCENTER, n, 0, mid), (Cells{{1, mid}, {0, mid - 1}, {0, mid + 1}}));
        EXPECT_EQ(Changed(TYPE_NOCENTER, n, mid, mid),
                  (Cells{{mid - 1, mid}, {mid + 1, mid}, {mid, mid - 1}, {mid, mid + 1}}));
        // X: the cell and its diagonals.
        EXPECT_EQ(Changed(TYPE_X, n, last, 0), (Cells{{last, 0}, {last - 1, 1}}));
        EXPECT_EQ(Changed(TYPE_X, n, mid, last), (Cells{{mid, last}, {mid - 1, last - 1}, {mid + 1, last - 1}}));
        EXPECT_EQ(Changed(TYPE_X, n, mid, mid), (Cells{{mid, mid},
                                                       {mid - 1, mid - 1},
                                                       {mid + 1, mid + 1},
                                                       {mid + 1, mid - 1},
                                                       {mid - 1, mid + 1}}));
        // Corners: the diagonals only; a corner press changes exactly one cell.
        EXPECT_EQ(Changed(TYPE_CORNERS, n, 0, last), (Cells{{1, last - 1}}));
        EXPECT_EQ(Changed(TYPE_CORNERS, n, last, mid), (Cells{{last - 1, mid - 1}, {last - 1, mid + 1}}));
        EXPECT_EQ(Changed(TYPE_CORNERS, n, mid, mid),
                  (Cells{{mid - 1, mid - 1}, {mid + 1, mid + 1}, {mid + 1, mid - 1}, {mid - 1, mid + 1}}));
    }
}

TEST_F(PatternsTest, DoubleCenterAdvancesThePressedCellTwice) {
    CPuzzleGame g;
    g.m_nType = TYPE_DOUBLECENTER;
    g.m_nSize = 3;
    g.m_nColors = 5;
    g.m_bFrozen = TRUE;
    g.Press(1, 1);
    EXPECT_EQ(g.GetCell(1, 1), 2);
    EXPECT_EQ(g.GetCell(0, 1), 1);
    EXPECT_EQ(g.GetCell(1, 2), 1);
    EXPECT_EQ(g.GetCell(0, 0), 0);

    g.m_nColors = 2;  // with two colours the pressed cell comes back to where it was
    for (BYTE& c : g.m_Board) c = 0;
    g.Press(0, 1);
    EXPECT_EQ(g.GetCell(0, 1), 0);
    EXPECT_EQ(g.GetCell(0, 0), 1);
    EXPECT_EQ(g.GetCell(0, 2), 1);
    EXPECT_EQ(g.GetCell(1, 1), 1);
}

TEST_F(PatternsTest, PressesOffTheBoardChangeNothing) {
    RecordingWindow owner;
    CPuzzleGame g;
    g.m_hWndOwner = owner.hwnd();
    g.m_nSize = 4;
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 4}, {8, 8}, {1000000, 2}}) {
        EXPECT_FALSE(g.Press(x, y));
        EXPECT_FALSE(g.AdvanceCell(x, y));
    }
    EXPECT_EQ(g.m_nMoves, 0);
    EXPECT_TRUE(owner.Messages().empty());
    for (BYTE c : g.m_Board) EXPECT_EQ(c, 0);
}

TEST_F(PatternsTest, AValueAtOrAboveKBecomesZeroAtItsNextAdvance) {
    CPuzzleGame g;
    g.m_nColors = 3;
    g.m_Board[1 * 8 + 1] = 7;
    g.AdvanceCell(1, 1);
    EXPECT_EQ(g.GetCell(1, 1), 0);
    g.m_Board[0] = 255;  // wraps at 256 to 0
    g.AdvanceCell(0, 0);
    EXPECT_EQ(g.GetCell(0, 0), 0);
    g.AdvanceCell(0, 0);
    EXPECT_EQ(g.GetCell(0, 0), 1);
}

TEST_F(PatternsTest, AFrozenPressChangesCellsButCountsAndTellsNothing) {
    RecordingWindow owner;
    CPuzzleGame g;
    g.m_hWndOwner = owner.hwnd();
    g.m_nMode = GAME_SINGLE;
    g.m_nType = TYPE_CORNERS;
    g.m_bFrozen = TRUE;
    g.m_Board[1 * 8 + 1] = 1;  // pressing (0, 0) solves it: only (1, 1) changes
    EXPECT_TRUE(g.Press(0, 0));
    EXPECT_TRUE(g.IsBoardSolved());
    EXPECT_EQ(g.m_nMoves, 0);
    EXPECT_EQ(g.m_nTotal, 0);
    RecordingWindow::DrainQueue();
    EXPECT_TRUE(owner.Messages().empty()) << "no move, no completion";
}

TEST_F(PatternsTest, SolvedMeansUniformInsideTheSquareWhateverLiesOutside) {
    CPuzzleGame g;
    g.m_nSize = 4;
    EXPECT_TRUE(g.IsBoardSolved()) << "all 0";
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) g.m_Board[x * 8 + y] = 3;
    EXPECT_TRUE(g.IsBoardSolved()) << "all 3";
    g.m_Board[4 * 8 + 0] = 1;  // outside the 4 x 4 square
    g.m_Board[0 * 8 + 7] = 2;
    EXPECT_TRUE(g.IsBoardSolved());
    g.m_Board[3 * 8 + 3] = 2;
    EXPECT_FALSE(g.IsBoardSolved());
}

TEST_F(PatternsTest, SetSizeKeepsToThreeThroughEight) {
    CPuzzleGame g;
    g.SetSize(8);
    EXPECT_EQ(g.m_nSize, 8);
    g.SetSize(9);
    EXPECT_EQ(g.m_nSize, 8);
    g.SetSize(2);
    EXPECT_EQ(g.m_nSize, 8);
    g.SetSize(3);
    EXPECT_EQ(g.m_nSize, 3);
}

// Every scramble leaves an unsolved, solvable board with nothing outside the square, for every
// size, colour count and pattern, over many seeds.
TEST_F(PatternsTest, ScrambleAlwaysGivesASolvablePuzzle) {
    for (int n = 3; n <= 8; ++n) {
        for (int k = 2; k <= 5; ++k) {
            for (int type = 0; type <= 4; ++type) {
                for (uint32_t seed = 1; seed <= 12; ++seed) {
                    CPuzzleGame g;
                    g.m_nMode = GAME_SINGLE;
                    g.SetSize(n);
                    g.m_nColors = k;
                    g.m_nType = type;
                    engine::SeedRandom(seed * 7919u + static_cast<uint32_t>(n * 100 + k * 10 + type));
                    g.NewGame();
                    SCOPED_TRACE(testing::Message() << "N=" << n << " K=" << k << " type=" << type << " seed=" << seed);
                    ASSERT_FALSE(g.IsBoardSolved());
                    ASSERT_FALSE(g.m_bFrozen);
                    ASSERT_EQ(g.m_nMoves, 0);
                    for (int x = 0; x < 8; ++x)
                        for (int y = 0; y < 8; ++y) {
                            BYTE c = g.m_Board[x * 8 + y];
                            if (x < n && y < n) {
                                ASSERT_LT(c, k);
                            } else {
                                ASSERT_EQ(c, 0);
                            }
                        }
                    if (seed <= 2) {
                        ASSERT_TRUE(SolveBoard(g).has_value());
                    }
                }
            }
        }
    }
}

TEST_F(PatternsTest, ScrambleNeverRunsUnderBrokenRules) {
    for (auto [n, k, type] : {std::tuple{0, 2, 0}, {1, 2, 0}, {9, 2, 0}, {3, 1, 0}, {3, 2, 7}, {-4, 0, -1}}) {
        CPuzzleGame g;
        g.m_nMode = GAME_SINGLE;
        g.m_nSize = n;
        g.m_nColors = k;
        g.m_nType = type;
        g.NewGame();  // would divide by zero, index past the board or loop for ever
        EXPECT_EQ(g.m_nSize, 3);
        EXPECT_EQ(g.m_nColors, 2);
        EXPECT_EQ(g.m_nType, TYPE_NORMAL);
        EXPECT_FALSE(g.IsBoardSolved());
    }
}

}  // namespace
