// CQorGDI: pixel formats and addressing, creation in each form, conversions, detaching, selection
// slots and the failure paths.
#include <gtest/gtest.h>

#include "gfx/QorGDI.h"
#include "platform/PixelBuffer.h"
#include "tests/support/PlatformFixture.h"

namespace {

class QorGDITest : public PlatformTest {
protected:
    // A picture that no two pixels share, so a shifted or flipped copy shows.
    static COLORREF Pattern(int x, int y) { return RGB(x * 40, y * 36, (x + y) * 20); }

    static void Paint(CQorGDI& s) {
        for (int y = 0; y < s.m_bm.bmHeight; ++y)
            for (int x = 0; x < s.m_bm.bmWidth; ++x) s.SetPixel(x, y, Pattern(x, y));
    }

    static std::vector<COLORREF> Picture(const CQorGDI& s) {
        std::vector<COLORREF> out;
        for (int y = 0; y < s.m_bm.bmHeight; ++y)
            for (int x = 0; x < s.m_bm.bmWidth; ++x) out.push_back(s.GetPixel(x, y));
        return out;
    }

    // The pen a DC has selected, found by swapping another in and back.
    static HGDIOBJ CurrentPen(HDC dc) {
        HGDIOBJ pen = ::SelectObject(dc, GetStockObject(WHITE_PEN));
        ::SelectObject(dc, pen);
        return pen;
    }
};

// ---- Pixel formats ---------------------------------------------------------------------------

TEST_F(QorGDITest, FiveSixFivePixelsPackAndReadBackWithZeroLowBits) {
    CQorGDI s;
    ASSERT_TRUE(s.CreateSized(nullptr, 3, 1, FALSE, TRUE, FALSE, 16));
    EXPECT_TRUE(s.SetPixel(0, 0, 0xFFFFFF));
    s.SetPixel(1, 0, KEY_COLOR);
    s.SetPixel(2, 0, 0xFF00FF);
    EXPECT_EQ(s.m_pBits[0] | (s.m_pBits[1] << 8), 0xFFFF);
    EXPECT_EQ(s.m_pBits[2] | (s.m_pBits[3] << 8), 0xF81F);
    EXPECT_EQ(s.GetPixel(0, 0), 0xF8FCF8u) << "white";
    EXPECT_EQ(s.GetPixel(1, 0), KEY_COLOR) << "the key colour survives the round trip";
    EXPECT_EQ(s.GetPixel(2, 0), KEY_COLOR) << "magenta becomes the key colour";
}

TEST_F(QorGDITest, TwentyFourBitPixelsAreBlueGreenRedWithFourBytePitch) {
    CQorGDI s;
    ASSERT_TRUE(s.CreateSized(nullptr, 3, 2, FALSE, TRUE, FALSE, 24));
    EXPECT_EQ(s.m_bm.bmWidthBytes, 12);
    EXPECT_EQ(s.m_bm.bmBitsPixel, 24);
    EXPECT_TRUE(s.SetPixel(0, 0, 0x123456));
    EXPECT_EQ(s.GetPixel(0, 0), 0x123456u);
    // (0, 0) is the top line, stored second: byte 12, blue first.
    EXPECT_EQ(s.m_pBits[12], 0x12);
    EXPECT_EQ(s.m_pBits[13], 0x34);
    EXPECT_EQ(s.m_pBits[14], 0x56);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(s.m_pBits[i], 0) << "the bottom line is untouched, byte " << i;
}

TEST_F(QorGDITest, SixteenBitRowsAreStoredBottomUp) {
    CQorGDI s;
    ASSERT_TRUE(s.CreateSized(nullptr, 3, 3, FALSE, TRUE, FALSE, 16));
    EXPECT_EQ(s.m_bm.bmWidthBytes, 8) << "6 bytes rounded up to 8";
    s.SetPixel(2, 0, RGB(0, 0, 0xF8));  // top line, last pixel: row 2 of storage
    s.SetPixel(1, 2, RGB(0xF8, 0, 0));  // bottom line: row 0 of storage
    EXPECT_EQ(s.m_pBits[16 + 4] | (s.m_pBits[16 + 5] << 8), 0x001F);
    EXPECT_EQ(s.m_pBits[2] | (s.m_pBits[3] << 8), 0xF800);
}

TEST_F(QorGDITest, AccessOutsideTheSurfaceIsRefused) {
    CQorGDI s;
    EXPECT_EQ(s.GetPixel(0, 0), 0u) << "no DC";
    EXPECT_FALSE(s.SetPixel(0, 0, 0x123456));
    ASSERT_TRUE(s.CreateSized(nullptr, 4, 3, FALSE, TRUE, FALSE, 16));
    for (POINT p : {POINT{4, 0}, POINT{0, 3}, POINT{-1, 0}, POINT{0, -1}}) {
        EXPECT_EQ(s.GetPixel(p.x, p.y), KEY_COLOR) << p.x << "," << p.y;
        EXPECT_FALSE(s.SetPixel(p.x, p.y, 0xFFFFFF)) << p.x << "," << p.y;
    }
    for (COLORREF c : Picture(s)) EXPECT_EQ(c, 0u) << "a refused write touched the surface";
}

TEST_F(QorGDITest, DeviceBitmapPixelsGoThroughThePlatform) {
    CQorGDI s;
    ASSERT_TRUE(s.CreateSized(GetDC(nullptr), 3, 3, FALSE, FALSE, FALSE, 0));
    EXPECT_EQ(s.m_pBits, nullptr);
    EXPECT_TRUE(s.SetPixel(1, 1, 0xFFFFFF));
    EXPECT_TRUE(s.SetPixel(0, 0, 0x000000)) << "writing black is a success too";
    EXPECT_EQ(s.GetPixel(1, 1), 0xF8FCF8u);
    EXPECT_EQ(s.GetPixel(3, 1), KEY_COLOR);
    EXPECT_FALSE(s.SetPixel(1, 3, 0));
}

// ---- Life cycle ------------------------------------------------------------------------------

TEST_F(QorGDITest, CreatesEachForm) {
    CQorGDI s16, s24, device, device24;
    ASSERT_TRUE(s16.CreateSized(nullptr, 5, 4, FALSE, TRUE, FALSE, 16));
    ASSERT_TRUE(s24.CreateSized(nullptr, 5, 4, FALSE, TRUE, FALSE, 24));
    ASSERT_TRUE(device.CreateSized(s16.m_hDC, 5, 4, FALSE, FALSE, FALSE, 24));
    ASSERT_TRUE(device24.CreateSized(s24.m_hDC, 5, 4, FALSE, FALSE, FALSE, 16));

    EXPECT_EQ(s16.m_bm.bmBitsPixel, 16);
    EXPECT_EQ(s16.m_bm.bmWidth, 5);
    EXPECT_EQ(s16.m_bm.bmHeight, 4);
    EXPECT_NE(s16.m_pBits, nullptr);
    EXPECT_EQ(s16.m_bm.bmBits, s16.m_pBits);
    EXPECT_NE(s16.m_hOldBitmap, nullptr) << "the DC's own first bitmap is kept";
    EXPECT_EQ(s24.m_bm.bmBitsPixel, 24);
    EXPECT_EQ(s24.m_bm.bmWidthBytes, 16);
    // Device bitmaps take the reference's depth, whatever was asked for, and show no pixels.
    EXPECT_EQ(device.m_pBits, nullptr);
    EXPECT_EQ(device.m_bm.bmBits, nullptr);
    EXPECT_EQ(device.m_bm.bmBitsPixel, 16);
    EXPECT_EQ(device24.m_bm.bmBitsPixel, 24);
}

TEST_F(QorGDITest, RefusesSizesOfZeroOrLess) {
    CQorGDI s;
    for (SIZE size : {SIZE{0, 5}, SIZE{5, 0}, SIZE{-3, 5}, SIZE{5, -1}}) {
        EXPECT_FALSE(s.CreateSized(nullptr, size.cx, size.cy, FALSE, TRUE, TRUE, 16)) << size.cx << "x" << size.cy;
        EXPECT_EQ(s.m_hDC, nullptr);
        EXPECT_EQ(s.m_hBitmap, nullptr);
    }
    RECT inverted{10, 10, 5, 20};
    EXPECT_FALSE(s.Create(nullptr, &inverted, FALSE, TRUE, FALSE, 16));
}

TEST_F(QorGDITest, ClearsToTheKeyColourUnlessCopying) {
    CQorGDI s16, s24;
    ASSERT_TRUE(s16.CreateSized(nullptr, 3, 2, FALSE, TRUE, TRUE, 16));
    ASSERT_TRUE(s24.CreateSized(nullptr, 3, 2, FALSE, TRUE, TRUE, 24));
    for (int i = 0; i < 16; i += 2) {
        if (i % 8 == 6) continue;  // row padding
        EXPECT_EQ(s16.m_pBits[i] | (s16.m_pBits[i + 1] << 8), 0xF81F) << "byte " << i;
    }
    for (COLORREF c : Picture(s24)) EXPECT_EQ(c, KEY_COLOR);

    CQorGDI black, copy;
    ASSERT_TRUE(black.CreateSized(nullptr, 3, 2, FALSE, TRUE, FALSE, 16));
    ASSERT_TRUE(copy.CreateSized(black.m_hDC, 3, 2, TRUE, TRUE, TRUE, 16));
    for (COLORREF c : Picture(copy)) EXPECT_EQ(c, 0u) << "copyFromRef skips the clear";
}

TEST_F(QorGDITest, CopiesItsRectangleFromTheReference) {
    CQorGDI ref;
    ASSERT_TRUE(ref.CreateSized(nullptr, 6, 5, FALSE, TRUE, FALSE, 24));
    Paint(ref);
    RECT rc{2, 1, 5, 4};
    CQorGDI part;
    ASSERT_TRUE(part.Create(ref.m_hDC, &rc, TRUE, TRUE, FALSE, 24));
    ASSERT_EQ(part.m_bm.bmWidth, 3);
    ASSERT_EQ(part.m_bm.bmHeight, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(part.GetPixel(x, y), Pattern(x + 2, y + 1)) << x << "," << y;
}

TEST_F(QorGDITest, ConversionsKeepThePicture) {
    for (int depth : {16, 24}) {
        CQorGDI s;
        ASSERT_TRUE(s.CreateSized(nullptr, 7, 5, FALSE, TRUE, FALSE, depth));
        Paint(s);
        const std::vector<COLORREF> before = Picture(s);
        ASSERT_TRUE(s.MakeDeviceBitmap());
        EXPECT_EQ(s.m_pBits, nullptr);
        EXPECT_EQ(s.m_bm.bmBitsPixel, depth);
        EXPECT_EQ(Picture(s), before) << depth << " bits as a device bitmap";
        ASSERT_TRUE(s.MakeDIB());
        EXPECT_NE(s.m_pBits, nullptr);
        EXPECT_EQ(s.m_bm.bmBits, s.m_pBits);
        EXPECT_EQ(s.m_bm.bmBitsPixel, depth);
        EXPECT_EQ(Picture(s), before) << depth << " bits back as a section";
    }
}

TEST_F(QorGDITest, ConvertingToTheFormItHasChangesNothing) {
    CQorGDI section, device;
    ASSERT_TRUE(section.CreateSized(nullptr, 2, 2, FALSE, TRUE, FALSE, 16));
    ASSERT_TRUE(device.CreateSized(section.m_hDC, 2, 2, FALSE, FALSE, FALSE, 16));
    const HBITMAP a = section.m_hBitmap, b = device.m_hBitmap;
    EXPECT_TRUE(section.MakeDIB());
    EXPECT_TRUE(device.MakeDeviceBitmap());
    EXPECT_EQ(section.m_hBitmap, a);
    EXPECT_EQ(device.m_hBitmap, b);
    CQorGDI empty;
    EXPECT_FALSE(empty.MakeDIB());
    EXPECT_FALSE(empty.MakeDeviceBitmap());
}

TEST_F(QorGDITest, FailedConversionKeepsTheOriginal) {
    for (int after : {0, 1}) {  // the temporary's DC fails, then its bitmap
        CQorGDI s;
        ASSERT_TRUE(s.CreateSized(nullptr, 4, 4, FALSE, TRUE, FALSE, 16));
        Paint(s);
        const std::vector<COLORREF> before = Picture(s);
        BYTE* bits = s.m_pBits;
        platform::FailNextPixelBuffers(1, after);
        EXPECT_FALSE(s.MakeDeviceBitmap());
        EXPECT_EQ(s.m_pBits, bits);
        EXPECT_EQ(Picture(s), before);

        ASSERT_TRUE(s.MakeDeviceBitmap());
        platform::FailNextPixelBuffers(1, after);
        EXPECT_FALSE(s.MakeDIB());
        EXPECT_EQ(s.m_pBits, nullptr);
        EXPECT_EQ(Picture(s), before);
    }
}

TEST_F(QorGDITest, FailedBitmapLeavesTheSurfaceEmpty) {
    CQorGDI s;
    ASSERT_TRUE(s.CreateSized(nullptr, 4, 4, FALSE, TRUE, FALSE, 16));
    EXPECT_FALSE(s.CreateSized(nullptr, 1, 100000, FALSE, TRUE, FALSE, 16)) << "too large for the platform";
    EXPECT_EQ(s.m_hDC, nullptr);
    EXPECT_EQ(s.m_pBits, nullptr);
    EXPECT_EQ(s.m_bm.bmWidth, 0);
    EXPECT_EQ(s.GetPixel(0, 0), 0u);
}

TEST_F(QorGDITest, DetachHandsEverythingOver) {
    CQorGDI s;
    ASSERT_TRUE(s.CreateSized(nullptr, 3, 2, FALSE, TRUE, FALSE, 16));
    HPEN pen = CreatePen(PS_SOLID, 1, 0x0000FF);
    ASSERT_TRUE(s.SelectObject(pen));
    const HDC dc = s.m_hDC;
    const HBITMAP bitmap = s.m_hBitmap;
    HDC outDC = nullptr;
    BITMAP bm{};
    HBITMAP outBitmap = nullptr, oldBitmap = nullptr;
    BYTE* bits = nullptr;
    HGDIOBJ o1 = nullptr, p1 = nullptr, o2 = nullptr, p2 = nullptr, o3 = nullptr, p3 = nullptr;
    ASSERT_TRUE(s.Detach(&outDC, &bm, &outBitmap, &oldBitmap, &bits, &o1, &p1, &o2, &p2, &o3, &p3));
    EXPECT_EQ(outDC, dc);
    EXPECT_EQ(outBitmap, bitmap);
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_NE(bits, nullptr);
    EXPECT_NE(oldBitmap, nullptr);
    EXPECT_EQ(p2, GetStockObject(BLACK_PEN));
    EXPECT_EQ(s.m_hDC, nullptr);
    EXPECT_EQ(s.m_hPrev2, nullptr);
    EXPECT_FALSE(s.Detach(&outDC, &bm, &outBitmap, &oldBitmap, &bits, &o1, &p1, &o2, &p2, &o3, &p3))
        << "nothing left to hand over";
    s.Destroy();
    // The caller owns it all now: the DC still works and still holds the pen.
    EXPECT_EQ(CurrentPen(outDC), pen);
    EXPECT_EQ(GetPixel(outDC, 2, 1), 0u);
    ::SelectObject(outDC, p2);
    ::SelectObject(outDC, oldBitmap);
    EXPECT_TRUE(DeleteDC(outDC));
    EXPECT_TRUE(DeleteObject(outBitmap));
    EXPECT_TRUE(DeleteObject(pen));
}

TEST_F(QorGDITest, DestroyReleasesEverythingAndIsHarmlessWhenEmpty) {
    CQorGDI s;
    EXPECT_TRUE(s.Destroy());
    ASSERT_TRUE(s.CreateSized(nullptr, 3, 2, FALSE, TRUE, FALSE, 16));
    const HDC dc = s.m_hDC;
    const HBITMAP bitmap = s.m_hBitmap;
    EXPECT_TRUE(s.Destroy());
    EXPECT_FALSE(DeleteDC(dc)) << "already gone";
    EXPECT_FALSE(DeleteObject(bitmap)) << "already gone";
    EXPECT_EQ(s.m_hDC, nullptr);
    EXPECT_EQ(s.m_bm.bmBitsPixel, 0);
    EXPECT_TRUE(s.Destroy());
}

TEST_F(QorGDITest, SelectionSlotRestoresWhatItDisplaced) {
    CQorGDI s;
    EXPECT_FALSE(s.SelectObject(GetStockObject(WHITE_PEN))) << "no DC";
    ASSERT_TRUE(s.CreateSized(nullptr, 3, 2, FALSE, TRUE, FALSE, 16));
    const HGDIOBJ original = CurrentPen(s.m_hDC);
    HPEN red = CreatePen(PS_SOLID, 1, 0x0000FF), blue = CreatePen(PS_SOLID, 1, 0xFF0000);
    EXPECT_TRUE(s.SelectObject(red));
    EXPECT_EQ(CurrentPen(s.m_hDC), red);
    EXPECT_FALSE(DeleteObject(red)) << "still selected";
    EXPECT_TRUE(s.SelectObject(blue));
    EXPECT_EQ(s.m_hPrev2, original) << "the second selection first put the original back";
    EXPECT_FALSE(s.SelectObject(nullptr));
    EXPECT_EQ(CurrentPen(s.m_hDC), original);
    EXPECT_EQ(s.m_hOwned2, nullptr) << "the caller keeps ownership";
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteObject(blue));
}

TEST_F(QorGDITest, ConversionAndDestroyReleaseTheSelection) {
    CQorGDI s;
    ASSERT_TRUE(s.CreateSized(nullptr, 3, 2, FALSE, TRUE, FALSE, 16));
    HPEN pen = CreatePen(PS_SOLID, 1, 0x00FF00);
    ASSERT_TRUE(s.SelectObject(pen));
    ASSERT_TRUE(s.MakeDeviceBitmap());
    EXPECT_EQ(s.m_hPrev2, nullptr);
    EXPECT_NE(CurrentPen(s.m_hDC), pen);
    ASSERT_TRUE(s.SelectObject(pen));
    s.Destroy();
    EXPECT_TRUE(DeleteObject(pen)) << "deselected by Destroy";
}

}  // namespace
