// The saved game: exact bytes, round trips through the settings store, and repair of bad values.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>

#include "engine/PuzzleGame.h"
#include "framework/ByteOrder.h"
#include "tests/support/PlatformFixture.h"

namespace {

class GameStateTest : public PlatformTest {
protected:
    std::string StatePath() const { return GameValuePath("GameState"); }

    // Mid-way through a Hard series: level 6 (0-based 5), 4 x 4, 3 colours, the counters at their ceiling.
    static std::vector<uint8_t> SoundState() {
        std::vector<uint8_t> s(108, 0);
        const int32_t values[] = {TYPE_NORMAL, 0, GAME_HARD, 4, 3, NO_RECORD, NO_RECORD, 5, 40, NO_RECORD, 123};
        for (int i = 0; i < 11; ++i) StoreLE32(&s[i < 3 ? 4 * i : 64 + 4 * i], values[i]);
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 4; ++y) s[12 + x * 8 + y] = static_cast<uint8_t>((x + 2 * y) % 3);
        return s;
    }

    std::unique_ptr<CPuzzleGame> Load(const std::vector<uint8_t>& bytes) {
        return WriteBytes(StatePath(), bytes), std::make_unique<CPuzzleGame>();
    }

    static void ExpectBoardDefaults(const CPuzzleGame& g) {
        EXPECT_EQ(std::tuple(g.m_nMode, g.m_nSize, g.m_nColors, g.m_nType, g.m_bFrozen, g.m_nMoves + g.m_nTotal + g.m_nLevel),
                  std::tuple(int(GAME_EASY), 3, 2, int(TYPE_NORMAL), FALSE, 0));
        EXPECT_EQ(std::count(std::begin(g.m_Board), std::end(g.m_Board), 0), 64);
    }
};

