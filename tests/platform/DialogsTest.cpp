// Dialogs and message boxes: controls and focus, answers on the release, the disabled owner, nested quits.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::InputEvent;
using platform::InputType;
using Handler = std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>;

INT_PTR CALLBACK ForwardingProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_INITDIALOG) SetWindowLongPtrW(h, GWLP_USERDATA, lp);
    auto* handler = reinterpret_cast<Handler*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    return handler ? (*handler)(h, m, wp, lp) : 0;
}

// A control that records, as "id:message", the focus and the keys that reach it.
std::vector<std::string> g_control;

LRESULT CALLBACK SpinProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_CREATE) SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->hMenu));
    if (m == WM_SETFOCUS || m == WM_KEYDOWN)
        g_control.push_back(std::to_string(GetWindowLongPtrW(h, GWLP_USERDATA)) + (m == WM_SETFOCUS ? ":focus" : ":key"));
    return DefWindowProcW(h, m, wp, lp);
}

constexpr DWORD kStop = WS_VISIBLE | WS_TABSTOP;
constexpr platform::DialogItemResource kSpinItems[] = {
    {L"TestSpin", 0, 11, kStop, 4, 80, 100, 20, L""},
    {L"TestSpin", 0, 12, kStop, 4, 20, 100, 20, L""},
    {L"TestSpin", 0, 13, kStop | WS_DISABLED, 4, 50, 100, 20, L""},
    {L"TestSpin", 0, 14, WS_VISIBLE, 4, 110, 100, 20, L""},
};
constexpr platform::DialogItemResource kMissingClassItems[] = {{L"NoSuchClass", 0, 1, kStop, 0, 0, 10, 10, L""}};
constexpr platform::DialogResource kDialogs[] = {
    {1, 0x80C80048, 0, 0, 100, 100, L"Plain", L"MS Shell Dlg", 8, {}},
    {2, 0x80C80048, 0, 0, 200, 400, L"Spin", L"MS Shell Dlg", 8, kSpinItems},
    {3, 0x80C80048, 0, 0, 50, 50, L"Broken", L"MS Shell Dlg", 8, kMissingClassItems},
};

bool IsInput(UINT m) {
    return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_CHAR || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_COMMAND;
}

class DialogsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        instance = platform::RegisterModule(platform::ModuleResources{{}, kDialogs, {}});
        WNDCLASSW wc{0, SpinProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"TestSpin"};
        RegisterClassW(&wc);
        g_control.clear();
    }
    INT_PTR Run(UINT id, HWND parent, Handler& handler) {
        HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(static_cast<WORD>(id)), RT_DIALOG);
        auto tpl = static_cast<LPCDLGTEMPLATEW>(LoadResource(instance, found));
        return DialogBoxIndirectParamW(instance, tpl, parent, ForwardingProc, reinterpret_cast<LPARAM>(&handler));
    }
    HINSTANCE instance = nullptr;
};

// WM_INITDIALOG brings the first control and the parameter. 12 is the top-most; Down skips the
// disabled 13 to 11, Down wraps to 12, Up goes to 11, and only Left reaches the control.
TEST_F(DialogsTest, ControlsAreMadeFromTheDescriptionAndTheTopMostEnabledOneHasTheFocusOrNothingIsMade) {
    RecordingWindow owner(/*visible=*/true);
    HWND dialog = nullptr;
    Handler handler = [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> INT_PTR {
        RECT d{}, item{};
        if (m == WM_INITDIALOG && GetWindowRect(h, &d) && GetWindowRect(GetDlgItem(h, 11), &item)) {
            dialog = h;
            EXPECT_TRUE(reinterpret_cast<HWND>(wp) == GetDlgItem(h, 11) && lp == reinterpret_cast<LPARAM>(&handler));
            EXPECT_TRUE(d.top == 26 && d.bottom == 294 && item.top == 26 + 80 && item.right - item.left == 100);
        }
        if (m == WM_COMMAND && LOWORD(wp) == IDOK) EndDialog(h, 7);
        return m == WM_INITDIALOG;
    };
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_UP, VK_LEFT, VK_RETURN}) backend.ScriptKey(vk);
    EXPECT_EQ(Run(2, owner.hwnd(), handler), 7);
    EXPECT_TRUE(dialog && !IsWindow(dialog));
    EXPECT_EQ(g_control, (std::vector<std::string>{"12:focus", "11:focus", "12:focus", "11:focus", "11:key"}));
    // A missing description or control class fails and leaves nothing behind.
    EXPECT_TRUE(Run(3, owner.hwnd(), handler) == -1 && !FindResourceW(instance, MAKEINTRESOURCEW(99), RT_DIALOG) &&
                DialogBoxIndirectParamW(instance, nullptr, owner.hwnd(), ForwardingProc, 0) == -1);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
    EXPECT_EQ(platform::WindowsInCreationOrder().size(), 1u);
}

