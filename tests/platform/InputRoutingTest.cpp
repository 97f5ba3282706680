// Which window input reaches: focus, the active window over its disabled owner, stylus capture in
// client coordinates, the release of a press that closed a modal window, and close requests.
#include <gtest/gtest.h>

#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::InputType;

class InputRoutingTest : public PlatformTest {
protected:
    void Key(InputType type, UINT vk) {
        ScriptKeyEvent(type, vk);
        RecordingWindow::DrainQueue();
    }
    void Stylus(InputType type, int x, int y) {
        ScriptStylusEvent(type, x, y);
        RecordingWindow::DrainQueue();
    }
};

TEST_F(InputRoutingTest, KeysGoToTheFocusInsideTheActiveWindowElseToIt) {
    RecordingWindow main(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    RecordingWindow child(WS_CHILD | WS_VISIBLE, main.hwnd(), RECT{0, 0, 50, 50});
    Key(InputType::KeyDown, VK_UP);
    EXPECT_EQ(main.Messages(), std::vector<UINT>{WM_KEYDOWN}) << "no focus: the active window";
    SetFocus(child.hwnd());
    main.Clear();
    child.Clear();
    Key(InputType::KeyUp, VK_UP);
    EnableWindow(child.hwnd(), FALSE);
    Key(InputType::KeyDown, VK_DOWN);
    EXPECT_EQ(child.Messages(), std::vector<UINT>{WM_KEYUP}) << "a disabled window takes no input";
    EXPECT_EQ(main.Messages(), std::vector<UINT>{WM_KEYDOWN});
    // An owned window in front of its disabled owner: the focus left on the owner takes no key, and
    // a tap on the owner alone reaches nobody.
    RecordingWindow dialog(WS_VISIBLE, main.hwnd(), RECT{0, 26, 240, 200});
    EnableWindow(main.hwnd(), FALSE);
    SetFocus(main.hwnd());
    main.Clear();
    Key(InputType::KeyDown, VK_RETURN);
    Stylus(InputType::MouseDown, 100, 250);
    Stylus(InputType::MouseUp, 100, 250);
    EXPECT_TRUE(main.Messages().empty());
    EXPECT_EQ(dialog.Messages(), std::vector<UINT>{WM_KEYDOWN});
}

TEST_F(InputRoutingTest, AHeldKeyRepeatsKeyDownWithTheRepeatBit) {
    RecordingWindow w(/*visible=*/true);
    ScriptKeyEvent(InputType::KeyDown, VK_DOWN);
    ScriptKeyEvent(InputType::KeyDown, VK_DOWN, /*repeat=*/true);
    ScriptKeyEvent(InputType::KeyUp, VK_DOWN);
    RecordingWindow::DrainQueue();
    ASSERT_EQ(w.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP}));
    const auto& e = w.Entries();
    EXPECT_EQ(e[2].lParam & 0x40000000, 0);
    EXPECT_NE(e[3].lParam & 0x40000000, 0);
    EXPECT_NE(static_cast<uint32_t>(e[4].lParam) & 0x80000000u, 0u) << "the transition bit of a release";
}

TEST_F(InputRoutingTest, TheStylusStaysWithTheWindowItPressedUntilLifted) {
    RecordingWindow main(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    RecordingWindow left(WS_CHILD | WS_VISIBLE, main.hwnd(), RECT{0, 0, 100, 100});
    RecordingWindow right(WS_CHILD | WS_VISIBLE, main.hwnd(), RECT{100, 0, 200, 100});
    Stylus(InputType::MouseDown, 10, 36);
    Stylus(InputType::MouseMove, 150, 36);
    Stylus(InputType::MouseUp, 5, 20);  // above and beside: outside everything
    EXPECT_EQ(left.Messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}));
    EXPECT_TRUE(right.Messages().empty());
    EXPECT_EQ(left.Entries().back().lParam, MAKELPARAM(5, 0xFFFA)) << "-6 travels as an unsigned 16-bit value";
    Stylus(InputType::MouseMove, 150, 36);
    EXPECT_EQ(right.Messages(), std::vector<UINT>{WM_MOUSEMOVE}) << "no capture: the window under the stylus";
}

// A key or a stylus press that closes a modal window: its release must not reach the window below.
TEST_F(InputRoutingTest, AReleaseAfterItsModalWindowEndedOnThePressIsDropped) {
    RecordingWindow main(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    for (bool stylus : {false, true}) {
        auto* modal = new RecordingWindow(WS_VISIBLE, main.hwnd(), RECT{0, 26, 240, 200});
        EnableWindow(main.hwnd(), FALSE);
        modal->onMessage = [&](UINT m, WPARAM, LPARAM) -> LRESULT {
            if (m == WM_KEYDOWN || m == WM_LBUTTONDOWN) {
                EnableWindow(main.hwnd(), TRUE);
                DestroyWindow(modal->hwnd());
            }
            return 0;
        };
        stylus ? Stylus(InputType::MouseDown, 50, 50) : Key(InputType::KeyDown, VK_RETURN);
        ASSERT_FALSE(IsWindow(modal->hwnd()));
        delete modal;
        stylus ? Stylus(InputType::MouseUp, 50, 50) : Key(InputType::KeyUp, VK_RETURN);
        EXPECT_TRUE(main.Messages().empty()) << (stylus ? "stylus" : "key");
    }
    Key(InputType::KeyUp, VK_RETURN);
    EXPECT_EQ(main.Messages(), std::vector<UINT>{WM_KEYUP}) << "a release without a press is delivered";
}

TEST_F(InputRoutingTest, CloseGoesToTheOldestTopLevelWindowNeverToADialogInFront) {
    RecordingWindow main(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    RecordingWindow dialog(WS_VISIBLE, main.hwnd(), RECT{0, 26, 240, 294});
    RecordingWindow later(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    main.onMessage = [](UINT, WPARAM, LPARAM) -> LRESULT { return 0; };  // not destroyed by WM_CLOSE
    EnableWindow(main.hwnd(), FALSE);
    backend.ScriptClose();
    RecordingWindow::DrainQueue();
    EXPECT_EQ(main.Messages(), std::vector<UINT>{WM_CLOSE});
    EXPECT_TRUE(dialog.Messages().empty() && later.Messages().empty());
}

}  // namespace