TEST_F(GameStateTest, TheBytesSitAtTheirOffsetsLittleEndian) {
    CPuzzleGame g;
    std::tie(g.m_nType, g.m_bFrozen, g.m_nMode, g.m_nSize, g.m_nColors, g.m_nMoves, g.m_nTotal, g.m_nLevel) =
        std::tuple(TYPE_CORNERS, TRUE, GAME_NORMAL, 3, 4, 0x0102, 0x01020304, 4);
    std::tie(g.m_nRecord[0], g.m_nRecord[1], g.m_nRecord[2]) = std::tuple(999999, 17, 256);
    std::tie(g.m_Board[0 * 8 + 0], g.m_Board[1 * 8 + 2], g.m_Board[2 * 8 + 1]) = std::tuple(1, 2, 3);
    BYTE s[GAME_STATE_SIZE];
    g.PackState(s);
    const BYTE expectHead[12] = {3, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_EQ(0, memcmp(s, expectHead, 12));
    EXPECT_EQ(std::tuple(s[12], s[22], s[29]), std::tuple(1, 2, 3)) << "cell (x, y) is the byte at 12 + x * 8 + y";
    const BYTE expectTail[] = {3, 0, 0, 0,  4, 0, 0, 0,  0x02, 0x01, 0, 0,  4, 3, 2, 1, 4, 0, 0, 0,
                               0x3F, 0x42, 0x0F, 0, 17, 0, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(0, memcmp(s + 76, expectTail, sizeof expectTail));
}

TEST_F(GameStateTest, NothingSavedGivesTheDefaultsAndASavedGameComesBackByteForByte) {
    EXPECT_FALSE(FileExists(StatePath()));
    ExpectBoardDefaults(CPuzzleGame());  // nothing is scrambled at construction
    auto first = Load(SoundState());
    EXPECT_EQ(std::tuple(first->m_nMode, first->m_nLevel, first->m_nMoves, first->m_nRecord[0]),
              std::tuple(GAME_HARD, 5, NO_RECORD, 40));
    first->Press(1, 1);  // a change the file does not hold yet
    ASSERT_TRUE(first->SaveState());
    CPuzzleGame second;
    BYTE a[GAME_STATE_SIZE], b[GAME_STATE_SIZE];
    first->PackState(a);
    second.PackState(b);
    EXPECT_EQ(0, memcmp(a, b, GAME_STATE_SIZE));
    EXPECT_EQ(second.m_hWndOwner, nullptr) << "the owner is never part of the saved form";
}

// Each broken board part gives its defaults and keeps the valid records; a value of another length keeps
// no record. Records are checked one by one, apart from the board.
TEST_F(GameStateTest, ABrokenBoardPartOrLengthGivesTheDefaultsAndEachRecordIsCheckedOnItsOwn) {
    auto set = [](std::vector<std::pair<int, int32_t>> values) {
        return [=](std::vector<uint8_t>& s) { for (auto [offset, v] : values) StoreLE32(&s[offset], v); };
    };
    const std::pair<const char*, std::function<void(std::vector<uint8_t>&)>> cases[] = {
        {"N = 9", set({{76, 9}})}, {"N = 0", set({{76, 0}})}, {"N = 2", set({{76, 2}})}, {"N = -1", set({{76, -1}})},
        {"K = 1", set({{80, 1}})}, {"K = 6", set({{80, 6}})}, {"type = 7", set({{0, 7}})}, {"type = -1", set({{0, -1}})},
        {"mode = 5", set({{8, 5}})}, {"mode = -2", set({{8, -2}})}, {"frozen = 2", set({{4, 2}})}, {"moves < 0", set({{84, -1}})},
        {"total < 0", set({{88, -5}})}, {"level < 0", set({{92, -1}})}, {"level 15 unfrozen", set({{92, 15}})},
        {"moves > 999999", set({{84, NO_RECORD + 1}})}, {"total = 2^31 - 1", set({{88, INT32_MAX}})},
        {"level 16 frozen", set({{92, 16}, {4, 1}})}, {"level 1 in Single", set({{8, GAME_SINGLE}, {92, 1}})},
        {"level 1 in Random, frozen", set({{8, GAME_RANDOM}, {92, 1}, {4, 1}})},
        {"a cell at K", [](auto& s) { s[12 + 3 * 8 + 3] = 3; }}, {"a cell at 255", [](auto& s) { s[12] = 255; }},
        {"107 bytes", [](auto& s) { s.resize(107); }}, {"109 bytes", [](auto& s) { s.resize(109); }},
        {"0 bytes", [](auto& s) { s.clear(); }}, {"4 bytes", [](auto& s) { s.resize(4); }},
    };
    for (const auto& [what, breakIt] : cases) {
        SCOPED_TRACE(what);
        std::vector<uint8_t> bytes = SoundState();
        breakIt(bytes);
        auto g = Load(bytes);
        ExpectBoardDefaults(*g);
        const bool whole = bytes.size() == 108;
        EXPECT_EQ(std::tuple(g->m_nRecord[0], g->m_nRecord[1], g->m_nRecord[2]),
                  std::tuple(whole ? 40 : NO_RECORD, NO_RECORD, whole ? 123 : NO_RECORD));
        g->NewGame();  // never loops, never indexes past the board
        EXPECT_FALSE(g->IsBoardSolved());
    }
    for (auto [record, kept] : {std::pair{0, NO_RECORD}, {-7, NO_RECORD}, {1000000, NO_RECORD}, {1, 1}}) {
        std::vector<uint8_t> bytes = SoundState();
        StoreLE32(&bytes[100], record);
        auto g = Load(bytes);
        EXPECT_EQ(std::tuple(g->m_nRecord[1], g->m_nMode, g->m_nRecord[2]), std::tuple(kept, GAME_HARD, 123)) << record;
    }
}

TEST_F(GameStateTest, AFinishedSeriesRestsAtItsLastLevelOnlyFrozenAndBytesOutsideTheSquareAreZeroed) {
    std::vector<uint8_t> bytes = SoundState();
    // Total 61, below the ceiling so that a counted press would show; level 15, frozen.
    for (auto [offset, v] : {std::pair{88, 61}, {92, 15}, {4, 1}}) StoreLE32(&bytes[offset], v);
    bytes[12 + 5 * 8 + 5] = 9;  // outside the 4 x 4 square, and above K
    bytes[12 + 0 * 8 + 4] = 1;
    auto g = Load(bytes);
    EXPECT_EQ(std::tuple(g->m_nLevel, g->m_bFrozen, g->m_Board[5 * 8 + 5], g->m_Board[0 * 8 + 4]), std::tuple(15, TRUE, 0, 0));
    EXPECT_EQ(g->m_Board[2 * 8 + 1], (2 + 2 * 1) % 3) << "cells inside stay";
    const int before = g->m_nTotal;
    g->Press(0, 0);
    EXPECT_EQ(g->m_nTotal, before) << "a restored frozen state counts nothing";
}

}  // namespace
