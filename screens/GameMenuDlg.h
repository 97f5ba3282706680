// CGameMenuDlg: the game's main menu, whose "Help" entry opens the help page instead of ending.
#pragma once

#include "screens/QorMenuDlg.h"

// What the menu ends with.
constexpr int MENU_CLOSED = 0;
constexpr int MENU_RESUME = 1;
constexpr int MENU_NEW_GAME = 2;
constexpr int MENU_OPTIONS = 3;
constexpr int MENU_QUIT = 5;
// The page "Help" opens, beside the program.
constexpr wchar_t HELP_FILE_NAME[] = L"Vokamer.htm";

class CGameMenuDlg : public CQorMenuDlg {
public:
    ~CGameMenuDlg() override;

    // "Help" opens the help page and the menu stays; the other entries end it with their number.
    int OnUserMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};
