// The software GDI's bitmap model: formats, sections, selection, block transfers, fills, window
// DCs and presentation.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Gdi.h"
#include "platform/PixelBuffer.h"
#include "platform/PixelRows.h"
#include "platform/Png.h"
#include "platform/Windowing.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::Pack565;
using platform::Unpack565;

class GdiCoreTest : public PlatformTest {
protected:
    static void Fill(HDC dc, RECT rc, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &rc, b);
        DeleteObject(b);
    }

    // One character per pixel: '.' for colour 0, '#' for anything else.
    static std::string Dots(HDC dc, int w, int h) {
        std::string s;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) s += GetPixel(dc, x, y) == 0 ? '.' : '#';
            s += '\n';
        }
        return s;
    }
};

TEST_F(GdiCoreTest, PackAndUnpackRules) {
    EXPECT_EQ(Pack565(0xFFFFFF), 0xFFFF);
    EXPECT_EQ(Unpack565(0xFFFF), 0xF8FCF8u) << "white reads back with the low bits zero";
    EXPECT_EQ(Pack565(0xF800F8), 0xF81F) << "the key colour";
    EXPECT_EQ(Unpack565(0xF81F), 0xF800F8u);
    EXPECT_EQ(Pack565(0xFF00FF), 0xF81F) << "magenta collapses onto the key";
    EXPECT_EQ(platform::Widen565(0xFFFF), 0xFFFFFFu);
    EXPECT_EQ(platform::Widen565(0x0000), 0x000000u);
    EXPECT_EQ(Pack565(RGB(0x12, 0x34, 0x56)), ((0x12 & 0xF8) << 8) | ((0x34 & 0xFC) << 3) | (0x56 >> 3));
}

TEST_F(GdiCoreTest, SectionsAreBottomUpWithFourBytePitch) {
    uint8_t* bits = nullptr;
    HBITMAP bm = nullptr;
    HDC dc = MakeSectionDC(3, 2, 24, &bits, &bm);
    BITMAP info{};
    ASSERT_EQ(GetObject(bm, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidthBytes, 12) << "3 x 3 bytes rounded up to 12";
    EXPECT_EQ(info.bmBitsPixel, 24);
    EXPECT_EQ(info.bmBits, bits);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(bits[i], 0) << "zero-filled";

    SetPixel(dc, 0, 0, 0x123456);
    EXPECT_EQ(bits[12], 0x12) << "pixel (0, 0) is in the second stored row: blue (0x12) first";
    EXPECT_EQ(bits[13], 0x34);
    EXPECT_EQ(bits[14], 0x56);
    EXPECT_EQ(GetPixel(dc, 0, 0), 0x123456u);
    SetPixel(dc, 2, 1, 0xFFFFFF);
    EXPECT_EQ(bits[6], 0xFF) << "the bottom row is stored first";

    uint8_t* bits16 = nullptr;
    HDC dc16 = MakeSectionDC(3, 2, 16, &bits16);
    SetPixel(dc16, 1, 0, 0xFFFFFF);
    EXPECT_EQ(bits16[8 + 2], 0xFF);
    EXPECT_EQ(bits16[8 + 3], 0xFF);
    EXPECT_EQ(GetPixel(dc16, 1, 0), 0xF8FCF8u);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}}) {
        EXPECT_EQ(GetPixel(dc16, x, y), CLR_INVALID);
        EXPECT_EQ(SetPixel(dc16, x, y, 0), CLR_INVALID);
    }
}

TEST_F(GdiCoreTest, BadArgumentsGiveFailureValues) {
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 4, 4), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 0, 4), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 4, -1), nullptr);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(SelectObject(nullptr, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, dc, 0, 0, SRCCOPY)) << "a null target fails quietly";
    EXPECT_FALSE(BitBlt(dc, 0, 0, 0, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(CreatePen(PS_SOLID, -1, 0), nullptr);
    EXPECT_EQ(GetPixel(reinterpret_cast<HDC>(0x1234), 0, 0), CLR_INVALID);
    RECT rc{0, 0, 1, 1};
    EXPECT_EQ(FillRect(dc, &rc, nullptr), 0);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc)) << "a deleted DC is dead";
}

TEST_F(GdiCoreTest, SelectionReturnsWhatWasDisplacedAndGuardsDeletion) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0x0000FF);
    HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN)) << "a new DC holds the black pen";
    EXPECT_FALSE(DeleteObject(pen)) << "a selected object is not deleted";
    EXPECT_EQ(SelectObject(dc, old), pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(dc, pen), nullptr) << "a deleted pen is dead";
    EXPECT_TRUE(DeleteObject(GetStockObject(NULL_PEN))) << "stock objects survive deletion";
    EXPECT_NE(SelectObject(dc, GetStockObject(NULL_PEN)), nullptr);

    HBITMAP bm = CreateCompatibleBitmap(dc, 4, 4);
    HDC other = CreateCompatibleDC(nullptr);
    HGDIOBJ first = SelectObject(dc, bm);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(SelectObject(other, bm), nullptr) << "a bitmap lives in one DC at a time";
    EXPECT_EQ(GetTextColor(dc), 0u);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(dc, 0x5A320D), 0u);
    EXPECT_EQ(GetTextColor(dc), 0x5A320Du);
}

