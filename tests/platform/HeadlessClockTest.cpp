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
    for (HWND target : {outside.hwnd(), empty.hwnd()}) {
        HDC dc = GetDC(target);
        const DWORD before = GetTickCount();
        for (int transfer = 0; transfer < 3; ++transfer) {
            BitBlt(dc, 0, 0, 1, 1, source, 0, 0, SRCCOPY);
            TransparentImage(dc, 0, 0, 1, 1, source, 0, 0, 1, 1, 0xF800F8);
        }
        EXPECT_EQ(GetTickCount() - before, 6 * backend.Clock().perFrame);
        ReleaseDC(target, dc);
    }
    const DWORD before = GetTickCount();
    BitBlt(source, 0, 0, 1, 1, source, 0, 0, SRCCOPY);
    EXPECT_EQ(GetTickCount(), before) << "memory DCs are not the screen";
    DeleteDC(source);
}

}  // namespace
