// CQorWnd's dispatch rules as message sequences, and its life cycle: create, dialogs, destroy.
#include "framework/QorWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/SingleInstance.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

// Records every operation called, with the message's arguments; answers from a table.
class ProbeWnd : public CQorWnd {
public:
    struct Call {
        std::string op;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Call> calls;
    std::map<std::string, int> answers;  // an operation not listed keeps the base behaviour
    std::function<void(HWND)> onInit;

    std::vector<std::string> Ops() const {
        std::vector<std::string> ops;
        for (const Call& c : calls) ops.push_back(c.op);
        return ops;
    }

private:
    int Answer(const std::string& op, WPARAM wp, LPARAM lp, int base) {
        calls.push_back({op, wp, lp});
        auto it = answers.find(op);
        return it == answers.end() ? base : it->second;
    }

#define PROBE(name)                                                        \
    int name(HWND h, WPARAM wp, LPARAM lp) override {                      \
        return Answer(#name, wp, lp, CQorWnd::name(h, wp, lp));            \
    }
    PROBE(OnSettingChange)
    PROBE(OnSize)
    PROBE(OnNotify)
    PROBE(OnDrawItem)
    PROBE(OnMeasureItem)
    PROBE(OnChar)
    PROBE(OnKeyDown)
    PROBE(OnKeyUp)
    PROBE(OnEraseBkgnd)
    PROBE(OnTimer)
    PROBE(OnDestroy)
    PROBE(OnCommand)
    PROBE(OnActivate)
    PROBE(OnHotKey)
    PROBE(OnHScroll)
    PROBE(OnVScroll)
    PROBE(OnKillFocus)
    PROBE(OnSetFocus)
    PROBE(OnHibernate)
    PROBE(OnSysColorChange)
    PROBE(OnCtlColorStatic)
    PROBE(OnCtlColorBtn)
    PROBE(OnCopyData)
    PROBE(OnHelp)
    PROBE(OnEnterMenuLoop)
    PROBE(OnExitMenuLoop)
    PROBE(OnClose)
#undef PROBE

    int OnInit(HWND h, WPARAM wp, LPARAM lp) override {
        if (onInit) onInit(h);
        return Answer("OnInit", wp, lp, CQorWnd::OnInit(h, wp, lp));
    }
    int OnDraw(HWND, HDC, const RECT& rc) override { return Answer("OnDraw", rc.right, rc.bottom, NOT_HANDLED); }
    int OnUserMessage(HWND h, UINT m, WPARAM wp, LPARAM lp) override {
        return Answer("OnUserMessage:" + std::to_string(m), wp, lp, CQorWnd::OnUserMessage(h, m, wp, lp));
    }
    int OnLButtonUp(HWND, const POINT& p) override { return Answer("OnLButtonUp", p.x, p.y, NOT_HANDLED); }
    int OnLButtonDown(HWND, const POINT& p) override { return Answer("OnLButtonDown", p.x, p.y, NOT_HANDLED); }
    int OnMouseMove(HWND, const POINT& p) override { return Answer("OnMouseMove", p.x, p.y, NOT_HANDLED); }
    int OnDefault(HWND h, UINT m, WPARAM wp, LPARAM lp) override {
        calls.push_back({"OnDefault", m, 0});
        return CQorWnd::OnDefault(h, m, wp, lp);
    }
};

class QorWndTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        instance = platform::RegisterModule(TintaroResources());
    }
    BOOL Make(ProbeWnd& w, LPCWSTR title = L"Probe", LPCWSTR cls = L"ProbeClass") {
        BOOL made = w.Create(title, nullptr, instance, cls, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, 0, WS_VISIBLE);
        w.calls.clear();
        return made;
    }
    HINSTANCE instance = nullptr;
};

TEST_F(QorWndTest, EveryMessageReachesItsOperation) {
    ProbeWnd w;
    ASSERT_TRUE(Make(w));
    const std::pair<UINT, const char*> table[] = {
        {WM_SETTINGCHANGE, "OnSettingChange"}, {WM_SIZE, "OnSize"},
        {WM_NOTIFY, "OnNotify"},               {WM_DRAWITEM, "OnDrawItem"},
        {WM_MEASUREITEM, "OnMeasureItem"},     {WM_CHAR, "OnChar"},
        {WM_KEYDOWN, "OnKeyDown"},             {WM_KEYUP, "OnKeyUp"},
        {WM_ERASEBKGND, "OnEraseBkgnd"},       {WM_LBUTTONUP, "OnLButtonUp"},
        {WM_LBUTTONDOWN, "OnLButtonDown"},     {WM_MOUSEMOVE, "OnMouseMove"},
        {WM_TIMER, "OnTimer"},                 {WM_COMMAND, "OnCommand"},
        {WM_ACTIVATE, "OnActivate"},           {WM_HOTKEY, "OnHotKey"},
        {WM_HSCROLL, "OnHScroll"},             {WM_VSCROLL, "OnVScroll"},
        {WM_KILLFOCUS, "OnKillFocus"},         {WM_SETFOCUS, "OnSetFocus"},
        {WM_HIBERNATE, "OnHibernate"},         {WM_SYSCOLORCHANGE, "OnSysColorChange"},
        {WM_CTLCOLORSTATIC, "OnCtlColorStatic"}, {WM_CTLCOLORBTN, "OnCtlColorBtn"},
        {WM_COPYDATA, "OnCopyData"},           {WM_HELP, "OnHelp"},
        {WM_ENTERMENULOOP, "OnEnterMenuLoop"}, {WM_EXITMENULOOP, "OnExitMenuLoop"},
        {WM_USER, "OnUserMessage:1024"},       {WM_USER + 200, "OnUserMessage:1224"},
        {0x0024, "OnDefault"},  // a message without an operation goes straight to the default
    };
    for (const auto& [message, op] : table) {
        w.calls.clear();
        w.answers[op] = 5;
        EXPECT_EQ(SendMessageW(w.m_hWnd, message, 0, 0), message == 0x0024 ? 0 : 5) << op;
        ASSERT_FALSE(w.calls.empty()) << op;
        EXPECT_EQ(w.calls[0].op, op);
        EXPECT_EQ(w.calls.size(), 1u) << op << ": an answer other than -1 keeps the default away";
    }
}

