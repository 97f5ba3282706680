// A null platform offering only what the engine and the helpers below it may call, and a short
// game played on it. Anything else the engine reaches for is missing here, so the link fails.
#include "engine/PuzzleGame.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/Resources.h"

LRESULT SendMessageW(HWND, UINT, WPARAM, LPARAM) { return 0; }
BOOL PostMessageW(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
DWORD GetTickCount() { return 0; }

int LoadStringW(HINSTANCE, UINT, LPWSTR buffer, int size) {
    if (buffer && size > 0) buffer[0] = L'\0';
    return 0;
}

// A store that holds nothing and takes nothing.
LONG RegOpenKeyExW(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY) { return ERROR_FILE_NOT_FOUND; }
LONG RegCreateKeyExW(HKEY, LPCWSTR, DWORD, LPWSTR, DWORD, REGSAM, const void*, PHKEY, LPDWORD) {
    return ERROR_ACCESS_DENIED;
}
LONG RegQueryValueExW(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD) { return ERROR_FILE_NOT_FOUND; }
LONG RegSetValueExW(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }
LONG RegFlushKey(HKEY) { return ERROR_ACCESS_DENIED; }
LONG RegCloseKey(HKEY) { return ERROR_SUCCESS; }

int main() {
    CPuzzleGame game;
    game.NewGame();
    const bool playable = !game.IsBoardSolved() && game.Press(0, 0) && game.m_nMoves >= 0;
    return playable && !game.SaveState() ? 0 : 1;
}
