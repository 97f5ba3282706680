// A memory DC drawing on a fresh 16-bit 5-6-5 or 24-bit section, filled with one colour.
#pragma once

#include "platform/Gdi.h"

// The platform reset after each test frees the DC and its section.
inline HDC SectionDC(int width, int height, int bitsPerPixel, COLORREF fill) {
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bitsPerPixel),
            bitsPerPixel == 16 ? BI_BITFIELDS : BI_RGB, 0, 0, 0, 0, 0},
           {0xF800, 0x07E0, 0x001F}};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    return dc;
}
