// CQorGDI: creation, conversion, pixel access, selection slots, the pixel operations on the
// surface and its release.
#include "gfx/QorGDI.h"

#include <climits>
#include <cstdint>
#include <utility>

#include "gfx/Blend.h"
#include "gfx/Dither.h"
#include "gfx/Gradient.h"
#include "gfx/Resample.h"
#include "gfx/RoundGradient.h"

namespace {

// A 16-bit BI_BITFIELDS header with its three masks, or a 24-bit BI_RGB header with one colour.
struct SectionInfo {
    BITMAPINFOHEADER header;
    DWORD extra[3];
};

HBITMAP MakeSection(HDC dc, int width, int height, int bitsPerPixel, BYTE** bits) {
    SectionInfo info{};
    BITMAPINFOHEADER& h = info.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;  // positive: rows stored bottom-up
    h.biPlanes = 1;
    if (bitsPerPixel == 24) {
        h.biBitCount = 24;
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 3;
        h.biXPelsPerMeter = 3780;
        h.biYPelsPerMeter = 3780;
    } else {
        h.biBitCount = 16;
        h.biCompression = BI_BITFIELDS;
        h.biClrUsed = 3;
        h.biClrImportant = 3;
        info.extra[0] = 0xF800;
        info.extra[1] = 0x07E0;
        info.extra[2] = 0x001F;
    }
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels,
                                      nullptr, 0);
    *bits = static_cast<BYTE*>(pixels);
    return bitmap;
}

// Puts back what a selection slot displaced and deletes what it owns.
void ReleaseSlot(HDC dc, HGDIOBJ& owned, HGDIOBJ& prev) {
    if (prev && dc) ::SelectObject(dc, prev);
    prev = nullptr;
    if (owned) DeleteObject(owned);
    owned = nullptr;
}

}  // namespace

platform::PixelRows SectionRows(BYTE* bits, const BITMAP& bm) {
    if (!bits) return platform::PixelRows{};
    return platform::PixelRows::BottomUp(bits, bm.bmWidth, bm.bmHeight, bm.bmBitsPixel);
}

CQorGDI::CQorGDI()
    : m_hDC(nullptr),
      m_bm{},
      m_hBitmap(nullptr),
      m_hOldBitmap(nullptr),
      m_pBits(nullptr),
      m_hOwned1(nullptr),
      m_hPrev1(nullptr),
      m_hOwned2(nullptr),
      m_hPrev2(nullptr),
      m_hOwned3(nullptr),
      m_hPrev3(nullptr) {}

CQorGDI::~CQorGDI() { Destroy(); }

BOOL CQorGDI::Destroy() {
    ReleaseSlot(m_hDC, m_hOwned3, m_hPrev3);
    ReleaseSlot(m_hDC, m_hOwned1, m_hPrev1);
    ReleaseSlot(m_hDC, m_hOwned2, m_hPrev2);
    if (m_hOldBitmap) {
        ::SelectObject(m_hDC, m_hOldBitmap);
        m_hOldBitmap = nullptr;
    }
    if (m_hDC) {
        DeleteDC(m_hDC);
        m_hDC = nullptr;
    }
    if (m_hBitmap) {
        DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
    }
    m_pBits = nullptr;
    m_bm = BITMAP{};
    return TRUE;
}

BOOL CQorGDI::Create(HDC ref, const RECT* rc, BOOL copyFromRef, BOOL useDIB, BOOL clearToKey, int bitsPerPixel) {
    Destroy();
    if (!rc) return FALSE;
    const int64_t width = int64_t{rc->right} - rc->left, height = int64_t{rc->bottom} - rc->top;
    // A non-positive size would make no sensible bitmap on any platform, nor one beyond an int.
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) return FALSE;
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    m_hDC = CreateCompatibleDC(ref);
    if (!m_hDC) return FALSE;
    if (!useDIB)
        m_hBitmap = CreateCompatibleBitmap(ref, w, h);
    else
        m_hBitmap = MakeSection(m_hDC, w, h, bitsPerPixel, &m_pBits);
    if (!m_hBitmap) {
        DeleteDC(m_hDC);
        m_hDC = nullptr;
        m_pBits = nullptr;
        return FALSE;
    }
    m_hOldBitmap = static_cast<HBITMAP>(::SelectObject(m_hDC, m_hBitmap));
    GetObject(m_hBitmap, sizeof(BITMAP), &m_bm);
    if (copyFromRef) {
        BitBlt(m_hDC, 0, 0, w, h, ref, rc->left, rc->top, SRCCOPY);
    } else if (clearToKey) {
        RECT all{0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(KEY_COLOR);
        FillRect(m_hDC, &all, brush);
        DeleteObject(brush);
    }
    return TRUE;
}

BOOL CQorGDI::CreateSized(HDC ref, int width, int height, BOOL copyFromRef, BOOL useDIB, BOOL clearToKey,
                          int bitsPerPixel) {
    RECT rc{0, 0, width, height};
    return Create(ref, &rc, copyFromRef, useDIB, clearToKey, bitsPerPixel);
}