TEST_F(QorWndTest, ResultsPassUnchangedAndOnlyMinusOneReachesTheDefault) {
    ProbeWnd w;
    ASSERT_TRUE(Make(w));
    for (int answer : {0, 1, 7, -2}) {
        w.answers["OnChar"] = answer;
        w.calls.clear();
        EXPECT_EQ(SendMessageW(w.m_hWnd, WM_CHAR, 'n', 0), answer);
        EXPECT_EQ(w.Ops(), std::vector<std::string>{"OnChar"});
    }
    w.answers["OnChar"] = NOT_HANDLED;
    w.calls.clear();
    EXPECT_EQ(SendMessageW(w.m_hWnd, WM_CHAR, 'n', 0), 0);
    EXPECT_EQ(w.Ops(), (std::vector<std::string>{"OnChar", "OnDefault"}));

    // The default procedure's own effect: a paint nobody handled is validated.
    w.m_bPaint = FALSE;
    InvalidateRect(w.m_hWnd, nullptr, FALSE);
    w.calls.clear();
    SendMessageW(w.m_hWnd, WM_PAINT, 0, 0);
    EXPECT_EQ(w.Ops(), std::vector<std::string>{"OnDefault"}) << "with m_bPaint FALSE nothing is drawn";
    EXPECT_FALSE(GetUpdateRect(w.m_hWnd, nullptr, FALSE));
}

TEST_F(QorWndTest, PaintDrawsTheClientWithTheDrawResult) {
    ProbeWnd w;
    ASSERT_TRUE(Make(w));
    w.answers["OnDraw"] = 1;
    InvalidateRect(w.m_hWnd, nullptr, FALSE);
    EXPECT_EQ(SendMessageW(w.m_hWnd, WM_PAINT, 0, 0), 1);
    ASSERT_EQ(w.Ops(), std::vector<std::string>{"OnDraw"});
    EXPECT_EQ(w.calls[0].wParam, 240u);
    EXPECT_EQ(w.calls[0].lParam, 268);
    EXPECT_FALSE(GetUpdateRect(w.m_hWnd, nullptr, FALSE)) << "the paint validated";
}

TEST_F(QorWndTest, TheStylusPointIsTwoUnsignedHalves) {
    ProbeWnd w;
    ASSERT_TRUE(Make(w));
    SendMessageW(w.m_hWnd, WM_LBUTTONUP, 9, MAKELPARAM(32, 80));
    SendMessageW(w.m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(0xFFFA, 1));
    ASSERT_GE(w.calls.size(), 2u);
    EXPECT_EQ(w.calls[0].op, "OnLButtonUp");
    EXPECT_EQ(w.calls[0].wParam, 32u);
    EXPECT_EQ(w.calls[0].lParam, 80);
    EXPECT_EQ(w.calls[2].op, "OnLButtonDown");
    EXPECT_EQ(w.calls[2].wParam, 65530u) << "never negative";
}

TEST_F(QorWndTest, OnInitsResultIsReturnedAsItIsForCreateAndInitDialog) {
    ProbeWnd w;
    w.answers["OnInit"] = NOT_HANDLED;
    EXPECT_FALSE(Make(w, L"Refused")) << "-1 from WM_CREATE aborts the creation instead of reaching the default";
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_EQ(FindWindowW(L"ProbeClass", L"Refused"), nullptr);

    // WM_INITDIALOG as the dialog manager sends it, straight to the procedure.
    RecordingWindow host(/*visible=*/true);
    ProbeWnd d;
    d.answers["OnInit"] = NOT_HANDLED;
    EXPECT_EQ(CQorWnd::WindowProc(host.hwnd(), WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&d)), -1);
    EXPECT_EQ(d.m_hWnd, host.hwnd());
    d.answers["OnInit"] = 0;
    EXPECT_EQ(CQorWnd::WindowProc(host.hwnd(), WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&d)), 0);
    EXPECT_EQ(d.Ops(), (std::vector<std::string>{"OnInit", "OnInit"}));
    d.m_hWnd = nullptr;  // the host is not the probe's to destroy
}

