// CPuzzleGame's saved form: 108 bytes, little-endian, checked before anything reaches the board.
#include <cstring>

#include "engine/PuzzleGame.h"
#include "framework/ByteOrder.h"
#include "framework/Settings.h"

namespace {

// Offsets of the saved form.
constexpr int kType = 0;
constexpr int kFrozen = 4;
constexpr int kMode = 8;
constexpr int kBoard = 12;
constexpr int kSize = 76;
constexpr int kColors = 80;
constexpr int kMoves = 84;
constexpr int kTotal = 88;
constexpr int kLevel = 92;
constexpr int kRecords = 96;

int LevelCountOf(int mode) {
    switch (mode) {
        case GAME_EASY:
        case GAME_NORMAL: return 5;
        case GAME_HARD: return 15;
        default: return 1;
    }
}

// The rules every board the engine holds keeps. A series may rest at its last level + 1 only in
// its finished (frozen) state; the single-puzzle modes have level 0 only.
bool BoardPartValid(const BYTE* s) {
    int type = LoadLE32(s + kType), frozen = LoadLE32(s + kFrozen), mode = LoadLE32(s + kMode);
    int n = LoadLE32(s + kSize), k = LoadLE32(s + kColors);
    int moves = LoadLE32(s + kMoves), total = LoadLE32(s + kTotal), level = LoadLE32(s + kLevel);
    if (n < 3 || n > 8 || k < 2 || k > 5 || type < 0 || type > 4 || mode < 0 || mode > 4) return false;
    if (frozen != 0 && frozen != 1) return false;
    if (moves < 0 || total < 0 || level < 0) return false;
    bool series = mode == GAME_EASY || mode == GAME_NORMAL || mode == GAME_HARD;
    int count = LevelCountOf(mode);
    if (!series && level != 0) return false;
    if (series && (level > count || (level == count && !frozen))) return false;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (s[kBoard + x * 8 + y] >= k) return false;
    return true;
}

}  // namespace

void CPuzzleGame::PackState(BYTE (&out)[GAME_STATE_SIZE]) const {
    StoreLE32(out + kType, m_nType);
    StoreLE32(out + kFrozen, m_bFrozen);
    StoreLE32(out + kMode, m_nMode);
    std::memcpy(out + kBoard, m_Board, sizeof m_Board);
    StoreLE32(out + kSize, m_nSize);
    StoreLE32(out + kColors, m_nColors);
    StoreLE32(out + kMoves, m_nMoves);
    StoreLE32(out + kTotal, m_nTotal);
    StoreLE32(out + kLevel, m_nLevel);
    for (int i = 0; i < 3; ++i) StoreLE32(out + kRecords + 4 * i, m_nRecord[i]);
}

BOOL CPuzzleGame::UnpackState(const BYTE* s, size_t size) {
    if (!s || size != GAME_STATE_SIZE) return FALSE;
    if (BoardPartValid(s)) {
        m_nType = LoadLE32(s + kType);
        m_bFrozen = LoadLE32(s + kFrozen);
        m_nMode = LoadLE32(s + kMode);
        m_nSize = LoadLE32(s + kSize);
        m_nColors = LoadLE32(s + kColors);
        m_nMoves = LoadLE32(s + kMoves);
        m_nTotal = LoadLE32(s + kTotal);
        m_nLevel = LoadLE32(s + kLevel);
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                m_Board[x * 8 + y] = (x < m_nSize && y < m_nSize) ? s[kBoard + x * 8 + y] : 0;
    } else {
        HWND owner = m_hWndOwner;
        SetDefaults();
        m_hWndOwner = owner;
    }
    for (int i = 0; i < 3; ++i) {
        int32_t r = LoadLE32(s + kRecords + 4 * i);
        m_nRecord[i] = (r >= 1 && r <= NO_RECORD) ? r : NO_RECORD;
    }
    return TRUE;
}

BOOL CPuzzleGame::LoadState() {
    BYTE buffer[GAME_STATE_SIZE];
    DWORD size = sizeof buffer;
    if (!RegReadBinary(TINTARO_REG_KEY, GAME_STATE_VALUE, buffer, &size)) return FALSE;
    return UnpackState(buffer, size);
}

BOOL CPuzzleGame::SaveState() const {
    BYTE buffer[GAME_STATE_SIZE];
    PackState(buffer);
    return RegWriteBinary(TINTARO_REG_KEY, GAME_STATE_VALUE, buffer, sizeof buffer);
}
