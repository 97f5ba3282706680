// The move counters stop at 999999, as records do, and a saved game counting beyond is repaired.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/PuzzleGame.h"
#include "tests/support/PlatformFixture.h"

namespace {

using CountersTest = PlatformTest;

TEST_F(CountersTest, PressesStopCountingAtTheCeiling) {
    CPuzzleGame g;  // nothing saved: Easy, 3 x 3, an all-zero board that two presses cannot solve
    g.m_nMoves = NO_RECORD;
    g.m_nTotal = NO_RECORD - 1;
    g.Press(0, 0);
    g.Press(2, 2);
    ASSERT_FALSE(g.IsBoardSolved());
    EXPECT_EQ(g.m_nMoves, NO_RECORD);
    EXPECT_EQ(g.m_nTotal, NO_RECORD);
}

TEST_F(CountersTest, ASavedBoardCountingBeyondTheCeilingIsBroken) {
    const struct {
        int32_t moves, total;
        bool kept;
    } cases[] = {{NO_RECORD, NO_RECORD, true}, {NO_RECORD + 1, 0, false}, {0, INT32_MAX, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.moves << " / " << c.total);
        CPuzzleGame saved;
        saved.m_nMode = GAME_SINGLE;
        saved.SetSize(5);
        saved.m_nMoves = c.moves;
        saved.m_nTotal = c.total;
        BYTE bytes[GAME_STATE_SIZE];
        saved.PackState(bytes);
        CPuzzleGame g;
        ASSERT_TRUE(g.UnpackState(bytes, sizeof bytes));
        EXPECT_EQ(g.m_nSize, c.kept ? 5 : 3);
        EXPECT_EQ(g.m_nTotal, c.kept ? c.total : 0);
    }
}

}  // namespace
