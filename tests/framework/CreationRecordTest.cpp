// A creation message without its record reaches the default procedure instead of a null pointer.
#include <gtest/gtest.h>

#include "framework/QorWnd.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

using CreationRecordTest = PlatformTest;

TEST_F(CreationRecordTest, ANullCreationRecordIsPassedOn) {
    CQorWnd wnd;
    ASSERT_TRUE(wnd.Create(L"Qor", nullptr, nullptr, L"QorNullRecord", 0, 0, 50, 50, 0, 0));
    EXPECT_EQ(SendMessageW(wnd.m_hWnd, WM_CREATE, 0, 0), 0);
    EXPECT_EQ(CQorWnd::WindowProc(nullptr, WM_CREATE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(wnd.m_hWnd)) << "the window it reached carries on";
}

}  // namespace
