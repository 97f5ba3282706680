// The game's menu entries: four end the menu, "Help" opens the page and keeps it.
#include "screens/GameMenuDlg.h"

#include "platform/Dialogs.h"
#include "screens/HelpFile.h"

namespace {

constexpr UINT kHelpEntry = WM_MENU_ENTRY + 3;

}  // namespace

CGameMenuDlg::~CGameMenuDlg() = default;

int CGameMenuDlg::OnUserMessage(HWND hwnd, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_MENU_ENTRY: EndDialog(hwnd, MENU_RESUME); return 1;
        case WM_MENU_ENTRY + 1: EndDialog(hwnd, MENU_NEW_GAME); return 1;
        case WM_MENU_ENTRY + 2: EndDialog(hwnd, MENU_OPTIONS); return 1;
        case kHelpEntry: OpenHelpFile(HELP_FILE_NAME); return 1;
        case WM_MENU_ENTRY + 4: EndDialog(hwnd, MENU_QUIT); return 1;
        default: return 0;
    }
}