TEST_F(GdiCoreTest, DeviceBitmapsTakeTheReferenceDepthAndHideTheirPixels) {
    HDC dc24 = MakeSectionDC(2, 2, 24);
    HBITMAP device = CreateCompatibleBitmap(dc24, 5, 3);
    BITMAP info{};
    ASSERT_EQ(GetObject(device, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 24);
    EXPECT_EQ(info.bmBits, nullptr);
    HBITMAP fromScreen = CreateCompatibleBitmap(GetDC(nullptr), 5, 3);
    ASSERT_EQ(GetObject(fromScreen, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 16);
    HDC fresh = CreateCompatibleDC(nullptr);
    HBITMAP fromFresh = CreateCompatibleBitmap(fresh, 2, 2);
    ASSERT_EQ(GetObject(fromFresh, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 16) << "a fresh memory DC counts as the screen's depth";
}

TEST_F(GdiCoreTest, FillRectCoversLeftAndTopButNotRightAndBottom) {
    HDC dc = MakeSectionDC(5, 4, 16);
    Fill(dc, RECT{1, 1, 3, 3}, 0xFFFFFF);
    EXPECT_EQ(Dots(dc, 5, 4), ".....\n.##..\n.##..\n.....\n");
    Fill(dc, RECT{4, 3, 2, 1}, 0xFFFFFF);  // inverted: nothing
    Fill(dc, RECT{-10, 3, 10, 20}, 0xFFFFFF);
    EXPECT_EQ(Dots(dc, 5, 4), ".....\n.##..\n.##..\n#####\n") << "clipped to the surface";
}

TEST_F(GdiCoreTest, BitBltClipsOnEverySideAndLeavesUncoveredPixelsAlone) {
    HDC src = MakeSectionDC(5, 5, 16);
    Fill(src, RECT{0, 0, 5, 5}, 0xFFFFFF);
    HDC dst = MakeSectionDC(5, 5, 16);
    EXPECT_TRUE(BitBlt(dst, -1, -1, 10, 10, src, 0, 0, SRCCOPY));
    EXPECT_EQ(Dots(dst, 5, 5), "####.\n####.\n####.\n####.\n.....\n")
        << "the source ends at 4 pixels from the destination's edge";

    HDC d2 = MakeSectionDC(5, 5, 16);
    EXPECT_TRUE(BitBlt(d2, 3, 2, 10, 10, src, 0, 0, SRCCOPY));
    EXPECT_EQ(Dots(d2, 5, 5), ".....\n.....\n...##\n...##\n...##\n");
    HDC d3 = MakeSectionDC(5, 5, 16);
    EXPECT_TRUE(BitBlt(d3, 0, 0, 5, 5, src, 3, -2, SRCCOPY));
    EXPECT_EQ(Dots(d3, 5, 5), ".....\n.....\n##...\n##...\n##...\n") << "source beyond its right and top";
}

TEST_F(GdiCoreTest, OverlappingCopiesWithinOneSurfaceBehaveAsThroughATemporary) {
    HDC dc = MakeSectionDC(6, 1, 24);
    for (int x = 0; x < 6; ++x) SetPixel(dc, x, 0, RGB(static_cast<BYTE>(x * 10), 0, 0));
    BitBlt(dc, 1, 0, 5, 1, dc, 0, 0, SRCCOPY);
    for (int x = 1; x < 6; ++x) EXPECT_EQ(GetPixel(dc, x, 0), RGB(static_cast<BYTE>((x - 1) * 10), 0, 0));
    BitBlt(dc, 0, 0, 5, 1, dc, 1, 0, SRCCOPY);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(GetPixel(dc, x, 0), RGB(static_cast<BYTE>(x * 10), 0, 0));
}

TEST_F(GdiCoreTest, EveryFormatPairConverts) {
    HDC s24 = MakeSectionDC(2, 1, 24), s16 = MakeSectionDC(2, 1, 16);
    HDC device16 = CreateCompatibleDC(nullptr);
    SelectObject(device16, CreateCompatibleBitmap(device16, 2, 1));
    SetPixel(s24, 0, 0, 0xFFFFFF);
    SetPixel(s24, 1, 0, 0x123456);

    BitBlt(s16, 0, 0, 2, 1, s24, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(s16, 0, 0), 0xF8FCF8u);
    EXPECT_EQ(GetPixel(s16, 1, 0), Unpack565(Pack565(0x123456)));
    BitBlt(device16, 0, 0, 2, 1, s16, 0, 0, SRCCOPY);
    HDC back24 = MakeSectionDC(2, 1, 24);
    BitBlt(back24, 0, 0, 2, 1, device16, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(back24, 0, 0), 0xFFFFFFu) << "16 -> 24 keeps white white";
    EXPECT_EQ(GetPixel(back24, 1, 0), platform::Widen565(Pack565(0x123456)));
    HDC copy24 = MakeSectionDC(2, 1, 24);
    BitBlt(copy24, 0, 0, 2, 1, s24, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(copy24, 1, 0), 0x123456u) << "24 -> 24 is exact";
}

TEST_F(GdiCoreTest, TransparentImageSkipsTheKeyColour) {
    HDC src = MakeSectionDC(3, 1, 16);
    SetPixel(src, 0, 0, 0xF800F8);
    SetPixel(src, 1, 0, 0x00FF00);
    SetPixel(src, 2, 0, 0xFF00FF);  // stored as the key
    HDC dst = MakeSectionDC(3, 1, 24);
    Fill(dst, RECT{0, 0, 3, 1}, 0x0000FF);
    EXPECT_TRUE(TransparentImage(dst, 0, 0, 3, 1, src, 0, 0, 3, 1, 0xF800F8));
    EXPECT_EQ(GetPixel(dst, 0, 0), 0x0000FFu);
    EXPECT_EQ(GetPixel(dst, 1, 0), platform::Widen565(Pack565(0x00FF00)));
    EXPECT_EQ(GetPixel(dst, 2, 0), 0x0000FFu);
    EXPECT_TRUE(TransparentImage(dst, -2, 0, 3, 1, src, 0, 0, 3, 1, 0xF800F8)) << "clipped, not refused";
}

TEST_F(GdiCoreTest, WindowDCsDrawAtTheClientAndBlockTransfersReachTheScreenAtOnce) {
    RecordingWindow w(/*visible=*/true);
    HDC wdc = GetDC(w.hwnd());
    RECT box;
    EXPECT_EQ(GetClipBox(wdc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 240);
    EXPECT_EQ(box.bottom, 268);

    HDC src = MakeSectionDC(4, 4, 16);
    Fill(src, RECT{0, 0, 4, 4}, 0xFFFFFF);
    int frames = backend.FramesPresented();
    BitBlt(wdc, 10, 0, 4, 4, src, 0, 0, SRCCOPY);
    EXPECT_EQ(backend.FramesPresented(), frames + 1);
    EXPECT_EQ(backend.FramePixel(10, 26), 0xFFFF) << "client (10, 0) is screen (10, 26)";
    EXPECT_EQ(backend.FramePixel(10, 25), 0x0000);
    EXPECT_EQ(GetPixel(wdc, 11, 1), 0xF8FCF8u) << "a window DC can be read back";

    Fill(wdc, RECT{0, 100, 2, 102}, 0xFFFFFF);
    EXPECT_EQ(backend.FramesPresented(), frames + 1) << "fills show when the DC is released";
    ReleaseDC(w.hwnd(), wdc);
    EXPECT_EQ(backend.FramesPresented(), frames + 2);
    EXPECT_EQ(backend.FramePixel(1, 127), 0xFFFF);
}

TEST_F(GdiCoreTest, APaintDCIsClippedToTheUpdateArea) {
    RecordingWindow w(/*visible=*/true);
    RECT part{20, 30, 60, 50};
    InvalidateRect(w.hwnd(), &part, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w.hwnd(), &ps);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 20);
    EXPECT_EQ(box.bottom, 50);
    Fill(dc, RECT{0, 0, 240, 268}, 0xFFFFFF);
    EndPaint(w.hwnd(), &ps);
    EXPECT_FALSE(GetUpdateRect(w.hwnd(), nullptr, FALSE)) << "the paint validated the window";
    EXPECT_EQ(backend.FramePixel(20, 26 + 30), 0xFFFF);
    EXPECT_EQ(backend.FramePixel(19, 26 + 30), 0x0000);
    EXPECT_EQ(backend.FramePixel(20, 26 + 50), 0x0000);
}

TEST_F(GdiCoreTest, AWindowOnTopCoversTheOneBelowWhateverPaintsLater) {
    RecordingWindow below(/*visible=*/true);
    RecordingWindow above(/*visible=*/true);
    HDC top = GetDC(above.hwnd());
    Fill(top, RECT{0, 0, 240, 268}, 0x0000FF);
    ReleaseDC(above.hwnd(), top);
    HDC bottom = GetDC(below.hwnd());
    Fill(bottom, RECT{0, 0, 240, 268}, 0xFFFFFF);
    ReleaseDC(below.hwnd(), bottom);
    EXPECT_EQ(backend.FramePixel(100, 100), Pack565(0x0000FF));
}

}  // namespace

namespace {

TEST_F(GdiCoreTest, FramesCanBeWrittenAsPng) {
    auto buffer = platform::PixelBuffer::Make(3, 2, 16, true);
    ASSERT_TRUE(buffer);
    buffer->Rows().Set(0, 0, 0xFFFFFF);
    std::string path = TempDir() + "/frame.png";
    ASSERT_TRUE(platform::WritePng(path, buffer->Rows()));
    std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(0, memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bytes[19], 3) << "width in the header";
    EXPECT_EQ(bytes[23], 2) << "height in the header";
    EXPECT_FALSE(platform::WritePng(TempDir() + "/no/such/folder/x.png", buffer->Rows()));
}

}  // namespace
