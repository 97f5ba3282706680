// The headless backend's aids for tests: kept frames and PNG dumps.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Gdi.h"
#include "platform/Windowing.h"
#include "tests/support/PlatformFixture.h"

namespace {

using HeadlessHarnessTest = PlatformTest;

TEST_F(HeadlessHarnessTest, FramesCanBeKeptOneByOneAndDumpedAsPng) {
    std::string path = TempDir() + "/frame.png";
    EXPECT_FALSE(backend.DumpLastFrame(path)) << "nothing presented yet";
    backend.KeepFrames(true);
    platform::PresentScreen();
    RecordingWindow w(/*visible=*/true);
    HDC dc = GetDC(w.hwnd());
    RECT r{0, 0, 3, 2};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(w.hwnd(), dc);
    ASSERT_EQ(backend.KeptFrames().size(), 2u);
    EXPECT_EQ(backend.KeptFrames()[0][26 * 240], 0x0000);
    EXPECT_EQ(backend.KeptFrames()[1][26 * 240], 0xFFFF);
    ASSERT_TRUE(backend.DumpLastFrame(path));
    std::vector<uint8_t> png = ReadBytes(path);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(0, memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png[18] * 256 + png[19], 240) << "width in the header";
    EXPECT_EQ(png[22] * 256 + png[23], 320) << "height in the header";
    EXPECT_FALSE(backend.DumpLastFrame(TempDir() + "/no/such/folder/x.png"));
}

}  // namespace
