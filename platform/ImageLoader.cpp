// The image-resource loader on libpng: every picture is read as 8-bit RGBA, then flattened onto
// black into a 24-bit bitmap.
#include "platform/ImageLoader.h"

#include <png.h>

#include <cstring>
#include <memory>
#include <new>

#include "platform/Gdi.h"
#include "platform/Resources.h"

namespace {

constexpr png_uint_32 kMaxSide = 4096;

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const BYTE* data = nullptr;
    size_t size = 0;
    size_t position = 0;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
};

// A read past the end of the resource is a truncated picture: an error, never a read beyond.
void ReadBytes(png_structp png, png_bytep out, size_t count) {
    auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
    if (count > reader->size - reader->position) png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->position, count);
    reader->position += count;
}

// The loader reports nothing: a picture it cannot read is simply not there.
void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

// libpng reports errors by longjmp: these two frames hold nothing with a destructor.
bool ReadHeader(PngReader& r) {
    if (setjmp(png_jmpbuf(r.png))) return false;
    png_set_read_fn(r.png, &r, ReadBytes);
    png_set_user_limits(r.png, kMaxSide, kMaxSide);
    png_read_info(r.png, r.info);
    r.width = png_get_image_width(r.png, r.info);
    r.height = png_get_image_height(r.png, r.info);
    png_set_expand(r.png);
    png_set_scale_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_add_alpha(r.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    return png_get_rowbytes(r.png, r.info) == static_cast<size_t>(r.width) * 4;
}

bool ReadPixels(PngReader& r, png_bytep* rows) {
    if (setjmp(png_jmpbuf(r.png))) return false;
    png_read_image(r.png, rows);
    png_read_end(r.png, nullptr);
    return true;
}

// RGBA rows, top first -> a 24-bit device bitmap. The pixels go in through a section, which is
// then copied into a device bitmap of the same depth.
HBITMAP MakeBitmap(const png_byte* rgba, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return nullptr;
    const size_t pitch = static_cast<size_t>((width * 24 + 31) / 32) * 4;
    for (int y = 0; y < height; ++y) {
        const png_byte* in = &rgba[static_cast<size_t>(y) * width * 4];
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
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return nullptr;
    PngReader r;
    r.data = data;
    r.size = size;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
    if (!r.png) return nullptr;
    r.info = png_create_info_struct(r.png);
    HBITMAP bitmap = nullptr;
    if (r.info && ReadHeader(r)) {
        const int width = static_cast<int>(r.width), height = static_cast<int>(r.height);
        std::unique_ptr<png_byte[]> rgba(new (std::nothrow) png_byte[static_cast<size_t>(width) * height * 4]);
        std::unique_ptr<png_bytep[]> rows(new (std::nothrow) png_bytep[static_cast<size_t>(height)]);
        if (rgba && rows) {
            for (int y = 0; y < height; ++y) rows[y] = &rgba[static_cast<size_t>(y) * width * 4];
            if (ReadPixels(r, rows.get())) bitmap = MakeBitmap(rgba.get(), width, height);
        }
    }
    png_destroy_read_struct(&r.png, r.info ? &r.info : nullptr, nullptr);
    return bitmap;
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
