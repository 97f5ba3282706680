// The image-resource loader: every picture is decoded to 8-bit RGBA (PngDecoder.h), then flattened
// onto black into a 24-bit bitmap.
#include "platform/ImageLoader.h"

#include <vector>

#include "platform/Gdi.h"
#include "platform/PngDecoder.h"
#include "platform/Resources.h"

namespace {

// RGBA rows, top first -> a 24-bit device bitmap. The pixels go in through a section, which is
// then copied into a device bitmap of the same depth.
HBITMAP MakeBitmap(const uint8_t* rgba, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return nullptr;
    const size_t pitch = static_cast<size_t>((width * 24 + 31) / 32) * 4;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = &rgba[static_cast<size_t>(y) * width * 4];
        BYTE* out = static_cast<BYTE*>(bits) + static_cast<size_t>(height - 1 - y) * pitch;  // bottom-up
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            const unsigned alpha = in[3];
            for (int c = 0; c < 3; ++c) out[2 - c] = static_cast<BYTE>((in[c] * alpha + 127) / 255);
        }
    }
    HBITMAP result = nullptr;
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = from ? SelectObject(from, section) : nullptr;
    if (oldFrom && to) {
        HBITMAP device = CreateCompatibleBitmap(from, width, height);
        HGDIOBJ oldTo = device ? SelectObject(to, device) : nullptr;
        if (oldTo && BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY)) result = device;
        if (oldTo) SelectObject(to, oldTo);
        if (device && !result) DeleteObject(device);
    }
    if (oldFrom) SelectObject(from, oldFrom);
    if (to) DeleteDC(to);
    if (from) DeleteDC(from);
    DeleteObject(section);
    return result;
}

HBITMAP Decode(const BYTE* data, size_t size) {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    if (!data || !platform::DecodePng({data, size}, &width, &height, &rgba)) return nullptr;
    return MakeBitmap(rgba.data(), width, height);
}

}  // namespace

HBITMAP ShellLoadImageResource(HINSTANCE instance, UINT id) {
    if (id == 0 || id > 0xFFFF) return nullptr;
    for (LPCWSTR type : {L"GIF", L"PNG"}) {
        HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(static_cast<WORD>(id)), type);
        if (!found) continue;
        const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
        return Decode(data, SizeofResource(instance, found));
    }
    return nullptr;
}
