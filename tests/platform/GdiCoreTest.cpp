// The software GDI's bitmap model: formats, sections, selection, transfers and fills, window DCs, frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>

#include "platform/Clock.h"
#include "platform/Gdi.h"
#include "platform/PixelRows.h"
#include "platform/Screen.h"
#include "platform/Windowing.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PlatformFixture.h"

namespace {

constexpr LOGFONTW kFont{20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Tahoma"};

using platform::Pack565;
using GdiCoreTest = PlatformTest;

std::vector<COLORREF> Row(HDC dc, int w) {
    std::vector<COLORREF> out;
    for (int x = 0; x < w; ++x) out.push_back(GetPixel(dc, x, 0));
    return out;
}
// '.' for black, '#' for white as a 5-6-5 surface gives it back.
std::string Dots(HDC dc, int w, int h) { return Picture(dc, w, h, {{0, '.'}, {0xF8FCF8, '#'}}); }

TEST_F(GdiCoreTest, SectionsAreBottomUpWithFourBytePitch) {
    uint8_t *bits = nullptr, *bits16 = nullptr;
    HBITMAP bm = nullptr;
    HDC dc = MakeSectionDC(3, 2, 24, &bits, &bm), dc16 = MakeSectionDC(3, 2, 16, &bits16);
    BITMAP info{};
    ASSERT_EQ(GetObject(bm, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidthBytes, 12) << "3 x 3 bytes rounded up to 12";
    EXPECT_EQ(info.bmBits, bits);
    EXPECT_EQ(std::vector<uint8_t>(bits, bits + 24), std::vector<uint8_t>(24, 0)) << "zero-filled";
    SetPixel(dc, 0, 0, 0x123456), SetPixel(dc, 2, 1, 0xFFFFFF);
    // (0, 0) is in the second stored row, blue (0x12) first; the bottom row is stored first.
    EXPECT_EQ((std::vector<uint8_t>{bits[12], bits[13], bits[14], bits[6]}), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0xFF}));
    EXPECT_EQ(GetPixel(dc, 0, 0), 0x123456u);
    SetPixel(dc16, 1, 0, 0xFFFFFF);
    EXPECT_EQ(bits16[8 + 2] + bits16[8 + 3], 0xFF + 0xFF) << "a 16-bit row takes 8 bytes";
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}})
        EXPECT_TRUE(GetPixel(dc16, x, y) == CLR_INVALID && SetPixel(dc16, x, y, 0) == CLR_INVALID) << x << "," << y;
}

TEST_F(GdiCoreTest, BadArgumentsFailAndSelectionReturnsWhatWasDisplacedAndGuardsDeletion) {
    HDC dc = CreateCompatibleDC(nullptr), other = CreateCompatibleDC(nullptr);
    RECT rc{0, 0, 1, 1};
    EXPECT_TRUE(!CreateCompatibleBitmap(nullptr, 4, 4) && !CreateCompatibleBitmap(dc, 4, -1) && !SelectObject(dc, nullptr));
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, dc, 0, 0, SRCCOPY)) << "a null target fails quietly";
    EXPECT_TRUE(!CreatePen(PS_SOLID, -1, 0) && !FillRect(dc, &rc, nullptr));
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
    EXPECT_NE(SelectObject(dc, bm), nullptr);
    EXPECT_EQ(SelectObject(other, bm), nullptr) << "a bitmap lives in one DC at a time";
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID) << "a deleted DC is dead";
    EXPECT_FALSE(DeleteDC(dc));
}

