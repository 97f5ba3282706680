// Game modes played from NewGame to the end by the reference solver: levels, counters, records
// and the order of the engine's notifications.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

#include "engine/PuzzleGame.h"
#include "engine/Random.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "tests/support/Solver.h"
#include "tests/support/PlatformFixture.h"

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

    // Presses a solution of the current board; stops when the press that finished it returns, then
    // lets the owner handle what was posted unless told not to. Returns the number of counted
    // presses (the level's own counter restarts when it is solved).
    int SolveCurrentBoard(bool drain = true) {
        auto moves = SolveBoard(*game);
        EXPECT_TRUE(moves.has_value());
        if (!moves) return 0;
        const int level = game->m_nLevel, before = game->m_nTotal;
        for (const Move& m : *moves) {
            game->Press(m.x, m.y);
            if (game->m_nLevel != level || game->m_bFrozen || CompletionPending()) break;
        }
        const int pressed = game->m_nTotal - before;
        if (drain) RecordingWindow::DrainQueue();
        return pressed;
    }

    static bool CompletionPending() {
        const auto posted = platform::PendingPostedMessages();
        return std::any_of(posted.begin(), posted.end(), [](const MSG& m) { return m.message == WM_GAME_COMPLETE; });
    }
    int Count(UINT message) const {
        return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.message == message; }));
    }

    // Plays a whole series from its record; returns the sizes met, level by level.
    std::vector<int> PlaySeries(int mode, uint32_t seed) {
        game->m_nMode = mode;
        engine::SeedRandom(seed);
        game->NewGame();
        std::vector<int> sizes;
        const int record = game->GetRecord();
        int total = 0;
        for (int level = 0; level < game->GetLevelCount(); ++level) {
            EXPECT_EQ(std::tuple(game->m_nLevel, game->m_nMoves, game->m_nTotal, game->GetRecord()),
                      std::tuple(level, 0, total, record))
                << "moves start again on every level, the total runs on, the record waits for the end";
            sizes.push_back(game->m_nSize);
            const size_t before = seen.size();
            const int pressed = SolveCurrentBoard(/*drain=*/false);
            total += pressed;
            EXPECT_GT(pressed, 0);
            // The last counted press: the move is reported while the level still names the level
            // just played, then the level change (handled once the next board is ready) or the
            // completion follows.
            RecordingWindow::DrainQueue();
            if (seen.size() < before + 2) {
                ADD_FAILURE() << "level " << level << ": no move and level notices";
                break;
            }
            const Seen& moved = seen[seen.size() - 2];
            const Seen& last = seen.back();
            EXPECT_EQ(std::tuple(moved.message, moved.level, moved.moves, moved.total),
                      std::tuple(UINT(WM_GAME_MOVED), level, pressed, total));
            if (level + 1 < game->GetLevelCount()) {
                EXPECT_EQ(std::tuple(last.message, last.level, last.moves), std::tuple(UINT(WM_GAME_NEXTLEVEL), level + 1, 0));
                EXPECT_FALSE(game->IsBoardSolved());
            } else {
                EXPECT_EQ(last.message, UINT(WM_GAME_COMPLETE));
            }
        }
        EXPECT_EQ(game->m_nTotal, total);
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
        const int levels = static_cast<int>(c.sizes.size()), slot = c.mode - GAME_EASY;
        EXPECT_EQ(game->m_nLevel, levels);
        EXPECT_TRUE(game->m_bFrozen);
        EXPECT_EQ(Count(WM_GAME_COMPLETE), 1);
        EXPECT_EQ(Count(WM_GAME_NEXTLEVEL), levels - 1);
        EXPECT_EQ(game->m_nRecord[slot], game->m_nTotal);
        EXPECT_EQ(game->GetRecord(), game->m_nTotal);
    }
    // The finished state counts nothing until the next new game.
    const size_t before = seen.size();
    game->Press(0, 0);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(seen.size(), before);
}

// On an all-zero 3 x 3 board that two presses cannot solve, the counters stop at 999999 as records do.
TEST_F(SeriesTest, TheRecordMovesOnlyForALowerTotalAndNeverForZeroAndCountersStopAtTheCeiling) {
    game->m_nMoves = NO_RECORD;
    game->m_nTotal = NO_RECORD - 1;
    game->Press(0, 0);
    game->Press(2, 2);
    EXPECT_EQ(std::tuple(game->m_nMoves, game->m_nTotal), std::tuple(NO_RECORD, NO_RECORD));
    game->m_nMode = GAME_EASY;
    game->m_nRecord[0] = 10;
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
    EXPECT_EQ(std::tuple(game->m_nSize, game->m_nColors, game->m_nType, game->m_nTotal), std::tuple(5, 4, int(TYPE_X), 0));
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

TEST_F(SeriesTest, NewGameInTheMiddleOfHardStartsAgainAndSetupOutsideTheTableChangesNothing) {
    game->m_nMode = GAME_HARD;
    engine::SeedRandom(4);
    game->NewGame();
    SolveCurrentBoard();
    SolveCurrentBoard();
    ASSERT_EQ(game->m_nLevel, 2);
    ASSERT_GT(game->m_nTotal, 0);
    game->NewGame();
    EXPECT_EQ(std::tuple(game->m_nLevel, game->m_nTotal, game->m_nSize, game->m_nColors), std::tuple(0, 0, 3, 2));

    std::tie(game->m_nMode, game->m_nLevel, game->m_nSize, game->m_nMoves) = std::tuple(GAME_EASY, 5, 6, 17);
    game->SetupLevel();
    EXPECT_EQ(std::tuple(game->m_nSize, game->m_nMoves), std::tuple(6, 17));
    std::tie(game->m_nMode, game->m_nLevel) = std::tuple(9, 0);  // unknown modes behave like Single at set-up
    game->SetupLevel();
    EXPECT_EQ(std::tuple(game->m_nSize, game->m_nMoves, game->GetLevelCount(), game->GetRecord()), std::tuple(6, 0, 1, NO_RECORD));
}

}  // namespace
