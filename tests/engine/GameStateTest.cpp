// The saved game: exact bytes, round trips through the settings store, and repair of bad values.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/PuzzleGame.h"
#include "engine/Random.h"
#include "framework/ByteOrder.h"
#include "tests/support/Solver.h"
#include "tests/support/PlatformFixture.h"

namespace {

class GameStateTest : public PlatformTest {
protected:
    std::string StatePath() const { return GameValuePath("GameState"); }

    // A sound state in the middle of a Hard series: level 6 (0-based 5), 4 x 4, 3 colours.
    static std::vector<uint8_t> SoundState() {
        std::vector<uint8_t> s(108, 0);
        StoreLE32(&s[0], TYPE_NORMAL);
        StoreLE32(&s[4], 0);
        StoreLE32(&s[8], GAME_HARD);
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 4; ++y) s[12 + x * 8 + y] = static_cast<uint8_t>((x + 2 * y) % 3);
        StoreLE32(&s[76], 4);
        StoreLE32(&s[80], 3);
        StoreLE32(&s[84], 6);
        StoreLE32(&s[88], 61);
        StoreLE32(&s[92], 5);
        StoreLE32(&s[96], 40);
        StoreLE32(&s[100], 999999);
        StoreLE32(&s[104], 123);
        return s;
    }

    std::unique_ptr<CPuzzleGame> Load(const std::vector<uint8_t>& bytes) {
        WriteBytes(StatePath(), bytes);
        return std::make_unique<CPuzzleGame>();
    }

    static void ExpectBoardDefaults(const CPuzzleGame& g) {
        EXPECT_EQ(g.m_nMode, GAME_EASY);
        EXPECT_EQ(g.m_nSize, 3);
        EXPECT_EQ(g.m_nColors, 2);
        EXPECT_EQ(g.m_nType, TYPE_NORMAL);
        EXPECT_EQ(g.m_bFrozen, FALSE);
        EXPECT_EQ(g.m_nMoves, 0);
        EXPECT_EQ(g.m_nTotal, 0);
        EXPECT_EQ(g.m_nLevel, 0);
        for (BYTE c : g.m_Board) EXPECT_EQ(c, 0);
    }
};

