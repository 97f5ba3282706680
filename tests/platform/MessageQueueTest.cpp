// The message queue's ordering rules: sends and posts, posted before input before paint, the quit,
// dead windows, the end of a script and typed characters.
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

TEST_F(MessageQueueTest, QuitCarriesTheExitCodeAfterWhatWasAlreadyPosted) {
    RecordingWindow w(/*visible=*/true);
    PostMessageW(w.hwnd(), WM_TEST_A, 0, 0);
    PostQuitMessage(7);
    platform::QueueInput({InputType::KeyDown, VK_LEFT});
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TEST_A);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 7u);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0)) << "the quit state is taken once";
    EXPECT_EQ(msg.message, WM_KEYDOWN);
}

TEST_F(MessageQueueTest, AnExhaustedScriptEndsTheLoopAndTheIdleHandlerCanFeedIt) {
    RecordingWindow w(/*visible=*/true);
    backend.ScriptKey(VK_DOWN);
    MSG msg;
    std::vector<UINT> seen;
    while (GetMessageW(&msg, nullptr, 0, 0)) seen.push_back(msg.message);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
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

}  // namespace
