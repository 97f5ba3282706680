// Window geometry, visibility, painting on demand and the small system calls.
#include <gtest/gtest.h>

#include <string>

#include "platform/Cursor.h"
#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr UINT WM_TEST = WM_USER + 5;

std::vector<UINT> Only(const RecordingWindow& w, UINT a, UINT b = WM_NULL) {
    std::vector<UINT> out;
    for (const auto& e : w.Entries())
        if (e.message == a || e.message == b) out.push_back(e.message);
    return out;
}

class WindowCallsTest : public PlatformTest {};

TEST_F(WindowCallsTest, CreationSendsASizeBeforeTheFirstPaint) {
    RecordingWindow w(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    InvalidateRect(w.hwnd(), nullptr, FALSE);
    RecordingWindow::DrainQueue();
    ASSERT_GE(w.Entries().size(), 3u);
    EXPECT_EQ(w.Entries()[0].message, WM_CREATE);
    EXPECT_EQ(w.Entries()[1].message, WM_SIZE);
    EXPECT_EQ(LOWORD(w.Entries()[1].lParam), 240);
    EXPECT_EQ(HIWORD(w.Entries()[1].lParam), 268);
    EXPECT_EQ(w.Entries()[2].message, WM_PAINT);
}

TEST_F(WindowCallsTest, MoveWindowSendsSizeOnlyWhenTheClientSizeChanges) {
    RecordingWindow w(WS_VISIBLE, nullptr, RECT{0, 0, 100, 100});
    w.Clear();
    MoveWindow(w.hwnd(), 10, 10, 100, 100, FALSE);
    EXPECT_TRUE(w.Entries().empty()) << "a move alone is no size change";
    MoveWindow(w.hwnd(), 10, 10, 120, 90, FALSE);
    ASSERT_EQ(w.Entries().size(), 1u);
    EXPECT_EQ(w.Entries()[0].message, WM_SIZE);
    EXPECT_EQ(w.Entries()[0].lParam, MAKELPARAM(120, 90));
    RECT rc;
    GetWindowRect(w.hwnd(), &rc);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.bottom, 100);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(w.hwnd(), &update, FALSE)) << "no repaint was asked for";
    MoveWindow(w.hwnd(), 10, 10, 120, 90, TRUE);
    EXPECT_TRUE(GetUpdateRect(w.hwnd(), &update, FALSE));
}

TEST_F(WindowCallsTest, ChildrenLiveInTheirParentsClientAreaAndMoveWithIt) {
    RecordingWindow parent(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    RecordingWindow child(WS_CHILD | WS_VISIBLE, parent.hwnd(), RECT{4, 100, 236, 119}, 121);
    RecordingWindow grandchild(WS_CHILD | WS_VISIBLE, child.hwnd(), RECT{1, 1, 5, 5});
    RECT rc;
    GetWindowRect(child.hwnd(), &rc);
    EXPECT_EQ(rc.top, 126);
    EXPECT_EQ(GetDlgItem(parent.hwnd(), 121), child.hwnd());
    EXPECT_EQ(GetDlgItem(parent.hwnd(), 122), nullptr);
    EXPECT_TRUE(IsChild(parent.hwnd(), grandchild.hwnd()));
    EXPECT_FALSE(IsChild(child.hwnd(), parent.hwnd()));

    MoveWindow(parent.hwnd(), 0, 30, 240, 264, FALSE);
    GetWindowRect(grandchild.hwnd(), &rc);
    EXPECT_EQ(rc.left, 5);
    EXPECT_EQ(rc.top, 30 + 100 + 1);
    MoveWindow(child.hwnd(), 4, 50, 232, 19, FALSE);
    GetWindowRect(child.hwnd(), &rc);
    EXPECT_EQ(rc.top, 80) << "children move in their parent's client coordinates";
}

TEST_F(WindowCallsTest, AnOwnedWindowIsTopLevelAndGoesWithItsOwner) {
    HWND owned;
    {
        RecordingWindow owner(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
        RecordingWindow* dialog = new RecordingWindow(WS_VISIBLE, owner.hwnd(), RECT{0, 26, 100, 100});
        owned = dialog->hwnd();
        RECT rc;
        GetWindowRect(owned, &rc);
        EXPECT_EQ(rc.top, 26) << "an owned window uses device-screen coordinates";
        EXPECT_EQ(GetParent(owned), nullptr);
        std::vector<UINT> order;
        dialog->onMessage = [&](UINT m, WPARAM, LPARAM) -> LRESULT {
            if (m == WM_DESTROY) order.push_back(1);
            return 0;
        };
        owner.onMessage = [&](UINT m, WPARAM, LPARAM) -> LRESULT {
            if (m == WM_DESTROY) order.push_back(2);
            return 0;
        };
        DestroyWindow(owner.hwnd());
        EXPECT_EQ(order, (std::vector<UINT>{1, 2}))
            << "what a window owns goes before it";
        delete dialog;
    }
    EXPECT_FALSE(IsWindow(owned));
}

TEST_F(WindowCallsTest, UpdateWindowPaintsThatWindowNowAndPumpsNothing) {
    RecordingWindow a(/*visible=*/true);
    RecordingWindow b(/*visible=*/true);
    InvalidateRect(a.hwnd(), nullptr, FALSE);
    InvalidateRect(b.hwnd(), nullptr, FALSE);
    PostMessageW(a.hwnd(), WM_TEST, 0, 0);
    backend.ScriptKey(VK_LEFT);

    UpdateWindow(a.hwnd());
    EXPECT_EQ(a.Messages(), std::vector<UINT>{WM_PAINT});
    EXPECT_TRUE(b.Messages().empty()) << "only the window asked for";
    EXPECT_EQ(platform::PendingPostedMessages().size(), 1u) << "the queue is left alone";
    EXPECT_EQ(backend.ScriptLength(), 2u) << "no input is taken";

    a.Clear();
    UpdateWindow(a.hwnd());
    EXPECT_TRUE(a.Messages().empty()) << "nothing to paint once the default procedure validated it";
}

TEST_F(WindowCallsTest, ThePaintDCsClipBoxIsTheUpdateArea) {
    RecordingWindow w(/*visible=*/true);
    RECT clip{};
    w.onMessage = [&](UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m != WM_PAINT) return 0;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w.hwnd(), &ps);
        GetClipBox(dc, &clip);
        EndPaint(w.hwnd(), &ps);
        return 0;
    };
    RECT a{10, 20, 30, 40}, b{50, 5, 60, 25};
    InvalidateRect(w.hwnd(), &a, FALSE);
    InvalidateRect(w.hwnd(), &b, FALSE);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(clip.left, 10);
    EXPECT_EQ(clip.top, 5);
    EXPECT_EQ(clip.right, 60);
    EXPECT_EQ(clip.bottom, 40);
}

