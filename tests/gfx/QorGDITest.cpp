// CQorGDI: its bounds, creation, conversions, the selection slot and the failure paths.
#include <gtest/gtest.h>

#include "gfx/QorGDI.h"
#include "platform/PixelBuffer.h"
#include "tests/gfx/Surfaces.h"
#include "tests/support/PlatformFixture.h"

namespace {

using QorGDITest = PlatformTest;

// A picture that no two pixels share, so a shifted or flipped copy shows.
void Paint(CQorGDI& s) {
    for (int y = 0; y < s.m_bm.bmHeight; ++y)
        for (int x = 0; x < s.m_bm.bmWidth; ++x) s.SetPixel(x, y, RGB(x * 40, y * 36, (x + y) * 20));
}
// The pen a DC has selected, found by swapping another in and back.
HGDIOBJ CurrentPen(HDC dc) {
    HGDIOBJ pen = ::SelectObject(dc, GetStockObject(WHITE_PEN));
    return ::SelectObject(dc, pen), pen;
}

TEST_F(QorGDITest, PixelsOutsideTheSurfaceAreRefusedOnSectionsAndDeviceBitmaps) {
    CQorGDI none;
    EXPECT_TRUE(none.GetPixel(0, 0) == 0u && !none.SetPixel(0, 0, 0x123456)) << "no DC";
    for (BOOL section : {TRUE, FALSE}) {
        CQorGDI s;
        ASSERT_TRUE(s.CreateSized(GetDC(nullptr), 4, 3, FALSE, section, FALSE, 16));
        EXPECT_TRUE(s.SetPixel(0, 0, 0x000000) && s.SetPixel(3, 2, 0xFFFFFF)) << "writing black is a success too";
        for (POINT p : {POINT{4, 0}, POINT{0, 3}, POINT{-1, 0}, POINT{0, -1}})
            EXPECT_TRUE(s.GetPixel(p.x, p.y) == KEY_COLOR && !s.SetPixel(p.x, p.y, 0xFFFFFF)) << p.x << "," << p.y;
        EXPECT_EQ(Mismatches(s, [](int x, int y) { return x == 3 && y == 2 ? 0xF8FCF8 : 0; }), "")
            << "a refused write touched the surface";
    }
}

TEST_F(QorGDITest, CreationRefusesEmptySizesClearsToTheKeyAndCopiesItsRectangleFromTheReference) {
    CQorGDI s, ref, part;
    for (SIZE size : {SIZE{0, 5}, SIZE{5, 0}, SIZE{-3, 5}, SIZE{5, -1}})
        EXPECT_FALSE(s.CreateSized(nullptr, size.cx, size.cy, FALSE, TRUE, TRUE, 16)) << size.cx << "x" << size.cy;
    for (int depth : {16, 24}) {
        ASSERT_TRUE(s.CreateSized(nullptr, 5, 2, FALSE, TRUE, TRUE, depth));
        EXPECT_EQ(s.m_bm.bmWidthBytes, depth == 16 ? 12 : 16);
        EXPECT_EQ(Pixels(s), std::vector<COLORREF>(10, KEY_COLOR)) << depth;
    }
    ASSERT_TRUE(ref.CreateSized(nullptr, 6, 5, FALSE, TRUE, FALSE, 24));
    Paint(ref);
    RECT rc{2, 1, 5, 4};
    ASSERT_TRUE(part.Create(ref.m_hDC, &rc, TRUE, TRUE, TRUE, 24));
    ASSERT_EQ(part.m_bm.bmWidth * part.m_bm.bmHeight, 9);
    EXPECT_EQ(Mismatches(part, [&](int x, int y) { return ref.GetPixel(x + 2, y + 1); }), "");
}

// Each conversion keeps the picture; when the temporary's DC, then its bitmap, cannot be made, the
// original stays as it was.
TEST_F(QorGDITest, ConversionsKeepThePictureAndAFailedOneKeepsTheOriginal) {
    for (int depth : {16, 24}) {
        SCOPED_TRACE(depth);
        CQorGDI s;
        ASSERT_TRUE(s.CreateSized(nullptr, 7, 5, FALSE, TRUE, FALSE, depth));
        Paint(s);
        const std::vector<COLORREF> before = Pixels(s);
        const HBITMAP section = s.m_hBitmap;
        EXPECT_TRUE(s.MakeDIB() && s.m_hBitmap == section) << "already a section";
        ASSERT_TRUE(s.MakeDeviceBitmap());
        EXPECT_TRUE(s.m_pBits == nullptr && s.m_bm.bmBitsPixel == depth && Pixels(s) == before) << "as a device bitmap";
        for (int after : {0, 1}) {
            platform::FailNextPixelBuffers(1, after);
            EXPECT_FALSE(s.MakeDIB());
            EXPECT_TRUE(s.m_pBits == nullptr && Pixels(s) == before);
        }
        ASSERT_TRUE(s.MakeDIB());
        EXPECT_TRUE(s.m_bm.bmBits == s.m_pBits && Pixels(s) == before) << "back as a section";
        BYTE* bits = s.m_pBits;
        platform::FailNextPixelBuffers(1, 1);
        EXPECT_FALSE(s.MakeDeviceBitmap());
        EXPECT_TRUE(s.m_pBits == bits && Pixels(s) == before);
    }
    CQorGDI s;
    ASSERT_TRUE(s.CreateSized(nullptr, 4, 4, FALSE, TRUE, FALSE, 16));
    EXPECT_FALSE(s.CreateSized(nullptr, 1, 100000, FALSE, TRUE, FALSE, 16)) << "too large for the platform";
    EXPECT_EQ(s.m_hDC, nullptr) << "a failed bitmap leaves the surface empty";
    EXPECT_FALSE(s.MakeDIB());
}

// A second selection first puts the original back; the caller keeps ownership of what it selects,
// which a conversion and Destroy deselect.
TEST_F(QorGDITest, TheSelectionSlotRestoresWhatItDisplacedOnConversionAndDestroy) {
    CQorGDI s;
    EXPECT_FALSE(s.SelectObject(GetStockObject(WHITE_PEN))) << "no DC";
    EXPECT_TRUE(s.Destroy()) << "harmless when empty";
    ASSERT_TRUE(s.CreateSized(nullptr, 3, 2, FALSE, TRUE, FALSE, 16));
    const HGDIOBJ original = CurrentPen(s.m_hDC);
    HPEN red = CreatePen(PS_SOLID, 1, 0x0000FF), blue = CreatePen(PS_SOLID, 1, 0xFF0000), green = CreatePen(PS_SOLID, 1, 0x00FF00);
    EXPECT_TRUE(s.SelectObject(red) && CurrentPen(s.m_hDC) == red);
    EXPECT_TRUE(s.SelectObject(blue) && DeleteObject(red));
    EXPECT_FALSE(s.SelectObject(nullptr));
    EXPECT_EQ(CurrentPen(s.m_hDC), original);
    ASSERT_TRUE(s.SelectObject(blue) && s.MakeDeviceBitmap());
    EXPECT_NE(CurrentPen(s.m_hDC), blue);
    EXPECT_TRUE(DeleteObject(blue)) << "deselected by the conversion";
    const HDC dc = s.m_hDC;
    ASSERT_TRUE(s.SelectObject(green));
    EXPECT_FALSE(DeleteObject(green)) << "still selected";
    EXPECT_TRUE(s.Destroy());
    EXPECT_FALSE(DeleteDC(dc)) << "already gone";
    EXPECT_TRUE(DeleteObject(green)) << "deselected by Destroy";
}

}  // namespace
