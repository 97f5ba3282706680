// Small surfaces for drawing tests: sections in memory DCs, and their pixels as ASCII art.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "platform/Gdi.h"

// A memory DC holding a zero-filled section: 5-6-5 for 16 bits, blue-green-red for 24. The
// platform reset after each test frees both.
inline HDC MakeSectionDC(int width, int height, int bitsPerPixel, uint8_t** pixels = nullptr,
                         HBITMAP* section = nullptr) {
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bitsPerPixel),
            bitsPerPixel == 16 ? BI_BITFIELDS : BI_RGB, 0, 0, 0, 0, 0},
           {0xF800, 0x07E0, 0x001F}};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    EXPECT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    if (pixels) *pixels = static_cast<uint8_t*>(bits);
    if (section) *section = bitmap;
    return dc;
}

// Fills rc with a solid colour.
inline void FillColour(HDC dc, RECT rc, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

// A section DC filled with one colour.
inline HDC SectionDC(int width, int height, int bitsPerPixel, COLORREF fill) {
    HDC dc = MakeSectionDC(width, height, bitsPerPixel);
    FillColour(dc, RECT{0, 0, width, height}, fill);
    return dc;
}

using Legend = std::initializer_list<std::pair<COLORREF, char>>;

// One character per pixel of {x0, y0, x0 + width, y0 + height}, each row ending in '\n': the
// character of the colour read back, '?' for a colour not in the legend.
inline std::string Picture(HDC dc, int x0, int y0, int width, int height, Legend legend) {
    std::string s;
    for (int y = y0; y < y0 + height; ++y) {
        for (int x = x0; x < x0 + width; ++x) {
            char c = '?';
            for (const auto& [colour, mark] : legend)
                if (GetPixel(dc, x, y) == colour) c = mark;
            s += c;
        }
        s += '\n';
    }
    return s;
}

inline std::string Picture(HDC dc, int width, int height, Legend legend) {
    return Picture(dc, 0, 0, width, height, legend);
}

inline bool SamePixels(HDC a, HDC b, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(a, x, y) != GetPixel(b, x, y)) return false;
    return true;
}