TEST_F(WindowCallsTest, APaintOverChildrenHasThemRepaintAfterwards) {
    RecordingWindow parent(WS_VISIBLE, nullptr, RECT{0, 26, 240, 294});
    RecordingWindow under(WS_CHILD | WS_VISIBLE, parent.hwnd(), RECT{0, 200, 240, 220});
    RecordingWindow beside(WS_CHILD | WS_VISIBLE, parent.hwnd(), RECT{0, 240, 240, 260});
    parent.onMessage = [&](UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m != WM_PAINT) return 0;
        PAINTSTRUCT ps;
        BeginPaint(parent.hwnd(), &ps);
        EndPaint(parent.hwnd(), &ps);
        return 0;
    };
    RECT top{0, 0, 240, 210};
    InvalidateRect(parent.hwnd(), &top, FALSE);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Only(parent, WM_PAINT).size(), 1u);
    EXPECT_EQ(Only(under, WM_PAINT).size(), 1u) << "the parent painted over it";
    EXPECT_TRUE(Only(beside, WM_PAINT).empty()) << "outside the parent's paint";
}

TEST_F(WindowCallsTest, MinimisingKeepsTheSizeAndSendsNoSize) {
    RecordingWindow w(/*visible=*/true);
    RECT before, after;
    GetWindowRect(w.hwnd(), &before);
    w.Clear();
    ShowWindow(w.hwnd(), SW_MINIMIZE);
    EXPECT_TRUE(Only(w, WM_SIZE).empty());
    GetWindowRect(w.hwnd(), &after);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(backend.Minimized(), 1) << "the program's window goes down on the desktop";
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
}

TEST_F(WindowCallsTest, ShowingAHiddenWindowRepaintsIt) {
    RecordingWindow w(/*visible=*/false);
    RecordingWindow::DrainQueue();
    EXPECT_TRUE(Only(w, WM_PAINT).empty()) << "hidden windows are not painted";
    EXPECT_FALSE(ShowWindow(w.hwnd(), SW_SHOW));
    RecordingWindow::DrainQueue();
    EXPECT_EQ(Only(w, WM_PAINT).size(), 1u);
}

TEST_F(WindowCallsTest, CursorCallsKeepTheirState) {
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    ASSERT_NE(wait, nullptr);
    EXPECT_NE(wait, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(SetCursor(wait), nullptr);
    EXPECT_EQ(SetCursor(nullptr), wait);
    EXPECT_EQ(ShowCursor(TRUE), 1);
    EXPECT_EQ(ShowCursor(FALSE), 0);
    EXPECT_EQ(ShowCursor(FALSE), -1);
}

TEST_F(WindowCallsTest, TheModulePathIsTheRunningProgram) {
    wchar_t path[1024];
    DWORD n = GetModuleFileNameW(nullptr, path, 1024);
    ASSERT_GT(n, 0u);
    std::wstring p(path, n);
    EXPECT_EQ(p.front(), L'/');
    EXPECT_NE(p.find(L"platform_tests"), std::wstring::npos);
    EXPECT_EQ(GetModuleFileNameW(nullptr, path, n), 0u) << "no room for the terminator: a failure, not a cut path";
    EXPECT_EQ(GetModuleFileNameW(nullptr, path, n + 1), n);
}

}  // namespace
