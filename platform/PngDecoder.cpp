// PNG decoding through libpng: every picture is read as 8-bit RGBA.
#include "platform/PngDecoder.h"

#include <png.h>

#include <cstring>
#include <memory>
#include <new>

namespace platform {
namespace {

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
};

// A read past the end of the file is a truncated picture: an error, never a read beyond.
void ReadBytes(png_structp png, png_bytep out, size_t count) {
    auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
    if (count > reader->size - reader->position) png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->position, count);
    reader->position += count;
}

// The decoder reports nothing: a picture it cannot read is simply not there.
void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

// libpng reports errors by longjmp: these two frames hold nothing with a destructor.
bool ReadHeader(PngReader& r) {
    if (setjmp(png_jmpbuf(r.png))) return false;
    png_set_read_fn(r.png, &r, ReadBytes);
    png_set_user_limits(r.png, kMaxPictureSide, kMaxPictureSide);
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

}  // namespace

bool DecodePng(std::span<const uint8_t> file, int* width, int* height, std::vector<uint8_t>* rgba) {
    if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) return false;
    PngReader r;
    r.data = file.data();
    r.size = file.size();
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
    if (!r.png) return false;
    r.info = png_create_info_struct(r.png);
    bool decoded = false;
    if (r.info && ReadHeader(r)) {
        *width = static_cast<int>(r.width);
        *height = static_cast<int>(r.height);
        std::unique_ptr<png_bytep[]> rows(new (std::nothrow) png_bytep[static_cast<size_t>(*height)]);
        bool room = rows != nullptr;
        try {
            rgba->assign(static_cast<size_t>(*width) * *height * 4, 0);
        } catch (const std::bad_alloc&) {
            room = false;
        }
        if (room) {
            for (int y = 0; y < *height; ++y) rows[y] = &(*rgba)[static_cast<size_t>(y) * *width * 4];
            decoded = ReadPixels(r, rows.get());
        }
    }
    png_destroy_read_struct(&r.png, r.info ? &r.info : nullptr, nullptr);
    return decoded;
}

}  // namespace platform
