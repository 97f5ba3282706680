// The shell: full-screen set-up, soft-key bars and their keys and taps, the Back override, the bars.
#include <gtest/gtest.h>

#include "platform/Device.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Gdi.h"
#include "platform/Shell.h"
#include "platform/SoftKeyBar.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::InputType;

class ShellTest : public PlatformTest {
protected:
    void SetUp() override { PlatformTest::SetUp(); instance = platform::RegisterModule(TintaroResources()); }
    HWND MakeBar(HWND parent, UINT id) {
        SOFTKEYBARINFO info{sizeof(SOFTKEYBARINFO), parent, 0, id, instance, 0, 0, nullptr, 0};
        EXPECT_TRUE(ShellCreateSoftKeyBar(&info));
        return info.hwndBar;
    }
    static std::vector<WPARAM> Commands(const RecordingWindow& w) {
        std::vector<WPARAM> out;
        for (const auto& e : w.Of(WM_COMMAND)) out.push_back(e.wParam);
        return out;
    }
    HINSTANCE instance = nullptr;
};

TEST_F(ShellTest, FullScreenSetUpFillsTheAreaBetweenTheBarsAndSendsSizeAtOnce) {
    platform::SelectDeviceProfile(176, 220);
    RecordingWindow w(WS_VISIBLE, nullptr, RECT{0, 0, 100, 100});
    w.Clear();
    SHELLDLGINIT init{SHELL_DLG_FLAGS, w.hwnd(), SHELL_DLG_FULLSCREEN};
    ASSERT_TRUE(ShellInitDialog(&init));
    RECT rc;
    GetWindowRect(w.hwnd(), &rc);
    EXPECT_EQ(rc, (RECT{0, 20, 176, 200}));
    ASSERT_EQ(w.Of(WM_SIZE).size(), 1u);
    EXPECT_EQ(w.Of(WM_SIZE)[0].lParam, MAKELPARAM(176, 180));
    ShellInitDialog(&init);  // a size message even when the size stays
    SHELLDLGINIT done{SHELL_DLG_FLAGS, w.hwnd(), SHELL_DLG_DONEBUTTON}, bad{SHELL_DLG_FLAGS, nullptr, SHELL_DLG_FULLSCREEN};
    ShellInitDialog(&done);  // without the full-screen flag nothing moves
    EXPECT_EQ(w.Of(WM_SIZE).size(), 2u);
    EXPECT_FALSE(ShellInitDialog(&bad));
}

TEST_F(ShellTest, SoftKeysAndTapsOnTheBarOfTheFrontWindowSendTheirCommandsWhenReleased) {
    RecordingWindow w(/*visible=*/true);
    HWND bar = MakeBar(w.hwnd(), 131);
    auto labels = platform::SoftKeyLabelsOf(w.hwnd());
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_TRUE(labels[0].text == L"Save" && labels[1].text == L"Cancel");
    ScriptKeyEvent(InputType::KeyDown, VK_F1);
    RecordingWindow::DrainQueue();
    EXPECT_TRUE(w.Messages().empty()) << "nothing on the press";
    ScriptKeyEvent(InputType::KeyUp, VK_F1);
    backend.ScriptKey(VK_F2);
    backend.ScriptTap(200, 310);  // right half
    ScriptStylusEvent(InputType::MouseDown, 10, 300);
    ScriptStylusEvent(InputType::MouseUp, 200, 300);  // slid off
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Commands(w), (std::vector<WPARAM>{32791, 32790, 32790}));
    EXPECT_EQ(w.Of(WM_COMMAND)[0].lParam, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(w.Messages().size(), 3u) << "neither the keys nor the taps arrive themselves";
    w.Clear();
    MakeBar(w.hwnd(), 133);  // a new bar replaces the old one; it has no right soft key
    backend.ScriptKey(VK_F2);
    backend.ScriptKey(VK_F1);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(w.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP, WM_COMMAND}));
    EXPECT_EQ(Commands(w), std::vector<WPARAM>{32792});
    // The bar belongs to the front window and goes with it.
    auto* menu = new RecordingWindow(WS_VISIBLE, w.hwnd(), RECT{0, 26, 240, 294});
    HWND menuBar = MakeBar(menu->hwnd(), 8);
    EnableWindow(w.hwnd(), FALSE);
    backend.ScriptKey(VK_F1);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Commands(*menu), std::vector<WPARAM>{32795});
    delete menu;
    EXPECT_FALSE(IsWindow(menuBar));
    EnableWindow(w.hwnd(), TRUE);
    backend.ScriptKey(VK_F1);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Commands(w), (std::vector<WPARAM>{32792, 32792})) << "none while the menu was in front";
}

TEST_F(ShellTest, BackIsAKeyUntilOverriddenThenAHotKeyOnPressAndRelease) {
    RecordingWindow w(/*visible=*/true);
    HWND bar = MakeBar(w.hwnd(), 8);
    backend.ScriptKey(VK_ESCAPE);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(w.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
    w.Clear();
    EXPECT_EQ(SendMessageW(bar, 0x593, 0x1B, 0x30003), TRUE);
    backend.ScriptKey(VK_ESCAPE);
    RecordingWindow::DrainQueue();
    ASSERT_EQ(w.Messages(), (std::vector<UINT>{WM_HOTKEY, WM_HOTKEY}));
    EXPECT_TRUE(w.Entries()[0].lParam == 0x001B0000 && w.Entries()[1].lParam == 0x001B1000) << "press, then release";
    w.Clear();
    SendMessageW(bar, 0x593, 0x1B, MAKELPARAM(SHELL_OVERRIDE_NOTIFY, 0));
    backend.ScriptKey(VK_ESCAPE);
    RecordingWindow::DrainQueue();
    EXPECT_TRUE(w.Messages().empty()) << "no default and no notice: Back does nothing";
    EXPECT_EQ(SendMessageW(bar, 0x593, VK_RETURN, 0x30003), FALSE);
}

TEST_F(ShellTest, TheBarsAreDrawnAboveAndBelowTheWindowsAndTheStatusBarContentCanHide) {
    RecordingWindow w(/*visible=*/true);
    HDC dc = GetDC(w.hwnd());
    FillColour(dc, RECT{-10, -40, 300, 400}, 0xFFFFFF);
    ReleaseDC(w.hwnd(), dc);
    EXPECT_EQ(backend.FramePixel(0, 0), 0x0000) << "no shell used yet: nothing drawn";
    MakeBar(w.hwnd(), 133);
    platform::PresentScreen();
    const uint16_t bar = backend.FramePixel(0, 0);
    EXPECT_TRUE(bar != 0x0000 && bar != 0xFFFF);
    for (POINT p : {POINT{239, 25}, POINT{0, 294}, POINT{239, 319}}) EXPECT_EQ(backend.FramePixel(p.x, p.y), bar);
    EXPECT_TRUE(backend.FramePixel(0, 26) == 0xFFFF && backend.FramePixel(239, 293) == 0xFFFF) << "the window's own pixels";
    EXPECT_FALSE(platform::HidesStatusBar(w.hwnd()));
    for (DWORD state : {SHELL_FS_HIDETASKBAR, SHELL_FS_SHOWTASKBAR}) {
        ShellFullScreen(w.hwnd(), state);
        EXPECT_EQ(platform::HidesStatusBar(w.hwnd()), state == SHELL_FS_HIDETASKBAR);
    }
}

}  // namespace
