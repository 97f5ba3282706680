// The message queue's ordering rules and the window life cycle they depend on.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/Backend.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr UINT WM_TEST_A = WM_USER + 1;
constexpr UINT WM_TEST_B = WM_USER + 2;

platform::InputEvent Key(platform::InputType type, UINT vk, wchar_t ch = 0) {
    platform::InputEvent e;
    e.type = type;
    e.key = vk;
    e.ch = ch;
    return e;
}

class MessageQueueTest : public PlatformTest {};

TEST_F(MessageQueueTest, SendIsADirectCallAndPostWaitsForTheLoop) {
    RecordingWindow w;
    w.onMessage = [](UINT m, WPARAM wp, LPARAM) -> LRESULT { return m == WM_TEST_A ? static_cast<LRESULT>(wp) * 2 : 0; };
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_TEST_A, 21, 0), 42);
    EXPECT_EQ(w.Messages(), std::vector<UINT>{WM_TEST_A});

    EXPECT_TRUE(PostMessageW(w.hwnd(), WM_TEST_B, 0, 0));
    EXPECT_EQ(w.Messages().size(), 1u) << "a post must never run the handler on the spot";
    RecordingWindow::DrainQueue();
    EXPECT_EQ(w.Messages(), (std::vector<UINT>{WM_TEST_A, WM_TEST_B}));
}

TEST_F(MessageQueueTest, PostedMessagesComeBeforeInputAndPaint) {
    RecordingWindow w(/*visible=*/true);
    InvalidateRect(w.hwnd(), nullptr, FALSE);
    platform::QueueInput(Key(platform::InputType::KeyUp, VK_RETURN));
    PostMessageW(w.hwnd(), WM_TEST_A, 0, 0);
    PostMessageW(w.hwnd(), WM_TEST_B, 0, 0);

    MSG msg;
    std::vector<UINT> order;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
        order.push_back(msg.message);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_TEST_A, WM_TEST_B, WM_KEYUP, WM_PAINT}));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "the default procedure validated the paint";
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

    EXPECT_FALSE(IsWindow(dead));
    EXPECT_NE(survivor.hwnd(), dead) << "the freed slot must come back under a new generation";
    EXPECT_FALSE(PostMessageW(dead, WM_TEST_A, 0, 0));
    EXPECT_EQ(SendMessageW(dead, WM_TEST_A, 0, 0), 0);
    EXPECT_EQ(GetWindowLongPtrW(dead, GWLP_USERDATA), 0);

    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, survivor.hwnd());
    EXPECT_EQ(msg.message, WM_TEST_B);
}

TEST_F(MessageQueueTest, QuitCarriesTheExitCodeAfterWhatWasAlreadyPosted) {
    RecordingWindow w(/*visible=*/true);
    PostMessageW(w.hwnd(), WM_TEST_A, 0, 0);
    PostQuitMessage(7);
    platform::QueueInput(Key(platform::InputType::KeyDown, VK_LEFT));

    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TEST_A);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0)) << "the quit state is taken once";
    EXPECT_EQ(msg.message, WM_KEYDOWN);
}

TEST_F(MessageQueueTest, AnExhaustedScriptEndsTheLoopInsteadOfHanging) {
    RecordingWindow w(/*visible=*/true);
    backend.ScriptKey(VK_DOWN);
    MSG msg;
    std::vector<UINT> seen;
    while (GetMessageW(&msg, nullptr, 0, 0)) seen.push_back(msg.message);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
    EXPECT_EQ(static_cast<int>(msg.wParam), platform::kInputEndedExitCode);
}

TEST_F(MessageQueueTest, TheIdleHandlerCanFeedTheLoop) {
    RecordingWindow w;
    int calls = 0;
    backend.SetIdleHandler([&] {
        if (++calls > 1) return false;
        PostQuitMessage(3);
        return true;
    });
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageQueueTest, TranslateMessagePostsTheTypedCharacterRightAfterItsKey) {
    RecordingWindow w(/*visible=*/true);
    backend.Script(Key(platform::InputType::KeyDown, 'N', L'n'));
    backend.Script(Key(platform::InputType::KeyUp, 'N'));
    backend.Script(Key(platform::InputType::KeyDown, VK_LEFT));  // types nothing
    RecordingWindow::DrainQueue();
    EXPECT_EQ(w.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN}));
    ASSERT_EQ(w.Entries().size(), 6u);
    EXPECT_EQ(w.Entries()[3].wParam, static_cast<WPARAM>(L'n'));
}

