// The message box: answers on release from the soft keys, Y and N and the bar, nothing leaking to
// the owner, a quit while it asks, the owner disabled but painted, a panel that fits every screen.
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::InputEvent;
using platform::InputType;

constexpr wchar_t kLongest[] =
    L"Congratulations!\r\nYou solved the puzzle series in 40 moves.\r\nThe current record is: 31.\r\n"
    L"Would you like to play again?";

class MessageBoxTest : public PlatformTest {};

bool IsInput(UINT m) {
    return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_CHAR || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_COMMAND;
}

TEST_F(MessageBoxTest, AnswersOnReleaseOfSoftKeysYNOrBarTapsAndNothingReachesTheOwner) {
    struct Case {
        const char* what;
        std::vector<InputEvent> input;
        int answer;
    };
    // A press and its release: of a key, or of the stylus at x on the soft-key bar.
    auto press = [](InputType down, InputType up, UINT vk, wchar_t ch, int x = 0) {
        return std::vector<InputEvent>{{down, vk, ch, x, 310, false}, {up, vk, 0, x, 310, false}};
    };
    auto key = [&](UINT vk, wchar_t ch = 0) { return press(InputType::KeyDown, InputType::KeyUp, vk, ch); };
    auto tap = [&](int x) { return press(InputType::MouseDown, InputType::MouseUp, 0, 0, x); };
    const Case cases[] = {
        {"F1", key(VK_F1), IDYES}, {"F2", key(VK_F2), IDNO},     {"Y", key('Y', L'y'), IDYES},
        {"N", key('N', L'n'), IDNO}, {"tap left", tap(30), IDYES}, {"tap right", tap(210), IDNO},
    };
    for (const Case& c : cases) {
        RecordingWindow owner(/*visible=*/true);
        // The press alone answers nothing: the script runs out with the box still asking, and the
        // quit that follows ends the box with 0 and reaches the loop outside.
        backend.Script(c.input.front());
        EXPECT_EQ(MessageBoxW(owner.hwnd(), L"Play again?", L"Complete!", MB_YESNO), 0) << c.what;
        MSG quit;
        EXPECT_FALSE(GetMessageW(&quit, nullptr, 0, 0));
        EXPECT_EQ(quit.wParam, static_cast<WPARAM>(platform::kInputEndedExitCode));

        for (const InputEvent& e : c.input) backend.Script(e);
        EXPECT_EQ(MessageBoxW(owner.hwnd(), L"Play again?", L"Complete!", MB_YESNO), c.answer) << c.what;
        RecordingWindow::DrainQueue();
        std::vector<UINT> got = owner.Messages();
        EXPECT_EQ(std::count_if(got.begin(), got.end(), IsInput), 0) << c.what << ": the release stays with the box";
        EXPECT_TRUE(IsWindowEnabled(owner.hwnd())) << c.what;
        EXPECT_EQ(platform::ActiveWindow(), owner.hwnd()) << c.what << ": the box has gone";
    }
    EXPECT_EQ(MessageBoxW(nullptr, L"?", L"", 0), 0) << "only Yes/No questions";
}

TEST_F(MessageBoxTest, OnEveryScreenThePanelFitsOverTheDisabledOwnerWhichStillRepaints) {
    for (const platform::DeviceProfile& p : platform::KnownDeviceProfiles()) {
        platform::SelectDeviceProfile(p.width, p.height);
        RecordingWindow owner(/*visible=*/true);
        RECT panel{};
        bool ownerEnabled = true;
        int step = 0;
        backend.SetIdleHandler([&] {
            if (step++ == 0) {
                GetWindowRect(platform::ActiveWindow(), &panel);
                ownerEnabled = IsWindowEnabled(owner.hwnd());
                owner.Clear();
                InvalidateRect(owner.hwnd(), nullptr, FALSE);
            } else {
                backend.ScriptSoftKey(true);
            }
            return true;
        });
        EXPECT_EQ(MessageBoxW(owner.hwnd(), kLongest, L"Complete!", MB_YESNO), IDNO);
        RECT area = platform::FullScreenArea();
        EXPECT_TRUE(panel.left >= 0 && panel.right <= p.width && panel.top >= area.top && panel.bottom <= area.bottom)
            << p.width << "x" << p.height;
        EXPECT_GT(panel.bottom - panel.top, 5 * p.icon / 4) << "room for the caption and the text";
        EXPECT_FALSE(ownerEnabled);
        std::vector<UINT> got = owner.Messages();
        EXPECT_EQ(std::count(got.begin(), got.end(), WM_PAINT), 1) << "painted, though disabled";
    }
    const platform::MessageBoxRecord& last = platform::MessageBoxesShown().back();
    EXPECT_EQ(last.caption, L"Complete!");
    EXPECT_EQ(last.text, kLongest);
    EXPECT_EQ(last.type, MB_YESNO);
}

}  // namespace
