// The window life cycle and geometry: creation, children and owned windows, sizes, painting on demand.
#include <gtest/gtest.h>

#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

LRESULT CALLBACK RefuseCreation(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_CREATE ? -1 : DefWindowProcW(hwnd, message, wParam, lParam);
}

RECT WindowRect(HWND hwnd) { RECT rc{}; return GetWindowRect(hwnd, &rc), rc; }

using WindowCallsTest = PlatformTest;

TEST_F(WindowCallsTest, CreationCarriesItsParameterAndSizesTheWindowToTheFullScreenBeforeTheFirstPaint) {
    RecordingWindow w(/*visible=*/true);  // CW_USEDEFAULT everywhere
    InvalidateRect(w.hwnd(), nullptr, FALSE);
    RecordingWindow::DrainQueue();
    const auto& e = w.Entries();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_TRUE(e[0].message == WM_CREATE && e[1].message == WM_SIZE && e[2].message == WM_PAINT);
    EXPECT_EQ(e[1].lParam, MAKELPARAM(240, 268)) << "full screen between the 26-pixel bars";
    EXPECT_EQ(WindowRect(w.hwnd()), (RECT{0, 26, 240, 294}));
    EXPECT_EQ(GetWindowLongPtrW(w.hwnd(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&w)) << "the parameter came with WM_CREATE";
    WNDCLASSW wc{0, RefuseCreation, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"Refuser"};
    ASSERT_NE(RegisterClassW(&wc), 0);
    EXPECT_EQ(RegisterClassW(&wc), 0) << "a class name registers once";
    EXPECT_EQ(CreateWindowExW(0, L"Refuser", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowCallsTest, MoveWindowSendsSizeOnlyWhenTheClientSizeChangesAndMinimisingKeepsIt) {
    RecordingWindow w(WS_VISIBLE, nullptr, RECT{0, 0, 100, 100});
    w.Clear();
    MoveWindow(w.hwnd(), 10, 10, 100, 100, FALSE);
    EXPECT_TRUE(w.Entries().empty()) << "a move alone is no size change";
    MoveWindow(w.hwnd(), 10, 10, 120, 90, FALSE);
    ASSERT_EQ(w.Entries().size(), 1u);
    EXPECT_EQ(w.Entries()[0].lParam, MAKELPARAM(120, 90));
    EXPECT_FALSE(GetUpdateRect(w.hwnd(), nullptr, FALSE)) << "no repaint was asked for";
    MoveWindow(w.hwnd(), 10, 10, 120, 90, TRUE);
    EXPECT_TRUE(GetUpdateRect(w.hwnd(), nullptr, FALSE));
    w.Clear();
    ShowWindow(w.hwnd(), SW_MINIMIZE);
    EXPECT_TRUE(w.Of(WM_SIZE).empty());
    EXPECT_EQ(WindowRect(w.hwnd()), (RECT{10, 10, 130, 100}));
    EXPECT_EQ(backend.Minimized(), 1) << "the program's window goes down on the desktop";
}

TEST_F(WindowCallsTest, ChildrenLiveInTheirParentsClientAreaMoveWithItAndGoWithItAndOwnedWindowsGoFirst) {
    RecordingWindow parent(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    RecordingWindow child(WS_CHILD | WS_VISIBLE, parent.hwnd(), RECT{4, 100, 236, 119}, 121);
    RecordingWindow grandchild(WS_CHILD | WS_VISIBLE, child.hwnd(), RECT{1, 1, 5, 5});
    EXPECT_EQ(WindowRect(child.hwnd()).top, 126);
    EXPECT_TRUE(GetDlgItem(parent.hwnd(), 121) == child.hwnd() && !GetDlgItem(parent.hwnd(), 122));
    EXPECT_TRUE(IsChild(parent.hwnd(), grandchild.hwnd()) && !IsChild(child.hwnd(), parent.hwnd()));
    MoveWindow(parent.hwnd(), 0, 30, 240, 264, FALSE);
    EXPECT_EQ(WindowRect(grandchild.hwnd()), (RECT{5, 30 + 100 + 1, 9, 135}));
    MoveWindow(child.hwnd(), 4, 50, 232, 19, FALSE);
    EXPECT_EQ(WindowRect(child.hwnd()).top, 80) << "children move in their parent's client coordinates";
    ValidateRect(parent.hwnd(), nullptr);
    RECT big{-50, 100, 500, 120}, update;
    InvalidateRect(parent.hwnd(), &big, FALSE);
    ASSERT_TRUE(GetUpdateRect(parent.hwnd(), &update, FALSE));
    EXPECT_EQ(update, (RECT{0, 100, 240, 120})) << "invalidation is clipped to the client";
    EXPECT_FALSE(InvalidateRect(nullptr, nullptr, FALSE));
    // An owned window is top-level, in device-screen coordinates, and goes before its owner.
    RecordingWindow dialog(WS_VISIBLE, parent.hwnd(), RECT{0, 26, 100, 100});
    EXPECT_TRUE(WindowRect(dialog.hwnd()).top == 26 && GetParent(dialog.hwnd()) == nullptr);
    std::vector<HWND> order;
    for (RecordingWindow* w : {&parent, &dialog})
        w->onMessage = [&order, w](UINT m, WPARAM, LPARAM) -> LRESULT { return m == WM_DESTROY ? order.push_back(w->hwnd()), 0 : 0; };
    const std::vector<HWND> expected{dialog.hwnd(), parent.hwnd()};
    DestroyWindow(parent.hwnd());
    EXPECT_FALSE(IsWindow(grandchild.hwnd()));
    EXPECT_EQ(order, expected);
}

TEST_F(WindowCallsTest, UpdateWindowPaintsThatWindowNowAndPumpsNothingAndShowingRepaints) {
    RecordingWindow a(/*visible=*/true), b(/*visible=*/true);
    InvalidateRect(a.hwnd(), nullptr, FALSE);
    InvalidateRect(b.hwnd(), nullptr, FALSE);
    PostMessageW(a.hwnd(), WM_USER, 0, 0);
    backend.ScriptKey(VK_LEFT);
    UpdateWindow(a.hwnd());
    UpdateWindow(a.hwnd());  // nothing to paint once the default procedure validated it
    EXPECT_EQ(a.Messages(), std::vector<UINT>{WM_PAINT});
    EXPECT_TRUE(b.Messages().empty()) << "only the window asked for";
    EXPECT_EQ(platform::PendingPostedMessages().size(), 1u) << "the queue is left alone";
    EXPECT_EQ(backend.ScriptLength(), 2u) << "no input is taken";
    RecordingWindow hidden(/*visible=*/false);
    RecordingWindow::DrainQueue();
    EXPECT_TRUE(hidden.Of(WM_PAINT).empty()) << "hidden windows are not painted";
    EXPECT_FALSE(ShowWindow(hidden.hwnd(), SW_SHOW));
    RecordingWindow::DrainQueue();
    EXPECT_EQ(hidden.Of(WM_PAINT).size(), 1u) << "showing a hidden window repaints it";
}

TEST_F(WindowCallsTest, APaintOverChildrenHasThemRepaintAfterwards) {
    RecordingWindow parent(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    RecordingWindow under(WS_CHILD | WS_VISIBLE, parent.hwnd(), RECT{0, 200, 240, 220});
    RecordingWindow beside(WS_CHILD | WS_VISIBLE, parent.hwnd(), RECT{0, 240, 240, 260});
    parent.onMessage = [&](UINT m, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        if (m == WM_PAINT) BeginPaint(parent.hwnd(), &ps), EndPaint(parent.hwnd(), &ps);
        return 0;
    };
    RECT top{0, 0, 240, 210};
    InvalidateRect(parent.hwnd(), &top, FALSE);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(parent.Of(WM_PAINT).size(), 1u);
    EXPECT_EQ(under.Of(WM_PAINT).size(), 1u) << "the parent painted over it";
    EXPECT_TRUE(beside.Of(WM_PAINT).empty()) << "outside the parent's paint";
}

}  // namespace
