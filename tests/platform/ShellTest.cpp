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
#include "tests/support/PlatformFixture.h"

namespace {

class ShellTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        instance = platform::RegisterModule(TintaroResources());
    }

    HWND MakeBar(HWND parent, UINT id) {
        SOFTKEYBARINFO info{sizeof(SOFTKEYBARINFO), parent, 0, id, instance, 0, 0, nullptr, 0};
        EXPECT_TRUE(ShellCreateSoftKeyBar(&info));
        return info.hwndBar;
    }

    static std::vector<RecordingWindow::Entry> Of(const RecordingWindow& w, UINT message) {
        std::vector<RecordingWindow::Entry> out;
        for (const auto& e : w.Entries())
            if (e.message == message) out.push_back(e);
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
    EXPECT_EQ(rc.top, 20);
    EXPECT_EQ(rc.bottom, 200);
    EXPECT_EQ(rc.right, 176);
    ASSERT_EQ(Of(w, WM_SIZE).size(), 1u);
    EXPECT_EQ(Of(w, WM_SIZE)[0].lParam, MAKELPARAM(176, 180));

    ShellInitDialog(&init);
    EXPECT_EQ(Of(w, WM_SIZE).size(), 2u) << "a size message even when the size stays";
    SHELLDLGINIT done{SHELL_DLG_FLAGS, w.hwnd(), SHELL_DLG_DONEBUTTON};
    ShellInitDialog(&done);
    EXPECT_EQ(Of(w, WM_SIZE).size(), 2u) << "without the full-screen flag nothing moves";
    SHELLDLGINIT bad{SHELL_DLG_FLAGS, nullptr, SHELL_DLG_FULLSCREEN};
    EXPECT_FALSE(ShellInitDialog(&bad));
}

TEST_F(ShellTest, SoftKeysSendTheirCommandsWhenReleased) {
    RecordingWindow w(/*visible=*/true);
    HWND bar = MakeBar(w.hwnd(), 131);
    ASSERT_NE(bar, nullptr);
    auto labels = platform::SoftKeyLabelsOf(w.hwnd());
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, L"Save");
    EXPECT_EQ(labels[1].text, L"Cancel");

    backend.Script(platform::InputEvent{platform::InputType::KeyDown, VK_F1, 0, 0, 0, false});
    RecordingWindow::DrainQueue();
    EXPECT_TRUE(w.Messages().empty()) << "nothing on the press";
    backend.Script(platform::InputEvent{platform::InputType::KeyUp, VK_F1, 0, 0, 0, false});
    backend.ScriptKey(VK_F2);
    RecordingWindow::DrainQueue();
    auto commands = Of(w, WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].wParam, 32791u);
    EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(commands[1].wParam, 32790u);
    EXPECT_EQ(w.Messages().size(), 2u) << "F1 and F2 never arrive as keys";
}

TEST_F(ShellTest, AKeyTheBarDoesNotHaveStaysAKey) {
    RecordingWindow w(/*visible=*/true);
    MakeBar(w.hwnd(), 133);
    backend.ScriptKey(VK_F2);
    backend.ScriptKey(VK_F1);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(w.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP, WM_COMMAND}));
    EXPECT_EQ(Of(w, WM_COMMAND)[0].wParam, 32792u);
}

TEST_F(ShellTest, TapsOnTheBarPressItsHalves) {
    RecordingWindow w(/*visible=*/true);
    MakeBar(w.hwnd(), 131);
    backend.ScriptTap(200, 310);  // right half
    backend.Script(platform::InputEvent{platform::InputType::MouseDown, 0, 0, 10, 300, false});
    backend.Script(platform::InputEvent{platform::InputType::MouseUp, 0, 0, 200, 300, false});  // slid off
    RecordingWindow::DrainQueue();
    auto commands = Of(w, WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 32790u);
    EXPECT_EQ(w.Messages().size(), 1u) << "the window never sees taps on the bar";
}

