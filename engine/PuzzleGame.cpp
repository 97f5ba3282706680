// CPuzzleGame: presses, scrambling, modes, series tables, level progression, records, and the
// saved form (108 bytes, little-endian, checked before anything reaches the board).
#include "engine/PuzzleGame.h"

#include <cstring>
#include <iterator>

#include "engine/Random.h"
#include "framework/ByteOrder.h"
#include "framework/Settings.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

namespace {

constexpr int kBoardSide = 8;  // m_Board is 8 x 8 whatever N is
constexpr int kScramblePresses = 43;
// The move counters stop where records do.
constexpr int32_t kMaxCount = NO_RECORD;

// One row per table line; the row index is the 0-based level.
constexpr int32_t kEasySize[] = {3, 3, 4, 4, 4};
constexpr int32_t kEasyColors[] = {2, 2, 2, 2, 3};
constexpr int32_t kEasyType[] = {0, 1, 0, 2, 0};

constexpr int32_t kNormalSize[] = {3, 3, 4, 5, 6};
constexpr int32_t kNormalColors[] = {2, 3, 3, 3, 4};

constexpr int32_t kHardSize[] = {3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7};
constexpr int32_t kHardColors[] = {2, 3, 3, 2, 2, 3, 4, 3, 3, 4, 3, 4, 5, 4, 5};
// Level 14 (7 x 7, 4 colours) uses Corners, so the last five levels use each pattern once.
constexpr int32_t kHardType[] = {0, 0, 1, 2, 1, 0, 0, 3, 1, 0, 4, 1, 0, 3, 2};
static_assert(std::size(kEasyColors) == std::size(kEasySize) && std::size(kEasyType) == std::size(kEasySize));
static_assert(std::size(kNormalColors) == std::size(kNormalSize));
static_assert(std::size(kHardColors) == std::size(kHardSize) && std::size(kHardType) == std::size(kHardSize));

bool IsSeries(int mode) { return mode == GAME_EASY || mode == GAME_NORMAL || mode == GAME_HARD; }

// A series has as many levels as its tables have rows; the single-puzzle modes have one.
int LevelCountOf(int mode) {
    switch (mode) {
        case GAME_EASY: return static_cast<int>(std::size(kEasySize));
        case GAME_NORMAL: return static_cast<int>(std::size(kNormalSize));
        case GAME_HARD: return static_cast<int>(std::size(kHardSize));
        default: return 1;
    }
}

struct Offset {
    int dx, dy;
};

// The cells a press advances, in order; {0, 0} twice under Double Center.
constexpr Offset kNormal[] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr Offset kNoCenter[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr Offset kX[] = {{0, 0}, {-1, -1}, {1, 1}, {1, -1}, {-1, 1}};
constexpr Offset kCorners[] = {{-1, -1}, {1, 1}, {1, -1}, {-1, 1}};
constexpr Offset kDoubleCenter[] = {{0, 0}, {0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};

struct Pattern {
    const Offset* cells;
    int count;
};

constexpr Pattern kPatterns[] = {
    {kNormal, 5}, {kNoCenter, 4}, {kX, 5}, {kCorners, 4}, {kDoubleCenter, 6},
};

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

// The rules every board the engine holds keeps. A series may rest at its last level + 1 only in
// its finished (frozen) state; the single-puzzle modes have level 0 only.
bool BoardPartValid(const BYTE* s) {
    int type = LoadLE32(s + kType), frozen = LoadLE32(s + kFrozen), mode = LoadLE32(s + kMode);
    int n = LoadLE32(s + kSize), k = LoadLE32(s + kColors);
    int moves = LoadLE32(s + kMoves), total = LoadLE32(s + kTotal), level = LoadLE32(s + kLevel);
    if (n < 3 || n > 8 || k < 2 || k > 5 || type < 0 || type > 4 || mode < 0 || mode > 4) return false;
    if (frozen != 0 && frozen != 1) return false;
    if (moves < 0 || total < 0 || level < 0 || moves > kMaxCount || total > kMaxCount) return false;
    bool series = IsSeries(mode);
    int count = LevelCountOf(mode);
    if (!series && level != 0) return false;
    if (series && (level > count || (level == count && !frozen))) return false;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (s[kBoard + x * 8 + y] >= k) return false;
    return true;
}

}  // namespace

CPuzzleGame::CPuzzleGame() {
    SetDefaults();
    engine::SeedRandom(GetTickCount());
    LoadState();
}

void CPuzzleGame::SetDefaults() {
    m_nMode = GAME_EASY;
    m_nRecord[0] = m_nRecord[1] = m_nRecord[2] = NO_RECORD;
    m_nSize = 3;
    m_nColors = 2;
    m_nType = TYPE_NORMAL;
    m_bFrozen = FALSE;
    m_hWndOwner = nullptr;
    m_nMoves = m_nTotal = m_nLevel = 0;
    ClearBoard();
}

void CPuzzleGame::ClearBoard() { std::memset(m_Board, 0, sizeof m_Board); }

// N is also checked against the array, so a size set from outside can never index past it.
bool CPuzzleGame::OnBoard(int x, int y) const {
    return x >= 0 && y >= 0 && x < m_nSize && y < m_nSize && m_nSize <= kBoardSide;
}

bool CPuzzleGame::SettingsValid() const {
    return m_nSize >= 3 && m_nSize <= 8 && m_nColors >= 2 && m_nColors <= 5 && m_nType >= 0 && m_nType <= 4;
}

BOOL CPuzzleGame::AdvanceCell(int x, int y) {
    if (!OnBoard(x, y)) return FALSE;
    BYTE& cell = m_Board[x * kBoardSide + y];
    BYTE next = static_cast<BYTE>(cell + 1);
    cell = next >= m_nColors ? 0 : next;
    return TRUE;
}

int CPuzzleGame::GetCell(int x, int y) const { return OnBoard(x, y) ? m_Board[x * kBoardSide + y] : 0; }

BOOL CPuzzleGame::IsBoardSolved() const {
    if (m_nSize < 1) return TRUE;
    int n = m_nSize > kBoardSide ? kBoardSide : m_nSize;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (m_Board[x * kBoardSide + y] != m_Board[0]) return FALSE;
    return TRUE;
}

BOOL CPuzzleGame::Press(int x, int y) {
    if (!OnBoard(x, y)) return FALSE;
    if (m_nType >= 0 && m_nType <= 4) {
        const Pattern& p = kPatterns[m_nType];
        for (int i = 0; i < p.count; ++i) AdvanceCell(x + p.cells[i].dx, y + p.cells[i].dy);
    }
    if (m_bFrozen) return TRUE;
    if (m_nMoves < kMaxCount) ++m_nMoves;
    if (m_nTotal < kMaxCount) ++m_nTotal;
    // The owner plays the sound and repaints with the new counters before the solved test.
    SendMessageW(m_hWndOwner, WM_GAME_MOVED, 0, 0);
    if (!IsBoardSolved()) return TRUE;
    Complete();
    return TRUE;
}

void CPuzzleGame::Complete() {
    switch (m_nMode) {
        case GAME_SINGLE:
        case GAME_RANDOM:
            PostMessageW(m_hWndOwner, WM_GAME_COMPLETE, 0, 0);
            break;
        case GAME_EASY:
        case GAME_NORMAL:
        case GAME_HARD:
            ++m_nLevel;
            if (m_nLevel < GetLevelCount()) {
                // Posted first: it is handled after Press returns, when the new board is ready.
                PostMessageW(m_hWndOwner, WM_GAME_NEXTLEVEL, 0, 0);
                NextLevel();
            } else {
                UpdateRecord();
                PostMessageW(m_hWndOwner, WM_GAME_COMPLETE, 0, 0);
                m_bFrozen = TRUE;
            }
            break;
        default:
            break;
    }
}

void CPuzzleGame::Scramble() {
    // Never scramble under broken rules: an endless loop or a division by zero would follow.
    if (!SettingsValid()) {
        m_nSize = 3;
        m_nColors = 2;
        m_nType = TYPE_NORMAL;
        ClearBoard();
    }
    do {
        for (int i = 0; i < kScramblePresses; ++i) {
            int x = engine::Random() % m_nSize;
            int y = engine::Random() % m_nSize;
            Press(x, y);
        }
    } while (IsBoardSolved());
}

void CPuzzleGame::SetSize(int n) {
    if (n >= 3 && n <= 8) m_nSize = n;
}

void CPuzzleGame::SetupLevel() {
    if (IsSeries(m_nMode) && (m_nLevel < 0 || m_nLevel >= LevelCountOf(m_nMode))) return;
    switch (m_nMode) {
        case GAME_EASY:
            m_nSize = kEasySize[m_nLevel];
            m_nColors = kEasyColors[m_nLevel];
            m_nType = kEasyType[m_nLevel];
            break;
        case GAME_NORMAL:
            m_nType = engine::Random() % 5;
            m_nSize = kNormalSize[m_nLevel];
            m_nColors = kNormalColors[m_nLevel];
            break;
        case GAME_HARD:
            m_nSize = kHardSize[m_nLevel];
            m_nColors = kHardColors[m_nLevel];
            m_nType = kHardType[m_nLevel];
            break;
        case GAME_RANDOM:
            m_nSize = engine::Random() % 6 + 3;
            m_nColors = engine::Random() % 4 + 2;
            m_nType = engine::Random() % 5;
            break;
        default:  // Single and unknown modes keep the player's settings
            break;
    }
    m_nMoves = 0;
}

void CPuzzleGame::NewGame() {
    m_bFrozen = TRUE;
    m_nMoves = m_nTotal = m_nLevel = 0;
    ClearBoard();
    SetupLevel();
    Scramble();
    m_bFrozen = FALSE;
}

void CPuzzleGame::NextLevel() {
    m_bFrozen = TRUE;
    SetupLevel();
    ClearBoard();
    Scramble();
    m_bFrozen = FALSE;
}

void CPuzzleGame::UpdateRecord() {
    if (m_nTotal == 0) return;
    int slot = m_nMode - GAME_EASY;
    if (slot < 0 || slot > 2) return;
    if (m_nTotal < m_nRecord[slot]) m_nRecord[slot] = m_nTotal;
}

int CPuzzleGame::GetRecord() const {
    int slot = m_nMode - GAME_EASY;
    return (slot >= 0 && slot <= 2) ? m_nRecord[slot] : NO_RECORD;
}

int CPuzzleGame::GetLevelCount() const { return LevelCountOf(m_nMode); }

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
