// Game modes played from NewGame to the end by the reference solver: levels, counters, records
// and the order of the engine's notifications.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "engine/PuzzleGame.h"
#include "engine/Random.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "tests/engine/Solver.h"
#include "tests/support/PlatformFixture.h"

namespace {

struct Seen {
    UINT message;
    int moves, total, level;
};

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
        game.reset();
        owner.reset();
        PlatformTest::TearDown();
    }

    // Presses a solution of the current board; stops when the press that finished it returns.
    // Returns the number of counted presses (the level's own counter restarts when it is solved).
    int SolveCurrentBoard() {
        auto moves = SolveBoard(*game);
        EXPECT_TRUE(moves.has_value());
        if (!moves) return 0;
        const int level = game->m_nLevel, before = game->m_nTotal;
        for (const Move& m : *moves) {
            game->Press(m.x, m.y);
            if (game->m_nLevel != level || game->m_bFrozen || CompletionPending()) break;
        }
        return game->m_nTotal - before;
    }

    static bool CompletionPending() {
        for (const MSG& m : platform::PendingPostedMessages())
            if (m.message == WM_GAME_COMPLETE) return true;
        return false;
    }

    int Count(UINT message) const {
        int n = 0;
        for (const Seen& s : seen) n += s.message == message;
        return n;
    }

    // Plays a whole series; returns the sizes met, level by level.
    std::vector<int> PlaySeries(int mode, uint32_t seed) {
        game->m_nMode = mode;
        engine::SeedRandom(seed);
        game->NewGame();
        std::vector<int> sizes;
        int total = 0;
        for (int level = 0; level < game->GetLevelCount(); ++level) {
            EXPECT_EQ(game->m_nLevel, level);
            EXPECT_EQ(game->m_nMoves, 0) << "moves start again on every level";
            EXPECT_EQ(game->m_nTotal, total) << "the total runs on across levels";
            sizes.push_back(game->m_nSize);
            size_t before = seen.size();
            int pressed = SolveCurrentBoard();
            total += pressed;
            EXPECT_GT(pressed, 0);
            // The last counted press: the move is reported while the level still names the level
            // just played, then the level change or the completion follows.
            EXPECT_GE(seen.size(), before + 1);
            if (seen.size() < before + 1) break;
            RecordingWindow::DrainQueue();
            const Seen& last = seen.back();
            const Seen& beforeLast = seen[seen.size() - 2];
            EXPECT_EQ(beforeLast.message, WM_GAME_MOVED);
            EXPECT_EQ(beforeLast.level, level);
            EXPECT_EQ(beforeLast.moves, pressed);
            EXPECT_EQ(beforeLast.total, total);
            if (level + 1 < game->GetLevelCount()) {
                EXPECT_EQ(last.message, WM_GAME_NEXTLEVEL);
                EXPECT_EQ(last.level, level + 1) << "handled once the next board is ready";
                EXPECT_EQ(last.moves, 0);
                EXPECT_FALSE(game->IsBoardSolved());
            } else {
                EXPECT_EQ(last.message, WM_GAME_COMPLETE);
            }
        }
        EXPECT_EQ(game->m_nTotal, total);
        return sizes;
    }

    std::unique_ptr<RecordingWindow> owner;
    std::unique_ptr<CPuzzleGame> game;
    std::vector<Seen> seen;
};

TEST_F(SeriesTest, AFreshEngineWithoutASavedGame) {
    EXPECT_EQ(game->m_nMode, GAME_EASY);
    EXPECT_EQ(game->m_nSize, 3);
    EXPECT_EQ(game->m_nColors, 2);
    EXPECT_EQ(game->m_nType, TYPE_NORMAL);
    EXPECT_EQ(game->m_nLevel, 0);
    EXPECT_FALSE(game->m_bFrozen);
    for (int r : game->m_nRecord) EXPECT_EQ(r, NO_RECORD);
    for (BYTE c : game->m_Board) EXPECT_EQ(c, 0);
    EXPECT_TRUE(game->IsBoardSolved()) << "nothing is scrambled at construction";
}

TEST_F(SeriesTest, EasyRunsFiveBoardsAndFinishesOnce) {
    std::vector<int> sizes = PlaySeries(GAME_EASY, 11);
    EXPECT_EQ(sizes, (std::vector<int>{3, 3, 4, 4, 4}));
    EXPECT_EQ(game->m_nLevel, 5);
    EXPECT_TRUE(game->m_bFrozen);
    EXPECT_EQ(Count(WM_GAME_COMPLETE), 1);
    EXPECT_EQ(Count(WM_GAME_NEXTLEVEL), 4);
    EXPECT_EQ(game->m_nRecord[0], game->m_nTotal);
    EXPECT_EQ(game->m_nRecord[1], NO_RECORD);
    EXPECT_EQ(game->m_nRecord[2], NO_RECORD);
    EXPECT_EQ(game->GetRecord(), game->m_nTotal);

    // The finished state counts nothing until the next new game.
    size_t before = seen.size();
    game->Press(0, 0);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(seen.size(), before);
}

TEST_F(SeriesTest, NormalChangesItsRecordOnlyAtTheFifthLevel) {
    game->m_nRecord[1] = 5000;
    game->m_nMode = GAME_NORMAL;
    engine::SeedRandom(5);
    game->NewGame();
    std::vector<int> sizes;
    for (int level = 0; level < 5; ++level) {
        sizes.push_back(game->m_nSize);
        EXPECT_EQ(game->m_nRecord[1], 5000) << "level " << level;
        SolveCurrentBoard();
        RecordingWindow::DrainQueue();
    }
    EXPECT_EQ(sizes, (std::vector<int>{3, 3, 4, 5, 6}));
    EXPECT_EQ(game->m_nRecord[1], game->m_nTotal);
}

