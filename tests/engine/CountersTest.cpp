// The move counters stop at 999999, as records do, and a saved game counting beyond is repaired.
#include <gtest/gtest.h>

#include "engine/PuzzleGame.h"
#include "tests/support/PlatformFixture.h"

namespace {

using CountersTest = PlatformTest;

TEST_F(CountersTest, CountersStopAtTheCeilingAndSavedOnesBeyondItAreBroken) {
    CPuzzleGame g;  // nothing saved: an all-zero 3 x 3 board that two presses cannot solve
    g.m_nMoves = NO_RECORD;
    g.m_nTotal = NO_RECORD - 1;
    g.Press(0, 0);
    g.Press(2, 2);
    EXPECT_EQ(g.m_nMoves, NO_RECORD);
    EXPECT_EQ(g.m_nTotal, NO_RECORD);

    const struct { int32_t moves, total; bool kept; } cases[] = {
        {NO_RECORD, NO_RECORD, true}, {NO_RECORD + 1, 0, false}, {0, INT32_MAX, false}};
    for (const auto& c : cases) {
        g.SetSize(5);
        g.m_nMoves = c.moves;
        g.m_nTotal = c.total;
        BYTE bytes[GAME_STATE_SIZE];
        g.PackState(bytes);
        CPuzzleGame loaded;
        ASSERT_TRUE(loaded.UnpackState(bytes, sizeof bytes));
        EXPECT_EQ(loaded.m_nSize, c.kept ? 5 : 3) << c.moves << " / " << c.total;
    }
}

}  // namespace