TEST_F(MessageQueueTest, StylusInputReachesTheWindowInClientCoordinates) {
    RecordingWindow w(/*visible=*/true);
    RECT rc;
    GetWindowRect(w.hwnd(), &rc);
    platform::InputEvent tap;
    tap.type = platform::InputType::MouseUp;
    tap.x = rc.left + 32;
    tap.y = rc.top + 80;
    platform::QueueInput(tap);
    RecordingWindow::DrainQueue();
    ASSERT_FALSE(w.Messages().empty());
    const auto& e = w.Entries()[2];  // after WM_CREATE and WM_SIZE
    EXPECT_EQ(e.message, WM_LBUTTONUP);
    EXPECT_EQ(LOWORD(e.lParam), 32);
    EXPECT_EQ(HIWORD(e.lParam), 80);
}

TEST_F(MessageQueueTest, CloseGoesToTheOldestTopLevelWindow) {
    RecordingWindow main(/*visible=*/true);
    RecordingWindow dialog(/*visible=*/true);
    main.onMessage = [](UINT, WPARAM, LPARAM) -> LRESULT { return 0; };  // must not be destroyed by WM_CLOSE
    backend.ScriptClose();
    RecordingWindow::DrainQueue();
    EXPECT_EQ(main.Messages(), std::vector<UINT>{WM_CLOSE});
    EXPECT_TRUE(dialog.Messages().empty());
}

// ---- window life cycle ---------------------------------------------------------------------

LRESULT CALLBACK RefuseCreation(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return -1;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(MessageQueueTest, CreationCarriesItsParameterThenSizesTheWindowBeforeAnyPaint) {
    RecordingWindow w(/*visible=*/true);
    ASSERT_GE(w.Entries().size(), 2u);
    EXPECT_EQ(w.Entries()[0].message, WM_CREATE);
    EXPECT_EQ(GetWindowLongPtrW(w.hwnd(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&w))
        << "the creation parameter arrived in WM_CREATE";
    EXPECT_EQ(w.Entries()[1].message, WM_SIZE);
    EXPECT_EQ(LOWORD(w.Entries()[1].lParam), 240);
    EXPECT_EQ(HIWORD(w.Entries()[1].lParam), 268) << "full screen between the 26-pixel bars";
    RECT rc;
    GetWindowRect(w.hwnd(), &rc);
    EXPECT_EQ(rc.top, 26);
    EXPECT_EQ(rc.bottom, 294);

    WNDCLASSW wc{};
    wc.lpfnWndProc = RefuseCreation;
    wc.lpszClassName = L"Refuser";
    ASSERT_NE(RegisterClassW(&wc), 0);
    EXPECT_EQ(RegisterClassW(&wc), 0) << "a class name registers once";
    EXPECT_EQ(CreateWindowExW(0, L"Refuser", L"", 0, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
}

TEST_F(MessageQueueTest, DestroyingAWindowDestroysItsChildrenAndInvalidationIsClippedToTheClient) {
    RecordingWindow parent(/*visible=*/true);
    HWND child = CreateWindowExW(0, L"TestRecorder", L"", WS_CHILD, 10, 10, 20, 20, parent.hwnd(), nullptr, nullptr,
                                 nullptr);
    ASSERT_NE(child, nullptr);
    RECT rc;
    GetWindowRect(child, &rc);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.top, 36);

    ValidateRect(parent.hwnd(), nullptr);
    RECT big{-50, 100, 500, 120};
    InvalidateRect(parent.hwnd(), &big, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(parent.hwnd(), &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.right, 240);
    EXPECT_EQ(update.top, 100);
    EXPECT_FALSE(InvalidateRect(nullptr, nullptr, FALSE));

    DestroyWindow(parent.hwnd());
    EXPECT_FALSE(IsWindow(child));
}

}  // namespace

namespace {

class WatchTest : public PlatformTest {};

TEST_F(WatchTest, AReadableDescriptorRunsItsCallbackFromTheLoop) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    static int calls;
    calls = 0;
    platform::WatchReadable(fds[0], [](int fd, void*) {
        char c;
        (void)!read(fd, &c, 1);
        ++calls;
        PostQuitMessage(4);
    }, nullptr);
    EXPECT_FALSE(platform::DispatchReadable(0)) << "nothing to read yet";
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 4u) << "the callback ran inside the loop and asked it to end";
    EXPECT_EQ(calls, 1);
    platform::UnwatchReadable(fds[0]);
    EXPECT_TRUE(platform::WatchedDescriptors().empty());
    close(fds[0]);
    close(fds[1]);
}

}  // namespace
