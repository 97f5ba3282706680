// CGameWnd: construction and shut-down, and the window's set-up.
#include "game/GameWnd.h"

#include "framework/Settings.h"
#include "gfx/Draw.h"
#include "gfx/Text.h"
#include "platform/Device.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/SoftKeyBar.h"
#include "platform/Windowing.h"

namespace {

constexpr wchar_t kPlaySoundsValue[] = L"PlaySounds";
constexpr UINT kGameSoftKeys = 133;

}  // namespace

CGameWnd::CGameWnd()
    : m_hFont(nullptr),
      m_bPlaySounds(1),
      m_nLastWidth(0),
      m_nLastHeight(0),
      m_nCursorX(0),
      m_nCursorY(0),
      m_bShowCursor(1),
      m_rcCells{},
      m_rcCounters{},
      m_bOwnsStore(FALSE) {
    // m is the icon width, the unit the game screen's sizes derive from.
    int m = GetSystemMetrics(SM_CXICON);
    m_hFont = MakeFont((4 * m) / 7, FW_BOLD, TRUE, L"Tahoma", 0, 0, FALSE);
    DWORD stored = 0;
    // Whatever nonzero value is stored means on; kept as 1 so every later reader sees a flag.
    if (RegReadDword(TINTARO_REG_KEY, kPlaySoundsValue, &stored)) m_bPlaySounds = stored != 0 ? 1 : 0;
}

CGameWnd::~CGameWnd() {
    DeleteGdiObject(&m_hFont);
    if (m_bOwnsStore) RegWriteDword(TINTARO_REG_KEY, kPlaySoundsValue, static_cast<DWORD>(m_bPlaySounds));
    m_Tiles.Destroy();
    m_Screen.Destroy();
    if (m_bOwnsStore) m_Game.SaveState();
}

int CGameWnd::OnInit(HWND hwnd, WPARAM, LPARAM) {
    SHELLDLGINIT fullScreen{SHELL_DLG_FLAGS, hwnd, SHELL_DLG_FULLSCREEN};
    ShellInitDialog(&fullScreen);
    SOFTKEYBARINFO bar{sizeof(SOFTKEYBARINFO), hwnd, 0, kGameSoftKeys, m_hInst, 0, 0, nullptr, 0};
    ShellCreateSoftKeyBar(&bar);
    InvalidateRect(hwnd, nullptr, FALSE);
    m_Game.m_hWndOwner = hwnd;
    // Without the name's lock another copy may be writing the same settings.
    m_bOwnsStore = platform::HoldsWindowName() ? TRUE : FALSE;
    return 1;
}