TEST_F(QorWndTest, DestroyDetachesTheObjectEvenWhenOnDestroyDoesNot) {
    ProbeWnd w;
    ASSERT_TRUE(Make(w));
    HWND hwnd = w.m_hWnd;
    w.answers["OnDestroy"] = 0;  // the probe's answer: the base never ran, m_hWnd stays
    DestroyWindow(hwnd);
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_EQ(w.Ops(), std::vector<std::string>{"OnDestroy"});

    // A later message for that handle, as a stale queue entry would bring it: only the default.
    w.calls.clear();
    w.m_hWnd = nullptr;
    EXPECT_EQ(CQorWnd::WindowProc(hwnd, WM_CHAR, 'n', 0), 0);
    EXPECT_TRUE(w.calls.empty());
}

TEST_F(QorWndTest, AMessageAfterDestroyReachesOnlyTheDefaultEvenIfTheSlotStillPointsToTheObject) {
    RecordingWindow host(/*visible=*/true);
    ProbeWnd d;
    CQorWnd::WindowProc(host.hwnd(), WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&d));
    CQorWnd::WindowProc(host.hwnd(), WM_DESTROY, 0, 0);
    d.calls.clear();
    EXPECT_EQ(CQorWnd::WindowProc(host.hwnd(), WM_KEYUP, VK_RETURN, 0), 0);
    EXPECT_TRUE(d.calls.empty()) << "m_hWnd no longer matches: the object is not called";
    SetWindowLongPtrW(host.hwnd(), GWLP_USERDATA, 0);
}

TEST_F(QorWndTest, TheDefaultClassNameAndASecondCreateThatRaisesTheFirst) {
    ProbeWnd first, second;
    ASSERT_TRUE(Make(first, L"Qor Tintaro", nullptr));
    EXPECT_STREQ(first.m_pszClassName, L"QorClassDefault");
    EXPECT_NE(first.m_atomClass, 0);
    ShowWindow(first.m_hWnd, SW_MINIMIZE);
    EXPECT_FALSE(Make(second, L"Qor Tintaro", L""));
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_EQ(second.m_atomClass, 0) << "no class is registered for a refused window";
    EXPECT_EQ(backend.Raised(), 1) << "the existing window comes to the front";
    EXPECT_EQ(FindWindowW(L"QorClassDefault", L"Qor Tintaro"), first.m_hWnd);
}

TEST_F(QorWndTest, DestroyUnregistersTheClassAndIsHarmlessOnAFreshObject) {
    ProbeWnd fresh;
    EXPECT_TRUE(fresh.Destroy());
    EXPECT_EQ(fresh.m_hWnd, nullptr);
    EXPECT_EQ(fresh.m_pszClassName, nullptr);

    ProbeWnd w;
    ASSERT_TRUE(Make(w, L"One", L"ReusedClass"));
    HWND old = w.m_hWnd;
    EXPECT_TRUE(w.Destroy());
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(w.m_atomClass, 0);
    ProbeWnd again;
    EXPECT_TRUE(Make(again, L"Two", L"ReusedClass")) << "the class name is free again";
}

TEST_F(QorWndTest, CloseQuitsForAWindowAndEndsADialogWithZero) {
    ProbeWnd w;
    ASSERT_TRUE(Make(w));
    EXPECT_EQ(SendMessageW(w.m_hWnd, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(w.m_hWnd)) << "closing posts the quit; the window stays";
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 0u);

    ProbeWnd dialog;
    dialog.onInit = [](HWND h) { PostMessageW(h, WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog.DoModal(w.m_hWnd, instance, 129), 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_FALSE(dialog.m_bIsWindow);
}

TEST_F(QorWndTest, ACloseRequestDuringADialogQuitsThroughTheMainWindow) {
    ProbeWnd main;
    ASSERT_TRUE(Make(main));
    ProbeWnd dialog;
    backend.ScriptClose();
    EXPECT_EQ(dialog.DoModal(main.m_hWnd, instance, 129), 0) << "the dialog unwinds on the quit";
    auto ops = dialog.Ops();
    EXPECT_EQ(std::count(ops.begin(), ops.end(), std::string("OnClose")), 0) << "the dialog never hears the close";
    auto mainOps = main.Ops();
    EXPECT_EQ(std::count(mainOps.begin(), mainOps.end(), std::string("OnClose")), 1);
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(QorWndTest, DoModalWhileTheDialogShowsRaisesItAndReturnsOne) {
    ProbeWnd dialog;
    int nested = -5;
    dialog.onInit = [&](HWND h) {
        nested = dialog.DoModal(nullptr, instance, 130);
        EndDialog(h, 3);
    };
    EXPECT_EQ(dialog.DoModal(nullptr, instance, 129), 3);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(backend.Raised(), 1);
    EXPECT_EQ(dialog.DoModal(nullptr, instance, 999), -1) << "a missing resource";
}

}  // namespace
