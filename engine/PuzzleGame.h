// CPuzzleGame: the board, the press patterns, the game modes and series, records, the saved form.
#pragma once

#include "platform/Types.h"

// Game modes (m_nMode).
constexpr int GAME_SINGLE = 0;
constexpr int GAME_EASY = 1;
constexpr int GAME_NORMAL = 2;
constexpr int GAME_HARD = 3;
constexpr int GAME_RANDOM = 4;

// Press patterns (m_nType).
constexpr int TYPE_NORMAL = 0;
constexpr int TYPE_NOCENTER = 1;
constexpr int TYPE_X = 2;
constexpr int TYPE_CORNERS = 3;
constexpr int TYPE_DOUBLECENTER = 4;

constexpr int NO_RECORD = 999999;

// The engine's notifications to its owner window; both parameters are 0.
constexpr UINT WM_GAME_MOVED = WM_USER + 200;     // sent after every counted press
constexpr UINT WM_GAME_COMPLETE = WM_USER + 201;  // posted: a single puzzle or a whole series is finished
constexpr UINT WM_GAME_NEXTLEVEL = WM_USER + 202; // posted: the next series level is set up

// Where the game keeps its settings, and the saved game's value there.
constexpr wchar_t TINTARO_REG_KEY[] = L"SOFTWARE\\Qor\\Tintaro";
constexpr wchar_t GAME_STATE_VALUE[] = L"GameState";
constexpr int GAME_STATE_SIZE = 108;

class CPuzzleGame {
public:
    // The defaults (Easy, 3 x 3, 2 colours, pattern 0, records unset), the random seed from the
    // tick count, then the saved game if there is a sound one.
    CPuzzleGame();

    BOOL AdvanceCell(int x, int y);
    // Positions off the board give 0.
    int GetCell(int x, int y) const;
    BOOL IsBoardSolved() const;
    BOOL Press(int x, int y);
    void Scramble();
    void SetSize(int n);

    void SetupLevel();
    void NewGame();
    void NextLevel();
    void UpdateRecord();
    int GetRecord() const;
    int GetLevelCount() const;

    // TRUE when a stored game was read and applied (repaired where it broke the rules).
    BOOL LoadState();
    BOOL SaveState() const;

    // The saved form, byte by byte, little-endian.
    void PackState(BYTE (&out)[GAME_STATE_SIZE]) const;
    // Applies exactly GAME_STATE_SIZE bytes; any other size changes nothing and gives FALSE.
    // A board part that breaks the rules is replaced by the defaults; records outside
    // 1..999999 become 999999; bytes outside the N x N square become 0.
    BOOL UnpackState(const BYTE* data, size_t size);

    // The game window and its dialogs read and set these directly.
    int32_t m_nType;
    BOOL m_bFrozen;
    int32_t m_nMode;
    BYTE m_Board[64];  // cell (x, y) is byte x * 8 + y
    HWND m_hWndOwner;
    int32_t m_nSize;
    int32_t m_nColors;
    int32_t m_nMoves;
    int32_t m_nTotal;
    int32_t m_nLevel;
    int32_t m_nRecord[3];

private:
    void SetDefaults();
    bool OnBoard(int x, int y) const;
    bool SettingsValid() const;
    void ClearBoard();
    void Complete();
};
