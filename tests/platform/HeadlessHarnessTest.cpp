// The headless backend's aids for tests: kept frames, PNG dumps, the phone's keys by role.
#include <gtest/gtest.h>

#include "platform/Gdi.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

class HeadlessHarnessTest : public PlatformTest {};

TEST_F(HeadlessHarnessTest, FramesCanBeKeptOneByOneAndDumpedAsPng) {
    std::string path = TempDir() + "/frame.png";
    EXPECT_FALSE(backend.DumpLastFrame(path)) << "nothing presented yet";
    backend.KeepFrames(true);
    platform::PresentScreen();
    RecordingWindow w(/*visible=*/true);
    HDC dc = GetDC(w.hwnd());
    RECT r{0, 0, 10, 10};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(w.hwnd(), dc);
    ASSERT_EQ(backend.KeptFrames().size(), 2u);
    EXPECT_EQ(backend.KeptFrames()[0][26 * 240], 0x0000);
    EXPECT_EQ(backend.KeptFrames()[1][26 * 240], 0xFFFF);
    ASSERT_TRUE(backend.DumpLastFrame(path));
    std::vector<uint8_t> png = ReadBytes(path);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[2], 'N');
}

TEST_F(HeadlessHarnessTest, SoftKeysAndBackAreScriptedByRole) {
    RecordingWindow w(/*visible=*/true);
    backend.ScriptSoftKey(/*right=*/false);
    backend.ScriptSoftKey(/*right=*/true);
    backend.ScriptBack();
    RecordingWindow::DrainQueue();
    std::vector<WPARAM> downs;
    for (const auto& e : w.Entries())
        if (e.message == WM_KEYDOWN) downs.push_back(e.wParam);
    EXPECT_EQ(downs, (std::vector<WPARAM>{VK_F1, VK_F2, VK_ESCAPE}));
}

}  // namespace
