// Game modes played from NewGame to the end by the reference solver: levels, counters, records
// and the order of the engine's notifications.
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
    void TearDown() override {
        game.reset(), owner.reset();
        PlatformTest::TearDown();
    }

    // Presses a solution of the current board up to the press that finishes it, then lets the
    // owner handle what was posted. Returns the number of counted presses.
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
            // The last move is reported while the level still names the level just played; the
            // level change (handled once the next board is ready) or the completion follows.
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
    game->m_nMode = GAME_SINGLE;
    game->SetSize(5);
    std::tie(game->m_nColors, game->m_nType, game->m_nTotal, game->m_nLevel) = std::tuple(4, TYPE_X, 9, 0);
    engine::SeedRandom(8);
    game->NewGame();
    EXPECT_EQ(std::tuple(game->m_nSize, game->m_nColors, game->m_nType, game->m_nTotal), std::tuple(5, 4, TYPE_X, 0));
    SolveCurrentBoard();
    EXPECT_EQ(Count(WM_GAME_COMPLETE), 1);
    EXPECT_FALSE(game->m_bFrozen) << "a single puzzle stays playable";
    EXPECT_EQ(std::tuple(game->m_nLevel, game->GetLevelCount(), game->GetRecord()), std::tuple(0, 1, NO_RECORD));
    for (int r : game->m_nRecord) EXPECT_EQ(r, NO_RECORD);
}

TEST_F(SeriesTest, RandomDrawsEveryBoardInRange) {
    game->m_nMode = GAME_RANDOM;
    engine::SeedRandom(99);
    std::set<int> sizes, colours, types;
    for (int i = 0; i < 300; ++i) {
        game->NewGame();
        sizes.insert(game->m_nSize), colours.insert(game->m_nColors), types.insert(game->m_nType);
    }
    EXPECT_EQ(sizes, (std::set<int>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(colours, (std::set<int>{2, 3, 4, 5}));
    EXPECT_EQ(types, (std::set<int>{0, 1, 2, 3, 4}));
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