TEST_F(SeriesTest, HardRunsFifteenBoardsIncludingFourColours) {
    std::vector<int> sizes = PlaySeries(GAME_HARD, 3);
    EXPECT_EQ(sizes, (std::vector<int>{3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7}));
    EXPECT_EQ(Count(WM_GAME_COMPLETE), 1);
    EXPECT_EQ(Count(WM_GAME_NEXTLEVEL), 14);
    EXPECT_EQ(game->m_nLevel, 15);
    EXPECT_EQ(game->m_nRecord[2], game->m_nTotal);
}

TEST_F(SeriesTest, TheRecordMovesOnlyForALowerTotal) {
    // Play Easy to its last board, learn the final total on a copy, then finish with the record
    // set to exactly that total: an equal total leaves it.
    game->m_nMode = GAME_EASY;
    engine::SeedRandom(21);
    game->NewGame();
    for (int level = 0; level < 4; ++level) {
        SolveCurrentBoard();
        RecordingWindow::DrainQueue();
    }
    ASSERT_EQ(game->m_nLevel, 4);
    CPuzzleGame copy = *game;
    copy.m_hWndOwner = nullptr;
    auto moves = SolveBoard(copy);
    ASSERT_TRUE(moves);
    for (const Move& m : *moves)
        if (!copy.m_bFrozen) copy.Press(m.x, m.y);
    ASSERT_TRUE(copy.m_bFrozen);
    const int finalTotal = copy.m_nTotal;

    game->m_nRecord[0] = finalTotal;
    SolveCurrentBoard();
    RecordingWindow::DrainQueue();
    EXPECT_EQ(game->m_nTotal, finalTotal);
    EXPECT_EQ(game->m_nRecord[0], finalTotal);
    EXPECT_EQ(Count(WM_GAME_COMPLETE), 1) << "an equal total still finishes the series";

    game->m_nTotal = finalTotal - 1;
    game->UpdateRecord();
    EXPECT_EQ(game->m_nRecord[0], finalTotal - 1);
    game->m_nTotal = 0;
    game->UpdateRecord();
    EXPECT_EQ(game->m_nRecord[0], finalTotal - 1) << "a total of 0 never counts";
}

TEST_F(SeriesTest, SingleKeepsThePlayersBoardAndReportsEverySolve) {
    game->m_nMode = GAME_SINGLE;
    game->SetSize(5);
    game->m_nColors = 4;
    game->m_nType = TYPE_X;
    game->m_nTotal = 9;
    game->m_nLevel = 0;
    engine::SeedRandom(8);
    game->NewGame();
    EXPECT_EQ(game->m_nSize, 5);
    EXPECT_EQ(game->m_nColors, 4);
    EXPECT_EQ(game->m_nType, TYPE_X);
    EXPECT_EQ(game->m_nTotal, 0);

    SolveCurrentBoard();
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Count(WM_GAME_COMPLETE), 1);
    EXPECT_FALSE(game->m_bFrozen) << "a single puzzle stays playable";
    EXPECT_EQ(game->m_nLevel, 0);
    EXPECT_EQ(game->GetRecord(), NO_RECORD);
    EXPECT_EQ(game->GetLevelCount(), 1);
    for (int r : game->m_nRecord) EXPECT_EQ(r, NO_RECORD);
}

TEST_F(SeriesTest, RandomDrawsEveryBoardInRange) {
    game->m_nMode = GAME_RANDOM;
    engine::SeedRandom(99);
    std::set<int> sizes, colours, types;
    for (int i = 0; i < 300; ++i) {
        game->NewGame();
        sizes.insert(game->m_nSize);
        colours.insert(game->m_nColors);
        types.insert(game->m_nType);
    }
    EXPECT_EQ(sizes, (std::set<int>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(colours, (std::set<int>{2, 3, 4, 5}));
    EXPECT_EQ(types, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(game->GetRecord(), NO_RECORD);
}

TEST_F(SeriesTest, NewGameInTheMiddleOfHardStartsAgainAtLevelOne) {
    game->m_nMode = GAME_HARD;
    engine::SeedRandom(4);
    game->NewGame();
    SolveCurrentBoard();
    SolveCurrentBoard();
    RecordingWindow::DrainQueue();
    ASSERT_EQ(game->m_nLevel, 2);
    ASSERT_GT(game->m_nTotal, 0);
    game->NewGame();
    EXPECT_EQ(game->m_nLevel, 0);
    EXPECT_EQ(game->m_nTotal, 0);
    EXPECT_EQ(game->m_nSize, 3);
    EXPECT_EQ(game->m_nColors, 2);
}

TEST_F(SeriesTest, SetupLevelOutsideItsTableChangesNothing) {
    game->m_nMode = GAME_EASY;
    game->m_nLevel = 5;
    game->m_nSize = 6;
    game->m_nMoves = 17;
    game->SetupLevel();
    EXPECT_EQ(game->m_nSize, 6);
    EXPECT_EQ(game->m_nMoves, 17);
    game->m_nMode = 9;  // unknown modes behave like Single at set-up, do nothing at completion
    game->m_nLevel = 0;
    game->SetupLevel();
    EXPECT_EQ(game->m_nSize, 6);
    EXPECT_EQ(game->m_nMoves, 0);
    EXPECT_EQ(game->GetLevelCount(), 1);
    EXPECT_EQ(game->GetRecord(), NO_RECORD);
}

}  // namespace
