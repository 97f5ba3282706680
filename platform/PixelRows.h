// The one place that knows how pixels are laid out: rows with a signed stride, 5-6-5 words and
// blue-green-red triples, rows padded to 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Types.h"

namespace platform {

// Bytes per row of a w-pixel row at bpp bits: rounded up to a multiple of 4.
constexpr int RowPitch(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

// 5-6-5 pack: the top bits of each channel.
constexpr uint16_t Pack565(COLORREF c) {
    return static_cast<uint16_t>(((GetRValue(c) & 0xF8) << 8) | ((GetGValue(c) & 0xFC) << 3) | (GetBValue(c) >> 3));
}
// 5-6-5 unpack with the low bits left zero: white reads back as 0xF8FCF8.
constexpr COLORREF Unpack565(uint16_t p) {
    return RGB(static_cast<BYTE>((p >> 8) & 0xF8), static_cast<BYTE>((p >> 3) & 0xFC), static_cast<BYTE>((p << 3) & 0xF8));
}
// 5-6-5 to 8 bits per channel by repeating each field's high bits: white stays 255.
constexpr COLORREF Widen565(uint16_t p) {
    unsigned r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
    return RGB(static_cast<BYTE>((r << 3) | (r >> 2)), static_cast<BYTE>((g << 2) | (g >> 4)),
               static_cast<BYTE>((b << 3) | (b >> 2)));
}

// A view of a pixel buffer by rows, top row first whatever the storage order.
struct PixelRows {
    uint8_t* top = nullptr;  // first byte of the top row
    ptrdiff_t stride = 0;    // from a row to the one below it; negative for bottom-up storage
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;

    // A buffer whose first stored row is the bottom one (device-independent sections).
    static PixelRows BottomUp(uint8_t* bits, int width, int height, int bitsPerPixel) {
        ptrdiff_t pitch = RowPitch(width, bitsPerPixel);
        return PixelRows{bits + (height - 1) * pitch, -pitch, width, height, bitsPerPixel};
    }
    static PixelRows TopDown(uint8_t* bits, int width, int height, int bitsPerPixel) {
        return PixelRows{bits, RowPitch(width, bitsPerPixel), width, height, bitsPerPixel};
    }

    bool Valid() const { return top && width > 0 && height > 0; }
    int BytesPerPixel() const { return bitsPerPixel / 8; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t* Row(int y) const { return top + y * stride; }
    uint8_t* At(int x, int y) const { return Row(y) + x * BytesPerPixel(); }

    // Reads and writes a pixel as a COLORREF: 5-6-5 by the pack and unpack rules, 24-bit as
    // blue, green, red bytes. Callers check Contains first.
    COLORREF Get(int x, int y) const {
        const uint8_t* p = At(x, y);
        if (bitsPerPixel == 16) return Unpack565(static_cast<uint16_t>(p[0] | (p[1] << 8)));
        return RGB(p[2], p[1], p[0]);
    }
    void Set(int x, int y, COLORREF c) const {
        uint8_t* p = At(x, y);
        if (bitsPerPixel == 16) {
            uint16_t v = Pack565(c);
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v >> 8);
        } else {
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    uint16_t Get16(int x, int y) const {
        const uint8_t* p = At(x, y);
        return static_cast<uint16_t>(p[0] | (p[1] << 8));
    }
    void Set16(int x, int y, uint16_t v) const {
        uint8_t* p = At(x, y);
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
    }
};

}  // namespace platform
