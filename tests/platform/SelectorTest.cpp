// The selector: list messages, steps by key and tap with their notifications, the disabled state,
// and dialog 130 laid out as the Options screen does it, at three screen sizes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/Runtime.h"
#include "platform/Selector.h"
#include "platform/Shell.h"
#include "platform/SoftKeyBar.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

// A shown window with a selector of three entries, "b" selected and focused. Only notifications
// naming the selector and code 1 are noted, with the selection they report.
class SelectorTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        parent = std::make_unique<RecordingWindow>(/*visible=*/true);
        platform::RegisterSelectorClass();
        selector = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 100, 232, 19,
                                   parent->hwnd(), reinterpret_cast<HMENU>(uintptr_t{123}), nullptr, nullptr);
        for (LPCWSTR text : {L"a", L"b", L"c"}) Send(LB_ADDSTRING, 0, text);
        Send(LB_SETCURSEL, 1);
        SetFocus(selector);
        parent->onMessage = [this](UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_COMMAND && wp == MAKEWPARAM(123, LBN_SELCHANGE) && lp == reinterpret_cast<LPARAM>(selector))
                notified.push_back(Send(LB_GETCURSEL));
            return 0;
        };
        GetWindowRect(selector, &rect);
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPCWSTR text = nullptr) {
        return SendMessageW(selector, message, wParam, reinterpret_cast<LPARAM>(text));
    }

    std::unique_ptr<RecordingWindow> parent;
    HWND selector = nullptr;
    RECT rect{};
    std::vector<LRESULT> notified;
};

TEST_F(SelectorTest, ListMessagesAppendInOrderAndSelectOnlyInsideTheList) {
    struct {
        UINT message;
        WPARAM index;
        LPCWSTR text;
        LRESULT result, selected;
    } cases[] = {
        {LB_ADDSTRING, 0, L"z", 3, 1}, {LB_ADDSTRING, 0, nullptr, LB_ERR, 1}, {LB_GETTEXTLEN, 3, nullptr, 1, 1},
        {LB_GETTEXTLEN, 4, nullptr, LB_ERR, 1}, {LB_SETCURSEL, 3, nullptr, 3, 3},
        {LB_SETCURSEL, 4, nullptr, LB_ERR, LB_ERR}, {LB_SETCURSEL, 2, nullptr, 2, 2},
        {LB_SETCURSEL, WPARAM(-1), nullptr, LB_ERR, LB_ERR}, {LB_RESETCONTENT, 0, nullptr, 0, LB_ERR},
        {LB_SETCURSEL, 0, nullptr, LB_ERR, LB_ERR}, {LB_ADDSTRING, 0, L"y", 0, LB_ERR},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Send(c.message, c.index, c.text), c.result) << std::hex << c.message << " " << c.index;
        EXPECT_EQ(Send(LB_GETCURSEL), c.selected);
    }
    EXPECT_TRUE(notified.empty()) << "the program's own changes tell nobody";
}

TEST_F(SelectorTest, KeysAndTapsOnTheEndsStepWrappingTellTheParentAndStopWhenDisabled) {
    for (UINT vk : {VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_UP}) backend.ScriptKey(vk);
    backend.Script(platform::InputEvent{platform::InputType::KeyDown, VK_LEFT, 0, 0, 0, /*repeat=*/true});
    RecordingWindow::DrainQueue();
    // The ends reach a quarter of the width in; the middle only takes the focus.
    SetFocus(parent->hwnd());
    for (int x : {rect.left + 116, rect.right - 1, rect.left, rect.right - 58, rect.left + 57})
        backend.ScriptTap(x, rect.top + 5);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(GetFocus(), selector);
    EnableWindow(selector, FALSE);
    backend.ScriptKey(VK_RIGHT);
    backend.ScriptTap(rect.right - 1, rect.top + 5);
    RecordingWindow::DrainQueue();
    SendMessageW(selector, WM_KEYDOWN, VK_RIGHT, 0);  // not even a key sent to it straight
    EXPECT_EQ(notified, (std::vector<LRESULT>{2, 0, 2, 1, 0, 1, 0, 1, 0})) << "a held key repeats; Up is no step";
    EXPECT_EQ(Send(LB_GETCURSEL), 0) << "kept while disabled";
}

