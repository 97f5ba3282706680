// The virtual clock: every block transfer into a window is a frame, so paced loops always end.
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Gdi.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

using HeadlessClockTest = PlatformTest;

TEST_F(HeadlessClockTest, TransfersIntoWindowsThatShowNothingStillMoveTheClock) {
    RecordingWindow main(true);
    RecordingWindow outside(WS_CHILD | WS_VISIBLE, main.hwnd(), RECT{-40, -40, -10, -10});
    RecordingWindow empty(WS_VISIBLE, nullptr, RECT{0, 0, 0, 0});
    HDC source = CreateCompatibleDC(nullptr);
    for (HDC target : {GetDC(outside.hwnd()), GetDC(empty.hwnd()), source}) {
        const DWORD before = GetTickCount();
        BitBlt(target, 0, 0, 1, 1, source, 0, 0, SRCCOPY);
        TransparentImage(target, 0, 0, 1, 1, source, 0, 0, 1, 1, 0xF800F8);
        EXPECT_EQ(GetTickCount() - before, target == source ? 0 : 2 * backend.Clock().perFrame);
    }
}

}  // namespace