TEST_F(ShellTest, TheBarBelongsToTheFrontWindowAndGoesWithIt) {
    RecordingWindow game(/*visible=*/true);
    MakeBar(game.hwnd(), 133);
    auto* menu = new RecordingWindow(WS_VISIBLE, game.hwnd(), RECT{0, 26, 240, 294});
    HWND menuBar = MakeBar(menu->hwnd(), 8);
    EnableWindow(game.hwnd(), FALSE);
    EXPECT_EQ(platform::SoftKeyLabelsOf(menu->hwnd())[0].text, L"Quit");
    backend.ScriptKey(VK_F1);
    RecordingWindow::DrainQueue();
    ASSERT_EQ(Of(*menu, WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(*menu, WM_COMMAND)[0].wParam, 32795u);
    EXPECT_TRUE(Of(game, WM_COMMAND).empty());

    delete menu;
    EXPECT_FALSE(IsWindow(menuBar)) << "a bar goes with its window";
    EnableWindow(game.hwnd(), TRUE);
    backend.ScriptKey(VK_F1);
    RecordingWindow::DrainQueue();
    ASSERT_EQ(Of(game, WM_COMMAND).size(), 1u);
    EXPECT_EQ(Of(game, WM_COMMAND)[0].wParam, 32792u);

    HWND first = platform::SoftKeyLabelsOf(game.hwnd()).empty() ? nullptr : game.hwnd();
    ASSERT_NE(first, nullptr);
    HWND again = MakeBar(game.hwnd(), 131);
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(platform::SoftKeyLabelsOf(game.hwnd()).size(), 2u) << "a new bar replaces the old one";
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
    auto hot = Of(w, WM_HOTKEY);
    ASSERT_EQ(w.Messages(), (std::vector<UINT>{WM_HOTKEY, WM_HOTKEY}));
    EXPECT_EQ(hot[0].lParam, 0x001B0000);
    EXPECT_EQ(hot[1].lParam, 0x001B1000);

    w.Clear();
    SendMessageW(bar, 0x593, 0x1B, MAKELPARAM(SHELL_OVERRIDE_NOTIFY, 0));
    backend.ScriptKey(VK_ESCAPE);
    RecordingWindow::DrainQueue();
    EXPECT_TRUE(w.Messages().empty()) << "no default and no notice: Back does nothing";
    EXPECT_EQ(SendMessageW(bar, 0x593, VK_RETURN, 0x30003), FALSE);
}

TEST_F(ShellTest, TheStatusBarContentHidesWhileAFullScreenRequestHolds) {
    RecordingWindow w(/*visible=*/true);
    EXPECT_FALSE(platform::HidesStatusBar(w.hwnd()));
    ShellFullScreen(w.hwnd(), SHELL_FS_HIDETASKBAR);
    EXPECT_TRUE(platform::HidesStatusBar(w.hwnd()));
    ShellFullScreen(w.hwnd(), SHELL_FS_SHOWTASKBAR);
    EXPECT_FALSE(platform::HidesStatusBar(w.hwnd()));
}

TEST_F(ShellTest, TheBarsAreDrawnAboveAndBelowTheWindows) {
    RecordingWindow w(/*visible=*/true);
    HDC dc = GetDC(w.hwnd());
    RECT all{-10, -40, 300, 400};
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FillRect(dc, &all, white);
    ReleaseDC(w.hwnd(), dc);
    EXPECT_EQ(backend.FramePixel(0, 0), 0x0000) << "no shell used yet: nothing drawn";
    MakeBar(w.hwnd(), 133);
    platform::PresentScreen();
    uint16_t bar = backend.FramePixel(0, 0);
    EXPECT_NE(bar, 0x0000);
    EXPECT_NE(bar, 0xFFFF);
    EXPECT_EQ(backend.FramePixel(239, 25), bar);
    EXPECT_EQ(backend.FramePixel(0, 294), bar);
    EXPECT_EQ(backend.FramePixel(239, 319), bar);
    EXPECT_EQ(backend.FramePixel(0, 26), 0xFFFF) << "the window's own pixels between the bars";
    EXPECT_EQ(backend.FramePixel(239, 293), 0xFFFF);
}

}  // namespace