// Every way to answer a dialog or a message box: the press alone answers nothing (the script runs
// out, the loop ends on the quit and passes it on); with its release, the answer comes, nothing
// reaches the owner, and the owner is enabled and active again.
TEST_F(DialogsTest, ModalWindowsAnswerOnTheReleaseAndKeepTheirInputFromTheOwner) {
    auto press = [](InputType down, InputType up, UINT vk, wchar_t ch, int x) {
        return std::pair{InputEvent{down, vk, ch, x, 310, false}, InputEvent{up, vk, 0, x, 310, false}};
    };
    auto key = [&](UINT vk, wchar_t ch = 0) { return press(InputType::KeyDown, InputType::KeyUp, vk, ch, 0); };
    auto tap = [&](int x) { return press(InputType::MouseDown, InputType::MouseUp, 0, 0, x); };  // on the bar
    const struct { const char* what; std::pair<InputEvent, InputEvent> input; INT_PTR answer; } cases[] = {  // 9: the dialog's
        {"Enter in a dialog", key(VK_RETURN), 9}, {"F1", key(VK_F1), IDYES},     {"F2", key(VK_F2), IDNO},
        {"Y", key('Y', L'y'), IDYES},             {"N", key('N', L'n'), IDNO},  {"tap left", tap(30), IDYES},
        {"tap right", tap(210), IDNO},
    };
    Handler handler = [](HWND h, UINT m, WPARAM wp, LPARAM) -> INT_PTR {
        if (m == WM_COMMAND && LOWORD(wp) == IDOK) EndDialog(h, 9);
        return 0;
    };
    for (const auto& c : cases) {
        RecordingWindow owner(/*visible=*/true);
        auto ask = [&] {
            return c.answer == 9 ? Run(2, owner.hwnd(), handler) : MessageBoxW(owner.hwnd(), L"Again?", L"Complete!", MB_YESNO);
        };
        backend.Script(c.input.first);
        EXPECT_EQ(ask(), 0) << c.what;
        EXPECT_TRUE(IsWindowEnabled(owner.hwnd())) << c.what;
        MSG quit;
        EXPECT_FALSE(GetMessageW(&quit, nullptr, 0, 0));
        EXPECT_EQ(quit.wParam, static_cast<WPARAM>(platform::kInputEndedExitCode));
        backend.Script(c.input.first);
        backend.Script(c.input.second);
        EXPECT_EQ(ask(), c.answer) << c.what;
        RecordingWindow::DrainQueue();
        std::vector<UINT> got = owner.Messages();
        EXPECT_EQ(std::count_if(got.begin(), got.end(), IsInput), 0) << c.what << ": the release stays with it";
        EXPECT_TRUE(IsWindowEnabled(owner.hwnd()) && platform::ActiveWindow() == owner.hwnd()) << c.what;
    }
    EXPECT_EQ(MessageBoxW(nullptr, L"?", L"", 0), 0) << "only Yes/No questions";
}

// A dialog without controls gets every key; the procedure's answer decides whether the manager
// steps in: a nonzero answer is the result, and an unanswered close asks for Cancel.
TEST_F(DialogsTest, WithoutControlsTheProcedureGetsEveryKeyAndItsAnswerDecides) {
    LRESULT custom = 0, unhandled = 1;
    std::vector<WPARAM> seen;
    Handler handler = [&](HWND h, UINT m, WPARAM wp, LPARAM) -> INT_PTR {
        if (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_COMMAND) seen.push_back(m == WM_COMMAND ? LOWORD(wp) : wp);
        if (m == WM_KEYUP && wp == '5') {
            custom = SendMessageW(h, WM_USER + 1, 0, 0);
            unhandled = SendMessageW(h, WM_USER + 2, 0, 0);
            SendMessageW(h, WM_CLOSE, 0, 0);
        }
        if (m == WM_COMMAND) EndDialog(h, 2);
        return m == WM_USER + 1 ? 5 : m == WM_INITDIALOG;
    };
    for (UINT vk : std::initializer_list<UINT>{VK_UP, VK_RETURN, '5'}) backend.ScriptKey(vk);
    EXPECT_EQ(Run(1, nullptr, handler), 2);
    EXPECT_EQ(seen, (std::vector<WPARAM>{VK_UP, VK_UP, VK_RETURN, VK_RETURN, '5', '5', IDCANCEL}));
    EXPECT_EQ(custom, 5);
    EXPECT_EQ(unhandled, 0);
}