// Dialog 130 laid out as the Options screen does it: rows of 5/8 icon from the bottom, texts from
// the string table, Colors, Size and Type disabled as in every game but Single, the focus moved
// down to Game and stepped. TINTARO_SHOTS_DIR gets each screen as a PNG.
constexpr int kIdOfRow[] = {0, 121, 122, 124, 123, 120};  // row 1 is the lowest
uint16_t g_field[6];                                       // each row's colour beside its text
HINSTANCE g_game;

INT_PTR CALLBACK OptionsLikeProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    static constexpr UINT kFirst[] = {0, 35, 25, 15, 10, 32}, kLast[] = {0, 38, 30, 19, 14, 33};
    static constexpr WPARAM kPick[] = {0, 0, 2, 4, 1, 1};  // 2 colours, size 5, the longest type, Easy, sound on
    int icon = GetSystemMetrics(SM_CXICON), margin = icon / 8, height = icon * 5 / 8 - 1;
    if (m == WM_INITDIALOG) {
        SetWindowLongPtrW(h, GWLP_USERDATA, lp);
        SHELLDLGINIT init{SHELL_DLG_FLAGS, h, SHELL_DLG_DONEBUTTON | SHELL_DLG_FULLSCREEN};
        SOFTKEYBARINFO bar{sizeof(SOFTKEYBARINFO), h, 0, 131, g_game, 0, 0, nullptr, 0};
        ShellInitDialog(&init);
        ShellCreateSoftKeyBar(&bar);
        RECT client;
        GetClientRect(h, &client);
        for (int row = 1; row <= 5; ++row) {
            HWND s = GetDlgItem(h, kIdOfRow[row]);
            MoveWindow(s, margin, client.bottom - row * height - margin, client.right - 2 * margin, height, FALSE);
            WCHAR text[64];
            for (UINT id = kFirst[row]; id <= kLast[row] && LoadStringW(g_game, id, text, 64); ++id)
                SendMessageW(s, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            SendMessageW(s, LB_SETCURSEL, kPick[row], 0);
            EnableWindow(s, row > 3);
        }
        return 1;
    }
    if (m == WM_COMMAND && LOWORD(wp) == IDOK) {
        auto* backend = reinterpret_cast<platform::HeadlessBackend*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        for (int row = 1; row <= 5; ++row) {
            RECT r;
            GetWindowRect(GetDlgItem(h, kIdOfRow[row]), &r);
            g_field[row] = backend->FramePixel(r.left + height + 2, r.top + 2);
        }
        if (const char* dir = std::getenv("TINTARO_SHOTS_DIR"))
            backend->DumpLastFrame(std::string(dir) + "/selectors-" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) +
                                   "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ".png");
        EndDialog(h, 1);
    }
    return 0;
}

using SelectorDialogTest = PlatformTest;

TEST_F(SelectorDialogTest, FocusedNormalAndDisabledRowsEachLookTheirOwnAtEverySize) {
    for (auto [w, h] : {std::pair{240, 320}, {176, 220}, {480, 640}}) {
        platform::ResetAll();
        platform::SetBackend(&backend);
        ASSERT_TRUE(platform::SelectDeviceProfile(w, h));
        g_game = platform::RegisterModule(TintaroResources());
        backend.SetIdleHandler([&, step = 0]() mutable {  // each key once the last one is painted
            static const UINT kKeys[] = {VK_DOWN, VK_RIGHT, VK_RETURN};
            if (step < 3) backend.ScriptKey(kKeys[step]);
            return step++ < 3;
        });
        HRSRC found = FindResourceW(g_game, MAKEINTRESOURCEW(130), RT_DIALOG);
        auto tpl = static_cast<LPCDLGTEMPLATEW>(LoadResource(g_game, found));
        LPARAM param = reinterpret_cast<LPARAM>(&backend);
        EXPECT_EQ(DialogBoxIndirectParamW(g_game, tpl, nullptr, OptionsLikeProc, param), 1);
        EXPECT_EQ(g_field[4], platform::Pack565(RGB(33, 95, 201))) << w << ": the focused row is a filled bar";
        EXPECT_EQ(g_field[5], 0xFFFF) << w;
        for (int row : {1, 2, 3}) EXPECT_EQ(g_field[row], platform::Pack565(RGB(238, 238, 238))) << w << row;
    }
}

}  // namespace