TEST_F(GameStateTest, TheBytesSitAtTheirOffsetsLittleEndian) {
    CPuzzleGame g;
    g.m_nType = TYPE_CORNERS;
    g.m_bFrozen = TRUE;
    g.m_nMode = GAME_NORMAL;
    g.m_nSize = 3;
    g.m_nColors = 4;
    g.m_Board[0 * 8 + 0] = 1;
    g.m_Board[1 * 8 + 2] = 2;
    g.m_Board[2 * 8 + 1] = 3;
    g.m_nMoves = 0x0102;
    g.m_nTotal = 0x01020304;
    g.m_nLevel = 4;
    g.m_nRecord[0] = 999999;
    g.m_nRecord[1] = 17;
    g.m_nRecord[2] = 256;
    BYTE s[GAME_STATE_SIZE];
    g.PackState(s);

    const BYTE expectHead[12] = {3, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_EQ(0, memcmp(s, expectHead, 12));
    EXPECT_EQ(s[12], 1);
    EXPECT_EQ(s[22], 2) << "cell (1, 2) is the byte at 12 + 1 * 8 + 2";
    EXPECT_EQ(s[29], 3) << "cell (2, 1)";
    const BYTE expectTail[] = {3, 0, 0, 0,  4, 0, 0, 0,  0x02, 0x01, 0, 0,  4, 3, 2, 1, 4, 0, 0, 0,
                               0x3F, 0x42, 0x0F, 0, 17, 0, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(0, memcmp(s + 76, expectTail, sizeof expectTail));
}

TEST_F(GameStateTest, AHardSeriesSurvivesARestartFieldByField) {
    auto first = std::make_unique<CPuzzleGame>();
    first->m_nMode = GAME_HARD;
    first->m_nRecord[0] = 52;
    first->m_nRecord[1] = 31;
    first->m_nRecord[2] = 400;
    engine::SeedRandom(17);
    first->NewGame();
    for (int level = 0; level < 3; ++level) {
        auto moves = SolveBoard(*first);
        ASSERT_TRUE(moves);
        for (const Move& m : *moves)
            if (first->m_nLevel == level) first->Press(m.x, m.y);
    }
    first->Press(1, 1);  // a move into level 4's board
    ASSERT_EQ(first->m_nLevel, 3);
    ASSERT_TRUE(first->SaveState());
    ASSERT_EQ(ReadBytes(StatePath()).size(), 108u);

    CPuzzleGame second;
    EXPECT_EQ(second.m_nType, first->m_nType);
    EXPECT_EQ(second.m_bFrozen, first->m_bFrozen);
    EXPECT_EQ(second.m_nMode, GAME_HARD);
    EXPECT_EQ(0, memcmp(second.m_Board, first->m_Board, 64));
    EXPECT_EQ(second.m_nSize, first->m_nSize);
    EXPECT_EQ(second.m_nColors, first->m_nColors);
    EXPECT_EQ(second.m_nMoves, 1);
    EXPECT_EQ(second.m_nTotal, first->m_nTotal);
    EXPECT_EQ(second.m_nLevel, 3);
    EXPECT_EQ(second.m_nRecord[0], 52);
    EXPECT_EQ(second.m_nRecord[1], 31);
    EXPECT_EQ(second.m_nRecord[2], 400);
    EXPECT_EQ(second.m_hWndOwner, nullptr) << "the owner is never part of the saved form";
}

TEST_F(GameStateTest, ValuesOfAnyOtherLengthLeaveTheDefaults) {
    for (size_t size : {107u, 109u, 0u, 4u}) {
        std::vector<uint8_t> bytes = SoundState();
        bytes.resize(size, 0);
        auto g = Load(bytes);
        SCOPED_TRACE(size);
        ExpectBoardDefaults(*g);
        for (int r : g->m_nRecord) EXPECT_EQ(r, NO_RECORD);
    }
    auto g = Load(SoundState());
    EXPECT_EQ(g->m_nMode, GAME_HARD) << "the sound state itself is accepted";
    EXPECT_EQ(g->m_nLevel, 5);
    EXPECT_EQ(g->m_nRecord[0], 40);
}

// Every way the board part can break its rules; each gives the defaults for the board part and
// keeps the valid records.
TEST_F(GameStateTest, ABrokenBoardPartIsReplacedByTheDefaultsAndValidRecordsStay) {
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> breakIt;
    };
    auto set = [](int offset, int32_t v) { return [=](std::vector<uint8_t>& s) { StoreLE32(&s[offset], v); }; };
    const Case cases[] = {
        {"N = 9", set(76, 9)},           {"N = 0", set(76, 0)},         {"N = 2", set(76, 2)},
        {"N = -1", set(76, -1)},         {"K = 1", set(80, 1)},         {"K = 6", set(80, 6)},
        {"type = 7", set(0, 7)},         {"type = -1", set(0, -1)},     {"mode = 5", set(8, 5)},
        {"mode = -2", set(8, -2)},       {"frozen = 2", set(4, 2)},     {"moves < 0", set(84, -1)},
        {"total < 0", set(88, -5)},      {"level < 0", set(92, -1)},    {"level 15 unfrozen", set(92, 15)},
        {"level 16 frozen", [](std::vector<uint8_t>& s) { StoreLE32(&s[92], 16); StoreLE32(&s[4], 1); }},
        {"level 1 in Single", [](std::vector<uint8_t>& s) { StoreLE32(&s[8], GAME_SINGLE); StoreLE32(&s[92], 1); }},
        {"level 1 in Random, frozen",
         [](std::vector<uint8_t>& s) { StoreLE32(&s[8], GAME_RANDOM); StoreLE32(&s[92], 1); StoreLE32(&s[4], 1); }},
        {"a cell at K", [](std::vector<uint8_t>& s) { s[12 + 3 * 8 + 3] = 3; }},
        {"a cell at 255", [](std::vector<uint8_t>& s) { s[12] = 255; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = SoundState();
        c.breakIt(bytes);
        auto g = Load(bytes);
        ExpectBoardDefaults(*g);
        EXPECT_EQ(g->m_nRecord[0], 40);
        EXPECT_EQ(g->m_nRecord[1], NO_RECORD);
        EXPECT_EQ(g->m_nRecord[2], 123);
        g->NewGame();  // never loops, never indexes past the board
        EXPECT_FALSE(g->IsBoardSolved());
    }
}

TEST_F(GameStateTest, AFinishedSeriesMayRestAtItsLastLevelOnlyFrozen) {
    std::vector<uint8_t> bytes = SoundState();
    StoreLE32(&bytes[92], 15);
    StoreLE32(&bytes[4], 1);
    auto g = Load(bytes);
    EXPECT_EQ(g->m_nLevel, 15);
    EXPECT_TRUE(g->m_bFrozen);
    int before = g->m_nTotal;
    g->Press(0, 0);
    EXPECT_EQ(g->m_nTotal, before) << "a restored frozen state counts nothing";
}

TEST_F(GameStateTest, RecordsOutsideOneToTheNoRecordValueAreReset) {
    std::vector<uint8_t> bytes = SoundState();
    StoreLE32(&bytes[96], 0);
    StoreLE32(&bytes[100], 1000000);
    StoreLE32(&bytes[104], 1);
    auto g = Load(bytes);
    EXPECT_EQ(g->m_nRecord[0], NO_RECORD);
    EXPECT_EQ(g->m_nRecord[1], NO_RECORD);
    EXPECT_EQ(g->m_nRecord[2], 1);
    EXPECT_EQ(g->m_nMode, GAME_HARD) << "records are checked one by one, apart from the board";

    StoreLE32(&bytes[96], -7);
    g = Load(bytes);
    EXPECT_EQ(g->m_nRecord[0], NO_RECORD);
}

TEST_F(GameStateTest, BytesOutsideTheSquareAreZeroedOnLoad) {
    std::vector<uint8_t> bytes = SoundState();
    bytes[12 + 5 * 8 + 5] = 9;  // outside the 4 x 4 square, and above K
    bytes[12 + 0 * 8 + 4] = 1;
    auto g = Load(bytes);
    EXPECT_EQ(g->m_nMode, GAME_HARD);
    EXPECT_EQ(g->m_Board[5 * 8 + 5], 0);
    EXPECT_EQ(g->m_Board[0 * 8 + 4], 0);
    EXPECT_EQ(g->m_Board[2 * 8 + 1], (2 + 2 * 1) % 3) << "cells inside stay";
}

TEST_F(GameStateTest, AFirstStartCreatesTheValueAtItsFirstSave) {
    CPuzzleGame g;
    EXPECT_FALSE(FileExists(StatePath()));
    EXPECT_TRUE(g.SaveState());
    std::vector<uint8_t> bytes = ReadBytes(StatePath());
    ASSERT_EQ(bytes.size(), 108u);
    EXPECT_EQ(LoadLE32(&bytes[8]), GAME_EASY);
    EXPECT_EQ(LoadLE32(&bytes[104]), NO_RECORD);
}

}  // namespace