TEST_F(DialogsTest, TheOwnerIsPaintedButGetsNoInputAndTheDialogIsPaintedInItsColour) {
    RecordingWindow owner(/*visible=*/true);
    uint16_t during = 0;
    int userMessages = 0;
    bool ownerEnabledInside = true;
    Handler handler = [&](HWND h, UINT m, WPARAM wp, LPARAM) -> INT_PTR {
        if (m == WM_INITDIALOG) ownerEnabledInside = IsWindowEnabled(owner.hwnd()), InvalidateRect(owner.hwnd(), nullptr, FALSE);
        if (m == WM_KEYUP && wp == VK_RIGHT) {
            during = backend.FramePixel(50, 50);
            PostMessageW(h, WM_USER, 0, 0);
            PostMessageW(h, WM_USER, 0, 0);
        }
        if (m == WM_USER && ++userMessages == 1) EndDialog(h, 4);
        return 0;
    };
    backend.ScriptTap(150, 200);  // over the owner, beside the dialog
    // The key comes once everything queued, paints included, has been handled.
    backend.SetIdleHandler([this, fed = false]() mutable { return !fed && (backend.ScriptKey(VK_RIGHT), fed = true); });
    EXPECT_EQ(Run(1, owner.hwnd(), handler), 4);
    RecordingWindow::DrainQueue();
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_EQ(userMessages, 1) << "the second post died with the dialog";
    EXPECT_EQ(owner.Of(WM_PAINT).size() + owner.Of(WM_SETFOCUS).size(), owner.Messages().size()) << "no input";
    EXPECT_EQ(owner.Of(WM_PAINT).size(), 1u);
    EXPECT_EQ(during, 0xFFFF) << "an unanswered erase fills the dialog white";
    EXPECT_EQ(backend.FramePixel(50, 50), 0x0000) << "the owner's own picture shows again";
}

TEST_F(DialogsTest, QuitEndsNestedDialogsOneByOneAndReachesTheMainLoop) {
    std::vector<INT_PTR> results;
    Handler inner = [&](HWND, UINT m, WPARAM wp, LPARAM) -> INT_PTR { return m == WM_KEYUP && wp == '2' ? PostQuitMessage(9), 0 : 0; };
    Handler outer = [&](HWND h, UINT m, WPARAM wp, LPARAM) -> INT_PTR {
        return m == WM_KEYUP && wp == '1' ? results.push_back(Run(1, h, inner)), 0 : 0;
    };
    for (UINT vk : {'1', '2', '3'}) backend.ScriptKey(vk);
    results.push_back(Run(1, nullptr, outer));
    EXPECT_EQ(results, (std::vector<INT_PTR>{0, 0}));
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_EQ(backend.ScriptLength(), 2u) << "nothing after the quit was taken";
}

// The longest question the game asks, on every screen: the panel fits between the bars over the
// owner, which is disabled but still repaints.
TEST_F(DialogsTest, OnEveryScreenTheMessageBoxFitsOverItsDisabledOwner) {
    constexpr wchar_t kLongest[] =
        L"Congratulations!\r\nYou solved the puzzle series in 40 moves.\r\nThe current record is: 31.\r\n"
        L"Would you like to play again?";
    for (const platform::DeviceProfile& p : platform::KnownDeviceProfiles()) {
        platform::SelectDeviceProfile(p.width, p.height);
        RecordingWindow owner(/*visible=*/true);
        RECT panel{};
        bool ownerEnabled = true;
        backend.SetIdleHandler([&, step = 0]() mutable {
            if (step++ > 0) return backend.ScriptSoftKey(true), true;
            GetWindowRect(platform::ActiveWindow(), &panel);
            ownerEnabled = IsWindowEnabled(owner.hwnd());
            owner.Clear();
            return InvalidateRect(owner.hwnd(), nullptr, FALSE), true;
        });
        EXPECT_EQ(MessageBoxW(owner.hwnd(), kLongest, L"Complete!", MB_YESNO), IDNO);
        const RECT area = platform::FullScreenArea();
        EXPECT_TRUE(panel.left >= 0 && panel.right <= p.width && panel.top >= area.top && panel.bottom <= area.bottom)
            << p.width << "x" << p.height;
        EXPECT_GT(panel.bottom - panel.top, 5 * p.icon / 4) << "room for the caption and the text";
        EXPECT_FALSE(ownerEnabled);
        std::vector<UINT> got = owner.Messages();
        EXPECT_EQ(std::count(got.begin(), got.end(), WM_PAINT), 1) << "painted, though disabled";
    }
    const platform::MessageBoxRecord& last = platform::MessageBoxesShown().back();
    EXPECT_TRUE(last.caption == L"Complete!" && last.text == kLongest && last.type == MB_YESNO);
}

}  // namespace