// '#' where a white fill or copy reached a black 5 × 5 surface; `same` copies from the same place
// of a white surface, with corners anywhere an int allows.
TEST_F(GdiCoreTest, FillsAndCopiesCoverLeftAndTopButNotRightAndBottomAndClipOnEverySide) {
    HDC white = SectionDC(5, 5, 16, 0xFFFFFF);
    auto fill = [](RECT rc) { return [rc](HDC dc) { FillColour(dc, rc, 0xFFFFFF); }; };
    auto copy = [&](int x, int y, int w, int h, int sx, int sy) {
        return [=](HDC dc) { EXPECT_TRUE(BitBlt(dc, x, y, w, h, white, sx, sy, SRCCOPY)); };
    };
    auto same = [&](int x, int y, int w, int h) { return copy(x, y, w, h, x, y); };
    const std::pair<std::function<void(HDC)>, const char*> cases[] = {
        {fill({1, 1, 3, 3}), ".....\n.##..\n.##..\n.....\n.....\n"},
        {fill({4, 3, 2, 1}), ".....\n.....\n.....\n.....\n.....\n"},
        {fill({-10, 3, 10, 20}), ".....\n.....\n.....\n#####\n#####\n"},
        {fill({INT_MIN, INT_MIN, INT_MAX, INT_MAX}), "#####\n#####\n#####\n#####\n#####\n"},
        {copy(-1, -1, 10, 10, 0, 0), "####.\n####.\n####.\n####.\n.....\n"},
        {copy(3, 2, 10, 10, 0, 0), ".....\n.....\n...##\n...##\n...##\n"},
        {copy(0, 0, 5, 5, 3, -2), ".....\n.....\n##...\n##...\n##...\n"},
        {same(INT_MIN, 0, 10, 1), ".....\n.....\n.....\n.....\n.....\n"},
        {same(INT_MIN + 3, 0, INT_MAX, 1), "##...\n.....\n.....\n.....\n.....\n"},
        {same(0, INT_MIN + 2, 3, INT_MAX), "###..\n.....\n.....\n.....\n.....\n"},
        {same(INT_MAX, INT_MAX, INT_MAX, INT_MAX), ".....\n.....\n.....\n.....\n.....\n"},
        {same(-1, -1, INT_MAX, INT_MAX), "#####\n#####\n#####\n#####\n#####\n"},
        {[&](HDC dc) { EXPECT_TRUE(TransparentImage(dc, -2, 3, 4, 2, white, 0, 0, 4, 2, 0xF800F8)); },
         ".....\n.....\n.....\n##...\n##...\n"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        HDC dc = MakeSectionDC(5, 5, 16);
        cases[i].first(dc);
        EXPECT_EQ(Dots(dc, 5, 5), cases[i].second) << "case " << i;
    }
}

TEST_F(GdiCoreTest, OverlappingCopiesWithinOneSurfaceBehaveAsThroughATemporary) {
    HDC dc = MakeSectionDC(6, 1, 24);
    for (int x = 0; x < 6; ++x) SetPixel(dc, x, 0, RGB(static_cast<BYTE>(x * 10), 0, 0));
    BitBlt(dc, 1, 0, 5, 1, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(Row(dc, 6), (std::vector<COLORREF>{0, 0, 10, 20, 30, 40}));
    BitBlt(dc, 0, 0, 5, 1, dc, 1, 0, SRCCOPY);
    EXPECT_EQ(Row(dc, 6), (std::vector<COLORREF>{0, 10, 20, 30, 40, 40}));
}

TEST_F(GdiCoreTest, EveryFormatPairConvertsAndTransparentImageSkipsTheKeyColourAndDeviceBitmapsTakeTheirDepth) {
    HDC s24 = MakeSectionDC(2, 1, 24), s16 = MakeSectionDC(2, 1, 16), back24 = MakeSectionDC(2, 1, 24);
    HDC copy24 = MakeSectionDC(2, 1, 24), device16 = CreateCompatibleDC(nullptr);
    SelectObject(device16, CreateCompatibleBitmap(device16, 2, 1));
    SetPixel(s24, 0, 0, 0xFFFFFF), SetPixel(s24, 1, 0, 0x123456);
    BitBlt(s16, 0, 0, 2, 1, s24, 0, 0, SRCCOPY);
    EXPECT_EQ(Row(s16, 2), (std::vector<COLORREF>{0xF8FCF8, 0x103450}));
    BitBlt(device16, 0, 0, 2, 1, s16, 0, 0, SRCCOPY);
    BitBlt(back24, 0, 0, 2, 1, device16, 0, 0, SRCCOPY);
    EXPECT_EQ(Row(back24, 2), (std::vector<COLORREF>{0xFFFFFF, 0x103452})) << "16 -> 24 widens: white stays white";
    BitBlt(copy24, 0, 0, 2, 1, s24, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(copy24, 1, 0), 0x123456u) << "24 -> 24 is exact";
    HDC src = MakeSectionDC(3, 1, 16), dst = SectionDC(3, 1, 24, 0x0000FF);
    SetPixel(src, 0, 0, 0xF800F8), SetPixel(src, 1, 0, 0x00FF00), SetPixel(src, 2, 0, 0xFF00FF);  // the last stored as the key
    EXPECT_TRUE(TransparentImage(dst, 0, 0, 3, 1, src, 0, 0, 3, 1, 0xF800F8));
    EXPECT_EQ(Row(dst, 3), (std::vector<COLORREF>{0x0000FF, 0x00FF00, 0x0000FF}));
    // Device bitmaps take the reference's depth (a fresh memory DC counts as the screen's) and hide their pixels.
    for (auto [reference, depth] : {std::pair{s24, 24}, {GetDC(nullptr), 16}, {CreateCompatibleDC(nullptr), 16}}) {
        BITMAP info{};
        EXPECT_EQ(GetObject(CreateCompatibleBitmap(reference, 5, 3), sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_TRUE(info.bmBitsPixel == depth && info.bmBits == nullptr) << depth;
    }
}

// Block transfers reach the screen at once, fills when the DC is released; a child's DC sits at
// an offset on its window's surface, and its far ends plus that offset stay on it.
TEST_F(GdiCoreTest, WindowDCsDrawAtTheClientAndBlockTransfersReachTheScreenAtOnce) {
    RecordingWindow w(/*visible=*/true);
    HDC wdc = GetDC(w.hwnd());
    RECT box;
    EXPECT_EQ(GetClipBox(wdc, &box), SIMPLEREGION);
    EXPECT_TRUE(box.right == 240 && box.bottom == 268);
    HDC src = SectionDC(4, 4, 16, 0xFFFFFF);
    int frames = backend.FramesPresented();
    BitBlt(wdc, 10, 0, 4, 4, src, 0, 0, SRCCOPY);
    EXPECT_EQ(backend.FramesPresented(), frames + 1);
    EXPECT_EQ(backend.FramePixel(10, 26), 0xFFFF) << "client (10, 0) is screen (10, 26)";
    EXPECT_EQ(backend.FramePixel(10, 25), 0x0000);
    EXPECT_EQ(GetPixel(wdc, 11, 1), 0xF8FCF8u) << "a window DC can be read back";
    FillColour(wdc, RECT{0, 100, 2, 102}, 0xFFFFFF);
    EXPECT_EQ(backend.FramesPresented(), frames + 1) << "fills show when the DC is released";
    ReleaseDC(w.hwnd(), wdc);
    EXPECT_EQ(backend.FramesPresented(), frames + 2);
    EXPECT_EQ(backend.FramePixel(1, 127), 0xFFFF);

    RecordingWindow child(WS_CHILD | WS_VISIBLE, w.hwnd(), RECT{10, 10, 14, 12});
    HDC dc = GetDC(child.hwnd());
    const RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
    EXPECT_EQ(Dots(dc, 4, 2), "####\n####\n");
    EXPECT_TRUE(GetPixel(dc, INT_MAX, 0) == CLR_INVALID && SetPixel(dc, INT_MAX - 5, INT_MAX - 5, 0) == CLR_INVALID);
    ReleaseDC(child.hwnd(), dc);
}

// The virtual clock moves with every block transfer into a window, even one that shows nothing, so
// paced loops always end; transfers between memory DCs are no frames.
TEST_F(GdiCoreTest, TransfersIntoWindowsThatShowNothingStillMoveTheClock) {
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

// Every drawing call on a paint DC, asked to cover the whole client, reaches the screen inside the
// update area only, and the DC's clip box is that area.
TEST_F(GdiCoreTest, EveryDrawingCallOnAPaintDCStaysInsideTheUpdateArea) {
    HDC white = SectionDC(240, 268, 16, 0xFFFFFF);
    const std::pair<const char*, std::function<void(HDC)>> calls[] = {
        {"FillRect", [](HDC dc) { FillColour(dc, RECT{0, 0, 240, 268}, 0xFFFFFF); }},
        {"Rectangle", [](HDC dc) { Rectangle(dc, -5, -5, 400, 400); }},
        {"RoundRect", [](HDC dc) { RoundRect(dc, -5, -5, 400, 400, 20, 20); }},
        {"Polyline", [](HDC dc) { POINT line[] = {{-50, 30}, {500, 30}}; Polyline(dc, line, 2); }},
        {"DrawTextW", [](HDC dc) {
             RECT fromRow30{0, 30, 240, 268};
             SelectObject(dc, CreateFontIndirectW(&kFont)), SetBkColor(dc, 0xFFFFFF);
             DrawTextW(dc, L"WWWWWWWWWWWW", -1, &fromRow30, 0);
         }},
        {"BitBlt", [&](HDC dc) { BitBlt(dc, 0, 0, 240, 268, white, 0, 0, SRCCOPY); }},
    };
    for (const auto& [name, draw] : calls) {
        SCOPED_TRACE(name);
        RecordingWindow w(/*visible=*/true);
        HDC before = GetDC(w.hwnd());
        FillColour(before, RECT{0, 0, 240, 268}, 0x000000);
        ReleaseDC(w.hwnd(), before);
        RECT part{20, 30, 60, 50}, box;
        InvalidateRect(w.hwnd(), &part, FALSE);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w.hwnd(), &ps);
        EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
        EXPECT_TRUE(box.left == 20 && box.top == 30 && box.right == 60 && box.bottom == 50);
        SelectObject(dc, GetStockObject(WHITE_PEN)), SelectObject(dc, GetStockObject(WHITE_BRUSH));
        draw(dc);
        EndPaint(w.hwnd(), &ps);
        EXPECT_FALSE(GetUpdateRect(w.hwnd(), nullptr, FALSE)) << "the paint validated the window";
        // The client starts at screen row 26.
        EXPECT_TRUE(backend.FramePixel(20, 26 + 30) == 0xFFFF && backend.FramePixel(59, 26 + 30) == 0xFFFF);
        for (POINT outside : {POINT{19, 30}, POINT{60, 30}, POINT{20, 29}, POINT{20, 50}, POINT{120, 134}})
            EXPECT_EQ(backend.FramePixel(outside.x, 26 + outside.y), 0x0000) << outside.x << "," << outside.y;
    }
}

TEST_F(GdiCoreTest, AWindowOnTopCoversTheOneBelowWhateverPaintsLater) {
    RecordingWindow below(/*visible=*/true), above(/*visible=*/true);
    for (auto [w, colour] : {std::pair{&above, 0x0000FFu}, {&below, 0xFFFFFFu}}) {
        HDC dc = GetDC(w->hwnd());
        FillColour(dc, RECT{0, 0, 240, 268}, colour);
        ReleaseDC(w->hwnd(), dc);
    }
    EXPECT_EQ(backend.FramePixel(100, 100), Pack565(0x0000FF));
}

TEST_F(GdiCoreTest, FramesCanBeKeptOneByOneAndDumpedAsPng) {
    std::string path = TempDir() + "/frame.png";
    EXPECT_FALSE(backend.DumpLastFrame(path)) << "nothing presented yet";
    backend.KeepFrames(true);
    platform::PresentScreen();
    RecordingWindow w(/*visible=*/true);
    HDC dc = GetDC(w.hwnd());
    FillColour(dc, RECT{0, 0, 3, 2}, 0xFFFFFF);
    ReleaseDC(w.hwnd(), dc);
    ASSERT_EQ(backend.KeptFrames().size(), 2u);
    EXPECT_TRUE(backend.KeptFrames()[0][26 * 240] == 0x0000 && backend.KeptFrames()[1][26 * 240] == 0xFFFF);
    ASSERT_TRUE(backend.DumpLastFrame(path));
    std::vector<uint8_t> png = ReadBytes(path);
    ASSERT_GT(png.size(), 24u);
    EXPECT_TRUE(memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8) == 0 && png[18] * 256 + png[19] == 240 && png[22] * 256 + png[23] == 320)
        << "a 240 × 320 picture";
    EXPECT_FALSE(backend.DumpLastFrame(TempDir() + "/no/such/folder/x.png"));
}

}  // namespace