BOOL CQorGDI::Detach(HDC* dc, BITMAP* bm, HBITMAP* bitmap, HBITMAP* oldBitmap, BYTE** bits, HGDIOBJ* owned1,
                     HGDIOBJ* prev1, HGDIOBJ* owned2, HGDIOBJ* prev2, HGDIOBJ* owned3, HGDIOBJ* prev3) {
    if (!m_hDC) return FALSE;
    *dc = std::exchange(m_hDC, nullptr);
    *bm = std::exchange(m_bm, BITMAP{});
    *bitmap = std::exchange(m_hBitmap, nullptr);
    *oldBitmap = std::exchange(m_hOldBitmap, nullptr);
    *bits = std::exchange(m_pBits, nullptr);
    *owned1 = std::exchange(m_hOwned1, nullptr);
    *prev1 = std::exchange(m_hPrev1, nullptr);
    *owned2 = std::exchange(m_hOwned2, nullptr);
    *prev2 = std::exchange(m_hPrev2, nullptr);
    *owned3 = std::exchange(m_hOwned3, nullptr);
    *prev3 = std::exchange(m_hPrev3, nullptr);
    return TRUE;
}

void CQorGDI::TakeFrom(CQorGDI& other) {
    other.Detach(&m_hDC, &m_bm, &m_hBitmap, &m_hOldBitmap, &m_pBits, &m_hOwned1, &m_hPrev1, &m_hOwned2, &m_hPrev2,
                 &m_hOwned3, &m_hPrev3);
}

BOOL CQorGDI::Convert(BOOL toSection) {
    CQorGDI temporary;
    if (!temporary.CreateSized(m_hDC, m_bm.bmWidth, m_bm.bmHeight, TRUE, toSection, TRUE, m_bm.bmBitsPixel))
        return FALSE;  // the picture stays where it is
    Destroy();
    TakeFrom(temporary);
    return TRUE;
}

BOOL CQorGDI::MakeDeviceBitmap() {
    if (!m_hDC) return FALSE;
    if (!m_pBits) return TRUE;
    return Convert(FALSE);
}

BOOL CQorGDI::MakeDIB() {
    if (!m_hDC) return FALSE;
    if (m_pBits) return TRUE;
    return Convert(TRUE);
}

platform::PixelRows CQorGDI::Rows() const { return SectionRows(m_pBits, m_bm); }

COLORREF CQorGDI::GetPixel(int x, int y) const {
    if (!m_hDC) return 0;
    if (x < 0 || y < 0 || x >= m_bm.bmWidth || y >= m_bm.bmHeight) return KEY_COLOR;
    if (!m_pBits) return ::GetPixel(m_hDC, x, y);
    return Rows().Get(x, y);
}

BOOL CQorGDI::SetPixel(int x, int y, COLORREF colour) {
    if (!m_hDC || x < 0 || y < 0 || x >= m_bm.bmWidth || y >= m_bm.bmHeight) return FALSE;
    // The platform answers with the colour it stored, so black would look like a failure.
    if (!m_pBits) return ::SetPixel(m_hDC, x, y, colour) != CLR_INVALID;
    Rows().Set(x, y, colour);
    return TRUE;
}

BOOL CQorGDI::SelectObject(HGDIOBJ obj) {
    if (!m_hDC) return FALSE;
    ReleaseSlot(m_hDC, m_hOwned2, m_hPrev2);
    if (!obj) return FALSE;
    m_hPrev2 = ::SelectObject(m_hDC, obj);
    return m_hPrev2 != nullptr;
}

// The pixel operations work on a section: a device bitmap becomes one first (dithering only ever
// works on a 24-bit section).

BOOL CQorGDI::AlphaFillRect(const RECT* rc, COLORREF colour, int alpha) {
    if (!m_pBits && !MakeDIB()) return FALSE;
    return AlphaFillBits(m_pBits, m_bm, rc, colour, alpha);
}

BOOL CQorGDI::GradientFillRect(const RECT* rc, COLORREF top, COLORREF bottom, BOOL bits24) {
    if (!m_pBits && !MakeDIB()) return FALSE;
    const bool is24 = m_bm.bmBitsPixel == 24;
    if ((bits24 != FALSE) != is24) return FALSE;
    return is24 ? GradientFillBits24(m_pBits, m_bm, m_hDC, rc, top, bottom)
                : GradientFillBits16(m_pBits, m_bm, m_hDC, rc, top, bottom);
}

BOOL CQorGDI::DiagonalGradientFillRect(const RECT* rc, COLORREF first, COLORREF last) {
    if (!m_pBits && !MakeDIB()) return FALSE;
    return DiagonalGradientFill(m_pBits, m_bm, m_hDC, rc, first, last);
}

BOOL CQorGDI::GradientRoundRect(const RECT* rc, COLORREF pen, int ellipseWidth, int ellipseHeight, COLORREF top,
                                COLORREF bottom) {
    if (!m_pBits && !MakeDIB()) return FALSE;
    return GradientRoundRectBits(m_pBits, m_bm, m_hDC, rc, pen, ellipseWidth, ellipseHeight, top, bottom);
}

BOOL CQorGDI::GlossRoundRect(const RECT* rc, COLORREF pen, int ellipseWidth, int ellipseHeight, COLORREF c1,
                             COLORREF c2, COLORREF c3, COLORREF c4) {
    if (!m_pBits && !MakeDIB()) return FALSE;
    return GlossRoundRectBits(m_pBits, m_bm, m_hDC, rc, pen, ellipseWidth, ellipseHeight, c1, c2, c3, c4);
}

BOOL CQorGDI::Dither565() {
    if (!m_hDC) return FALSE;
    return Dither565Bits(m_pBits, m_bm);
}

BOOL CQorGDI::ResampleTo(CQorGDI* dst, int width, int height, BOOL useKey, COLORREF key) {
    return ResampleSurface(*this, dst, width, height, useKey, key);
}
