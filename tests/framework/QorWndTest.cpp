// CQorWnd's dispatch rules as message sequences, and its life cycle: create, dialogs, destroy.
#include "framework/QorWnd.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/SingleInstance.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

// Records the operations called, with the message's arguments; answers from a table, or as the base.
class ProbeWnd : public CQorWnd {
public:
    struct Call { std::string op; WPARAM wParam; LPARAM lParam; };
    std::vector<Call> calls;
    std::map<std::string, int> answers;
    std::function<void(HWND)> onInit;

    std::vector<std::string> Ops() const {
        std::vector<std::string> ops;
        for (const Call& c : calls) ops.push_back(c.op);
        return ops;
    }

private:
    int Answer(const std::string& op, WPARAM wp, LPARAM lp, int base) {
        calls.push_back({op, wp, lp});
        return answers.contains(op) ? answers[op] : base;
    }
#define PROBE(Op) \
    int Op(HWND h, WPARAM wp, LPARAM lp) override { return Answer(#Op, wp, lp, CQorWnd::Op(h, wp, lp)); }
    PROBE(OnChar) PROBE(OnKeyDown) PROBE(OnKeyUp) PROBE(OnCommand) PROBE(OnDestroy) PROBE(OnClose)
#undef PROBE
    int OnInit(HWND h, WPARAM wp, LPARAM lp) override {
        if (onInit) onInit(h);
        return Answer("OnInit", wp, lp, CQorWnd::OnInit(h, wp, lp));
    }
    int OnDraw(HWND, HDC, const RECT& rc) override { return Answer("OnDraw", rc.right, rc.bottom, NOT_HANDLED); }
    int OnLButtonDown(HWND, const POINT& p) override { return Answer("OnLButtonDown", p.x, p.y, NOT_HANDLED); }
    int OnDefault(HWND h, UINT m, WPARAM wp, LPARAM lp) override {
        calls.push_back({"OnDefault", m, 0});
        return CQorWnd::OnDefault(h, m, wp, lp);
    }
};

class QorWndTest : public PlatformTest {
protected:
    void SetUp() override { PlatformTest::SetUp(); instance = platform::RegisterModule(TintaroResources()); }
    BOOL Make(ProbeWnd& w, LPCWSTR title = L"Probe", LPCWSTR cls = L"ProbeClass") {
        BOOL made = w.Create(title, nullptr, instance, cls, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, 0, WS_VISIBLE);
        w.calls.clear();
        return made;
    }
    HINSTANCE instance = nullptr;
};

// The messages the game answers reach their own operations; the answer passes unchanged, and
// only -1 lets the default procedure run after the operation.
TEST_F(QorWndTest, ResultsPassUnchangedAndOnlyMinusOneReachesTheDefault) {
    ProbeWnd w;
    ASSERT_TRUE(Make(w));
    for (auto [message, op] : {std::pair<UINT, std::string>{WM_KEYDOWN, "OnKeyDown"}, {WM_KEYUP, "OnKeyUp"},
                               {WM_CHAR, "OnChar"}, {WM_COMMAND, "OnCommand"}}) {
        for (int answer : {0, 7, -2, NOT_HANDLED}) {
            w.answers[op] = answer;
            w.calls.clear();
            EXPECT_EQ(SendMessageW(w.m_hWnd, message, 'n', 0), answer == NOT_HANDLED ? 0 : answer) << op;
            const std::vector<std::string> expected{op, "OnDefault"};
            EXPECT_EQ(w.Ops(), std::vector<std::string>(expected.begin(), expected.begin() + (answer == NOT_HANDLED ? 2 : 1)))
                << op << " answering " << answer;
        }
    }
    EXPECT_EQ(SendMessageW(w.m_hWnd, 0x0024, 0, 0), 0) << "a message without an operation";
    EXPECT_EQ(w.calls.back().op, "OnDefault");
}

TEST_F(QorWndTest, PaintDrawsTheClientOnlyWhenAskedAndTheStylusPointIsTwoUnsignedHalves) {
    ProbeWnd w;
    ASSERT_TRUE(Make(w));
    w.answers["OnDraw"] = 1;
    for (BOOL paint : {TRUE, FALSE}) {
        w.m_bPaint = paint;
        w.calls.clear();
        InvalidateRect(w.m_hWnd, nullptr, FALSE);
        EXPECT_EQ(SendMessageW(w.m_hWnd, WM_PAINT, 0, 0), paint ? 1 : 0);
        ASSERT_EQ(w.Ops(), std::vector<std::string>{paint ? "OnDraw" : "OnDefault"});
        EXPECT_TRUE(!paint || (w.calls[0].wParam == 240u && w.calls[0].lParam == 268)) << "the client's size";
        EXPECT_FALSE(GetUpdateRect(w.m_hWnd, nullptr, FALSE)) << "validated either way";
    }
    w.calls.clear();
    SendMessageW(w.m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(0xFFFA, 80));
    ASSERT_FALSE(w.calls.empty());
    EXPECT_TRUE(w.calls[0].wParam == 65530u && w.calls[0].lParam == 80) << "never negative";
}

// OnInit's result is returned as it is: -1 from WM_CREATE aborts the creation instead of reaching
// the default procedure. A creation message without its record reaches the default procedure.
TEST_F(QorWndTest, OnInitsResultIsReturnedAsItIsForCreateAndInitDialog) {
    ProbeWnd w;
    w.answers["OnInit"] = NOT_HANDLED;
    EXPECT_FALSE(Make(w, L"Refused"));
    EXPECT_EQ(w.m_hWnd, nullptr);
    // WM_INITDIALOG as the dialog manager sends it, straight to the procedure.
    RecordingWindow host(/*visible=*/true);
    ProbeWnd d;
    d.answers["OnInit"] = NOT_HANDLED;
    EXPECT_EQ(CQorWnd::WindowProc(host.hwnd(), WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&d)), -1);
    EXPECT_EQ(d.m_hWnd, host.hwnd());
    EXPECT_EQ(d.Ops(), std::vector<std::string>{"OnInit"});
    // After WM_DESTROY the slot still points to the object, but m_hWnd no longer matches.
    CQorWnd::WindowProc(host.hwnd(), WM_DESTROY, 0, 0);
    d.calls.clear();
    EXPECT_EQ(CQorWnd::WindowProc(host.hwnd(), WM_CHAR, 'n', 0), 0);
    EXPECT_TRUE(d.calls.empty()) << "a message after the destruction reaches only the default";
    SetWindowLongPtrW(host.hwnd(), GWLP_USERDATA, 0);
    ProbeWnd plain;
    ASSERT_TRUE(Make(plain, L"Plain", L"PlainClass"));
    EXPECT_EQ(SendMessageW(plain.m_hWnd, WM_CREATE, 0, 0), 0);
    EXPECT_EQ(CQorWnd::WindowProc(nullptr, WM_CREATE, 0, 0), 0);
    EXPECT_TRUE(plain.calls.empty() && IsWindow(plain.m_hWnd)) << "the window it reached carries on";
}

// Destroying detaches the object even when OnDestroy does not, and frees the class name; a second
// window of the same title and the default class raises the first instead.
TEST_F(QorWndTest, DestroyFreesTheClassAndASecondCreateOnlyRaisesTheFirst) {
    ProbeWnd w, again, fresh, first, second;
    ASSERT_TRUE(Make(w, L"One", L"ReusedClass"));
    w.answers["OnDestroy"] = 0;  // the probe's answer: the base never ran
    DestroyWindow(w.m_hWnd);
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_TRUE(w.Destroy() && w.m_atomClass == 0);
    EXPECT_TRUE(Make(again, L"Two", L"ReusedClass")) << "the class name is free again";
    EXPECT_TRUE(fresh.Destroy()) << "harmless on a fresh object";
    ASSERT_TRUE(Make(first, L"Qor Tintaro", nullptr));
    EXPECT_STREQ(first.m_pszClassName, L"QorClassDefault");
    ShowWindow(first.m_hWnd, SW_MINIMIZE);
    EXPECT_FALSE(Make(second, L"Qor Tintaro", L""));
    EXPECT_TRUE(second.m_hWnd == nullptr && second.m_atomClass == 0) << "no class is registered for a refused window";
    EXPECT_EQ(backend.Raised(), 1) << "the existing window comes to the front";
}

// Close posts the quit for a window and ends a dialog with 0; DoModal while the dialog shows raises it.
TEST_F(QorWndTest, CloseQuitsForAWindowAndEndsADialogWithZero) {
    ProbeWnd w, dialog;
    ASSERT_TRUE(Make(w));
    EXPECT_EQ(SendMessageW(w.m_hWnd, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(w.m_hWnd)) << "the window stays";
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 0u);
    int nested = -5;
    dialog.onInit = [&](HWND h) { nested = dialog.DoModal(nullptr, instance, 130), PostMessageW(h, WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog.DoModal(w.m_hWnd, instance, 129), 0);
    EXPECT_TRUE(dialog.m_hWnd == nullptr && nested == 1 && backend.Raised() == 1);
    EXPECT_EQ(dialog.DoModal(nullptr, instance, 999), -1) << "a missing resource";
}

}  // namespace
