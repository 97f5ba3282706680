// The message queue and its order, and which window input and close requests reach.
#include <gtest/gtest.h>

#include "platform/Backend.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::InputType;
constexpr UINT WM_TEST_A = WM_USER + 1, WM_TEST_B = WM_USER + 2;
using MessageQueueTest = PlatformTest;

TEST_F(MessageQueueTest, SendIsADirectCallAndPostWaitsForTheLoopWherePostedComeBeforeInputAndPaint) {
    RecordingWindow w(/*visible=*/true);
    w.onMessage = [&w](UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_TEST_A ? static_cast<LRESULT>(wp) * 2 : DefWindowProcW(w.hwnd(), m, wp, lp);
    };
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_TEST_A, 21, 0), 42);
    InvalidateRect(w.hwnd(), nullptr, FALSE);
    platform::QueueInput({InputType::KeyUp, VK_RETURN});
    EXPECT_TRUE(PostMessageW(w.hwnd(), WM_TEST_A, 0, 0));
    PostMessageW(w.hwnd(), WM_TEST_B, 0, 0);
    EXPECT_EQ(w.Messages(), std::vector<UINT>{WM_TEST_A}) << "a post must never run the handler on the spot";
    MSG msg;
    std::vector<UINT> order;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) order.push_back(msg.message), DispatchMessageW(&msg);
    EXPECT_EQ(order, (std::vector<UINT>{WM_TEST_A, WM_TEST_B, WM_KEYUP, WM_PAINT})) << "one paint, validated";
}

TEST_F(MessageQueueTest, MessagesForADeadWindowAreDroppedAndHandlesAreNeverReused) {
    HWND dead;
    {
        RecordingWindow w;
        dead = w.hwnd();
        PostMessageW(dead, WM_TEST_A, 0, 0);
    }
    RecordingWindow survivor;
    PostMessageW(survivor.hwnd(), WM_TEST_B, 0, 0);
    EXPECT_NE(survivor.hwnd(), dead) << "the freed slot must come back under a new generation";
    EXPECT_FALSE(PostMessageW(dead, WM_TEST_A, 0, 0));
    EXPECT_EQ(SendMessageW(dead, WM_TEST_A, 0, 0), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(msg.hwnd == survivor.hwnd() && msg.message == WM_TEST_B);
}

// The quit follows what was posted and is taken once; an exhausted script ends the loop unless fed.
TEST_F(MessageQueueTest, QuitCarriesTheExitCodeAfterWhatWasAlreadyPostedAndAnExhaustedScriptEndsTheLoop) {
    RecordingWindow w(/*visible=*/true);
    PostMessageW(w.hwnd(), WM_TEST_A, 0, 0);
    PostQuitMessage(7);
    platform::QueueInput({InputType::KeyDown, VK_LEFT});
    backend.ScriptKey(VK_DOWN);
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TEST_A);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 7u);
    std::vector<UINT> seen;
    while (GetMessageW(&msg, nullptr, 0, 0)) seen.push_back(msg.message);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP})) << "the quit state is taken once";
    EXPECT_EQ(static_cast<int>(msg.wParam), platform::kInputEndedExitCode);
    backend.SetIdleHandler([calls = 0]() mutable { return ++calls == 1 && (PostQuitMessage(3), true); });
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageQueueTest, TranslateMessagePostsTheTypedCharacterRightAfterItsKey) {
    RecordingWindow w(/*visible=*/true);
    backend.Script({InputType::KeyDown, 'N', L'n'});
    backend.Script({InputType::KeyUp, 'N'});
    backend.Script({InputType::KeyDown, VK_LEFT});  // types nothing
    RecordingWindow::DrainQueue();
    EXPECT_EQ(w.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN}));
    EXPECT_EQ(w.Of(WM_CHAR)[0].wParam, static_cast<WPARAM>(L'n'));
}

class InputRoutingTest : public PlatformTest {
protected:
    void Key(InputType type, UINT vk) { ScriptKeyEvent(type, vk), RecordingWindow::DrainQueue(); }
    void Stylus(InputType type, int x, int y) { ScriptStylusEvent(type, x, y), RecordingWindow::DrainQueue(); }
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
