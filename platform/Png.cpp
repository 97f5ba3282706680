// PNG output through libpng.
#include "platform/Png.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace platform {
namespace {

// libpng reports errors by longjmp; nothing with a destructor may live in this frame.
bool WriteRows(FILE* file, const PixelRows& rows, std::vector<png_bytep>& lines) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rows.width), static_cast<png_uint_32>(rows.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, lines.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, const PixelRows& rows) {
    if (!rows.Valid() || (rows.bitsPerPixel != 16 && rows.bitsPerPixel != 24)) return false;
    std::vector<png_byte> rgb(static_cast<size_t>(rows.width) * rows.height * 3);
    std::vector<png_bytep> lines(static_cast<size_t>(rows.height));
    for (int y = 0; y < rows.height; ++y) {
        png_bytep line = &rgb[static_cast<size_t>(y) * rows.width * 3];
        lines[static_cast<size_t>(y)] = line;
        for (int x = 0; x < rows.width; ++x) {
            COLORREF c = rows.bitsPerPixel == 16 ? Widen565(rows.Get16(x, y)) : rows.Get(x, y);
            line[3 * x] = GetRValue(c);
            line[3 * x + 1] = GetGValue(c);
            line[3 * x + 2] = GetBValue(c);
        }
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = WriteRows(file, rows, lines);
    return std::fclose(file) == 0 && ok;
}

}  // namespace platform
