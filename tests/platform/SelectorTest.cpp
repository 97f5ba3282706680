// The selector: its list messages, steps by key and tap, notifications, the disabled state and its look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/PixelRows.h"
#include "platform/Runtime.h"
#include "platform/Selector.h"
#include "platform/Shell.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

class SelectorTest : public PlatformTest {
protected:
    // A shown window with one selector of three entries, entry 1 selected, the focus on it. The
    // parent notes the selection at each notification, which must name the selector and code 1.
    void MakeSelector() {
        parent = std::make_unique<RecordingWindow>(/*visible=*/true);
        platform::RegisterSelectorClass();
        selector = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 100, 232, 19,
                                   parent->hwnd(), reinterpret_cast<HMENU>(uintptr_t{123}), nullptr, nullptr);
        for (LPCWSTR text : {L"a", L"b", L"c"}) SendMessageW(selector, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(selector, LB_SETCURSEL, 1, 0);
        SetFocus(selector);
        parent->onMessage = [this](UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m != WM_COMMAND) return 0;
            EXPECT_EQ(wp, MAKEWPARAM(123, LBN_SELCHANGE));
            EXPECT_EQ(lp, reinterpret_cast<LPARAM>(selector));
            notified.push_back(static_cast<int>(Selected()));
            return 0;
        };
    }
    LRESULT Selected() const { return SendMessageW(selector, LB_GETCURSEL, 0, 0); }

    std::unique_ptr<RecordingWindow> parent;
    HWND selector = nullptr;
    std::vector<int> notified;
};

TEST_F(SelectorTest, ListMessagesAddInOrderAndSelectOnlyInsideTheList) {
    MakeSelector();
    struct Case {
        UINT message;
        WPARAM wParam;
        LPCWSTR text;
        LRESULT result, selectedAfter;
    } cases[] = {
        {LB_ADDSTRING, 0, L"z", 3, 1},          // appended, not sorted
        {LB_ADDSTRING, 0, nullptr, LB_ERR, 1},  // no text, no entry
        {LB_SETCURSEL, 3, nullptr, 3, 3},
        {LB_SETCURSEL, 4, nullptr, LB_ERR, LB_ERR},
        {LB_SETCURSEL, 0, nullptr, 0, 0},
        {LB_SETCURSEL, static_cast<WPARAM>(-1), nullptr, LB_ERR, LB_ERR},
        {LB_SETCURSEL, 2, nullptr, 2, 2},
        {LB_RESETCONTENT, 0, nullptr, 0, LB_ERR},
        {LB_SETCURSEL, 0, nullptr, LB_ERR, LB_ERR},
        {LB_ADDSTRING, 0, L"y", 0, LB_ERR},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessageW(selector, c.message, c.wParam, reinterpret_cast<LPARAM>(c.text)), c.result)
            << std::hex << c.message << " " << c.wParam;
        EXPECT_EQ(Selected(), c.selectedAfter);
    }
    EXPECT_TRUE(notified.empty()) << "the program's own changes tell nobody";
}

TEST_F(SelectorTest, LeftAndRightStepWrappingAndTellTheParentEachTime) {
    MakeSelector();
    for (UINT vk : {VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_UP}) backend.ScriptKey(vk);
    backend.Script(platform::InputEvent{platform::InputType::KeyDown, VK_LEFT, 0, 0, 0, /*repeat=*/true});
    RecordingWindow::DrainQueue();
    EXPECT_EQ(notified, (std::vector<int>{2, 0, 2, 1, 0})) << "a held key repeats; Up is not a step";
}

TEST_F(SelectorTest, ATapOnEitherEndStepsAndOneInTheMiddleOnlyTakesTheFocus) {
    MakeSelector();
    SetFocus(parent->hwnd());
    RECT r;
    GetWindowRect(selector, &r);
    for (int x : {r.left + 116, r.left, r.right - 1, r.left + 57, r.right - 58}) backend.ScriptTap(x, r.top + 5);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(GetFocus(), selector);
    EXPECT_EQ(notified, (std::vector<int>{0, 1, 0, 1})) << "the ends reach a quarter of the width in";
}

TEST_F(SelectorTest, ADisabledSelectorIgnoresKeysAndTapsAndKeepsItsSelection) {
    MakeSelector();
    EnableWindow(selector, FALSE);
    RECT r;
    GetWindowRect(selector, &r);
    backend.ScriptKey(VK_RIGHT);
    backend.ScriptTap(r.right - 1, r.top + 5);
    RecordingWindow::DrainQueue();
    SendMessageW(selector, WM_KEYDOWN, VK_RIGHT, 0);  // even a key sent to it straight
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(notified.empty());
    EXPECT_EQ(SendMessageW(selector, LB_SETCURSEL, 2, 0), 2) << "the program still sets it";
}

// Dialog 130 laid out as the Options screen does it: full screen, rows of 5/8 icon at the bottom,
// filled from the string table; Colors, Size and Type disabled as in every mode but Single.
class SelectorDialogTest : public PlatformTest {
protected:
    static constexpr UINT kIdOfRow[] = {0, 121, 122, 124, 123, 120};  // row 1 is the lowest
    static constexpr UINT kFirst[] = {0, 35, 25, 15, 10, 32}, kLast[] = {0, 38, 30, 19, 14, 33};
    static constexpr WPARAM kPick[] = {0, 0, 2, 4, 1, 1};  // Colors: 2, Size: 5, the longest Type, Game: Easy, sound on

