// CQorGDI: an offscreen drawing surface, a memory DC with a 16-bit 5-6-5 section, a 24-bit
// section or a device bitmap selected into it.
#pragma once

#include "gfx/Colors.h"
#include "platform/Gdi.h"
#include "platform/PixelRows.h"

class CQorGDI {
public:
    CQorGDI();
    virtual ~CQorGDI();
    CQorGDI(const CQorGDI&) = delete;
    CQorGDI& operator=(const CQorGDI&) = delete;

    // Releases everything and returns to the constructed state; always 1.
    BOOL Destroy();
    // Makes the surface the size of rc: a device bitmap compatible with ref unless useDIB, else a
    // 24-bit section for bitsPerPixel 24 and a 16-bit 5-6-5 section for anything else. It starts
    // as a copy of rc in ref (copyFromRef), filled with KEY_COLOR (clearToKey), or zeroed.
    // 0 for an empty or inverted rc, or when the DC or bitmap cannot be made.
    BOOL Create(HDC ref, const RECT* rc, BOOL copyFromRef, BOOL useDIB, BOOL clearToKey, int bitsPerPixel);
    BOOL CreateSized(HDC ref, int width, int height, BOOL copyFromRef, BOOL useDIB, BOOL clearToKey,
                     int bitsPerPixel);
    // Hands every resource to the caller, who then owns it, and leaves the surface empty.
    BOOL Detach(HDC* dc, BITMAP* bm, HBITMAP* bitmap, HBITMAP* oldBitmap, BYTE** bits, HGDIOBJ* owned1,
                HGDIOBJ* prev1, HGDIOBJ* owned2, HGDIOBJ* prev2, HGDIOBJ* owned3, HGDIOBJ* prev3);
    // Conversions between section and device bitmap keeping the picture. Whatever was selected
    // through SelectObject is released. If the new bitmap cannot be made the surface stays as it
    // was and the result is 0.
    BOOL MakeDeviceBitmap();
    BOOL MakeDIB();

    // KEY_COLOR outside the surface, 0 without a DC. 5-6-5 pixels read back with zero low bits.
    COLORREF GetPixel(int x, int y) const;
    BOOL SetPixel(int x, int y, COLORREF colour);
    // Selects a pen, font or brush, first putting back what an earlier call displaced. NULL only
    // restores, and returns 0. The caller keeps ownership of obj.
    BOOL SelectObject(HGDIOBJ obj);

    // Pixel operations on the surface, through the workers of Blend.h, Gradient.h, RoundGradient.h
    // and Dither.h. Each turns a device bitmap into a section first.
    BOOL AlphaFillRect(const RECT* rc, COLORREF colour, int alpha);
    // bits24 must agree with the surface's depth, else nothing is drawn and the result is 0.
    BOOL GradientFillRect(const RECT* rc, COLORREF top, COLORREF bottom, BOOL bits24);
    BOOL GradientRoundRect(const RECT* rc, COLORREF pen, int ellipseWidth, int ellipseHeight, COLORREF top,
                           COLORREF bottom);
    BOOL GlossRoundRect(const RECT* rc, COLORREF pen, int ellipseWidth, int ellipseHeight, COLORREF c1,
                        COLORREF c2, COLORREF c3, COLORREF c4);
    BOOL DiagonalGradientFillRect(const RECT* rc, COLORREF first, COLORREF last);
    // Error-diffusion reduction of a 24-bit section to 5-6-5 precision, in place; 0 for any other
    // kind of surface.
    BOOL Dither565();

    // Scales this picture into dst, made anew at width × height; see ResampleSurface (Resample.h),
    // which does the work. 0 without a DC, for a size of 0 or less, or when memory runs out.
    BOOL ResampleTo(CQorGDI* dst, int width, int height, BOOL useKey, COLORREF key);

    HDC m_hDC;
    BITMAP m_bm;
    HBITMAP m_hBitmap;
    HBITMAP m_hOldBitmap;
    BYTE* m_pBits;
    HGDIOBJ m_hOwned1, m_hPrev1;
    HGDIOBJ m_hOwned2, m_hPrev2;
    HGDIOBJ m_hOwned3, m_hPrev3;

private:
    // Moves everything of other into this (empty) surface.
    void TakeFrom(CQorGDI& other);
    // The same picture in a bitmap of the other kind.
    BOOL Convert(BOOL toSection);
    // The pixels of a section, top row first.
    platform::PixelRows Rows() const;
};

// The pixels of a section as described by GetObject, top row first.
platform::PixelRows SectionRows(BYTE* bits, const BITMAP& bm);
