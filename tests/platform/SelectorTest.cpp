// The selector: list messages, steps by key and tap with their notices, the disabled state, the looks.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/PixelRows.h"
#include "platform/Selector.h"
#include "platform/Windowing.h"
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
    const struct { UINT message; WPARAM index; LPCWSTR text; LRESULT result, selected; } cases[] = {
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
    // The ends reach a quarter of the width (58) in; the middle only takes the focus.
    SetFocus(parent->hwnd());
    for (int x : {rect.left + 116, rect.right - 1, rect.left, rect.right - 58, rect.left + 57, rect.left + 58, rect.right - 59})
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

// The field beside the text: a filled bar while focused, white otherwise, grey while disabled.
TEST_F(SelectorTest, FocusedNormalAndDisabledEachLookTheirOwn) {
    const struct { HWND focus; BOOL enabled; COLORREF field; } looks[] = {
        {selector, TRUE, RGB(33, 95, 201)}, {parent->hwnd(), TRUE, 0xFFFFFF}, {parent->hwnd(), FALSE, RGB(238, 238, 238)}};
    for (const auto& look : looks) {
        SetFocus(look.focus);
        EnableWindow(selector, look.enabled);
        RecordingWindow::DrainQueue();
        EXPECT_EQ(backend.FramePixel(rect.left + 21, rect.top + 2), platform::Pack565(look.field)) << std::hex << look.field;
    }
}

}  // namespace