    static INT_PTR CALLBACK Proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_INITDIALOG) SetWindowLongPtrW(h, GWLP_USERDATA, lp);
        auto* self = reinterpret_cast<SelectorDialogTest*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (m == WM_INITDIALOG) return self->Init(h);
        if (m == WM_COMMAND && LOWORD(wp) == IDOK) {
            self->Inspect(h);
            EndDialog(h, 1);
        }
        return 0;
    }

    INT_PTR Init(HWND h) {
        SHELLDLGINIT init{SHELL_DLG_FLAGS, h, SHELL_DLG_DONEBUTTON | SHELL_DLG_FULLSCREEN};
        ShellInitDialog(&init);
        SOFTKEYBARINFO bar{sizeof(SOFTKEYBARINFO), h, 0, 131, game, 0, 0, nullptr, 0};
        ShellCreateSoftKeyBar(&bar);
        int icon = GetSystemMetrics(SM_CXICON), margin = icon / 8, height = icon * 5 / 8 - 1;
        RECT client;
        GetClientRect(h, &client);
        for (int row = 1; row <= 5; ++row) {
            HWND s = GetDlgItem(h, static_cast<int>(kIdOfRow[row]));
            MoveWindow(s, margin, client.bottom - row * height - margin, GetSystemMetrics(SM_CXSCREEN) - 2 * margin,
                       height, FALSE);
            WCHAR text[64];
            for (UINT id = kFirst[row]; id <= kLast[row]; ++id) {
                LoadStringW(game, id, text, 64);
                SendMessageW(s, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            }
            SendMessageW(s, LB_SETCURSEL, kPick[row], 0);
            if (row <= 3) EnableWindow(s, FALSE);
        }
        return 1;
    }

    // The field colour beside each row's text, and dark pixels along the middle of the top row.
    void Inspect(HWND dialog) {
        for (int row = 1; row <= 5; ++row) {
            RECT r;
            GetWindowRect(GetDlgItem(dialog, static_cast<int>(kIdOfRow[row])), &r);
            field[row] = backend.FramePixel(r.left + (r.bottom - r.top) + 2, r.top + 2);
            for (int x = r.left; row == 5 && x < r.right; ++x)
                ink += backend.FramePixel(x, (r.top + r.bottom) / 2) < platform::Pack565(RGB(64, 64, 64)) ? 1 : 0;
        }
        if (const char* dir = std::getenv("TINTARO_SHOTS_DIR")) backend.DumpLastFrame(std::string(dir) + "/" + shot);
    }

    HINSTANCE game = nullptr;
    std::string shot;
    uint16_t field[6]{};
    int ink = 0;
    std::vector<int> focusOrder;
};

TEST_F(SelectorDialogTest, UpAndDownSkipDisabledRowsAndEachStateLooksItsOwn) {
    for (auto [w, h] : {std::pair{240, 320}, {176, 220}, {480, 640}}) {
        platform::ResetAll();
        platform::SetBackend(&backend);
        ASSERT_TRUE(platform::SelectDeviceProfile(w, h));
        game = platform::RegisterModule(TintaroResources());
        shot = "selectors-" + std::to_string(w) + "x" + std::to_string(h) + ".png";
        focusOrder.clear();
        ink = 0;
        // The focus starts on the top row; Down, Down, Up visit the enabled rows only; Right
        // steps the focused one; then Enter.
        backend.SetIdleHandler([this, step = 0]() mutable {
            static const UINT kKeys[] = {VK_DOWN, VK_DOWN, VK_UP, VK_RIGHT, VK_RETURN};
            HWND focus = GetFocus();
            for (int row = 1; row <= 5 && step < 4; ++row)
                if (focus && GetDlgItem(GetParent(focus), static_cast<int>(kIdOfRow[row])) == focus)
                    focusOrder.push_back(row);
            if (step == 5) return false;
            backend.ScriptKey(kKeys[step++]);
            return true;
        });
        HRSRC found = FindResourceW(game, MAKEINTRESOURCEW(130), RT_DIALOG);
        auto tpl = static_cast<LPCDLGTEMPLATEW>(LoadResource(game, found));
        EXPECT_EQ(DialogBoxIndirectParamW(game, tpl, nullptr, Proc, reinterpret_cast<LPARAM>(this)), 1);
        EXPECT_EQ(focusOrder, (std::vector<int>{5, 4, 5, 4})) << w;
        EXPECT_EQ(field[4], platform::Pack565(RGB(33, 95, 201))) << w << ": the focused row is a filled bar";
        EXPECT_EQ(field[5], 0xFFFF) << w;
        for (int row : {1, 2, 3}) EXPECT_EQ(field[row], platform::Pack565(RGB(238, 238, 238))) << w << " row " << row;
        EXPECT_GT(ink, 3) << w << ": the top row's text is drawn";
    }
}

}  // namespace
