// CPuzzleGame: presses, scrambling, modes, series tables, level progression and records.
#include "engine/PuzzleGame.h"

#include <cstring>

#include "engine/Random.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

namespace {

constexpr int kBoardSide = 8;  // m_Board is 8 x 8 whatever N is
constexpr int kScramblePresses = 43;

// One row per table line; the row index is the 0-based level.
constexpr int32_t kEasySize[5] = {3, 3, 4, 4, 4};
constexpr int32_t kEasyColors[5] = {2, 2, 2, 2, 3};
constexpr int32_t kEasyType[5] = {0, 1, 0, 2, 0};

constexpr int32_t kNormalSize[5] = {3, 3, 4, 5, 6};
constexpr int32_t kNormalColors[5] = {2, 3, 3, 3, 4};

constexpr int32_t kHardSize[15] = {3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7};
constexpr int32_t kHardColors[15] = {2, 3, 3, 2, 2, 3, 4, 3, 3, 4, 3, 4, 5, 4, 5};
// Level 14 (7 x 7, 4 colours) uses Corners, so the last five levels use each pattern once.
constexpr int32_t kHardType[15] = {0, 0, 1, 2, 1, 0, 0, 3, 1, 0, 4, 1, 0, 3, 2};

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
    ++m_nMoves;
    ++m_nTotal;
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
    switch (m_nMode) {
        case GAME_EASY:
            if (m_nLevel < 0 || m_nLevel > 4) return;
            m_nSize = kEasySize[m_nLevel];
            m_nColors = kEasyColors[m_nLevel];
            m_nType = kEasyType[m_nLevel];
            break;
        case GAME_NORMAL:
            if (m_nLevel < 0 || m_nLevel > 4) return;
            m_nType = engine::Random() % 5;
            m_nSize = kNormalSize[m_nLevel];
            m_nColors = kNormalColors[m_nLevel];
            break;
        case GAME_HARD:
            if (m_nLevel < 0 || m_nLevel > 14) return;
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

int CPuzzleGame::GetLevelCount() const {
    switch (m_nMode) {
        case GAME_EASY:
        case GAME_NORMAL: return 5;
        case GAME_HARD: return 15;
        default: return 1;
    }
}
