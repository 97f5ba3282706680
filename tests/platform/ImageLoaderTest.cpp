// The image-resource loader: the tile strip, the formats it flattens to RGB, damaged data refused.
#include "platform/ImageLoader.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

using ImageLoaderTest = PlatformTest;

// Bytes given to the loader as image 7 under type "PNG" of a module of their own.
HBITMAP Load(const std::vector<uint8_t>& bytes) {
    const platform::ImageResource image{7, L"PNG", bytes};
    return ShellLoadImageResource(platform::RegisterModule(platform::ModuleResources{{}, {}, {}, {&image, 1}}), 7);
}

// The bitmap's pixels, top row first, read through a DC as the game does.
std::vector<COLORREF> Pixels(HBITMAP bitmap, int width, int height) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<COLORREF> out;
    for (int i = 0; i < width * height; ++i) out.push_back(GetPixel(dc, i % width, i / width));
    SelectObject(dc, old), DeleteDC(dc);
    return out;
}

// The tile colour a player would name, by hue: 0 blue, 1 red, 2 purple, 3 green, 4 yellow; -1 none.
int TileColour(COLORREF c) {
    const double r = GetRValue(c), g = GetGValue(c), b = GetBValue(c), hues[] = {220, 0, 280, 125, 50};
    const double h = std::atan2(std::sqrt(3.0) * (g - b), 2 * r - g - b) * 180 / M_PI + 360;
    for (int i = 0; i < 5; ++i)
        if (const double off = std::fmod(std::fabs(h - hues[i]), 360); std::min(off, 360 - off) < 25) return i;
    return -1;
}

TEST_F(ImageLoaderTest, TheTileStripIsFiveTilesInBlueRedPurpleGreenYellow) {
    HBITMAP strip = ShellLoadImageResource(platform::RegisterModule(TintaroResources()), 102);
    ASSERT_NE(strip, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObject(strip, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_TRUE(bm.bmWidth == 520 && bm.bmHeight == 104 && bm.bmBitsPixel == 24);
    EXPECT_EQ(bm.bmBits, nullptr) << "a device bitmap";
    std::vector<COLORREF> pixels = Pixels(strip, 520, 104);
    for (int tile = 0; tile < 5; ++tile) {
        for (int y : {52, 75})  // the glyph and the plain tile below it
            EXPECT_EQ(TileColour(pixels[static_cast<size_t>(y) * 520 + tile * 104 + 52]), tile) << "tile " << tile << " y " << y;
        EXPECT_EQ(pixels[static_cast<size_t>(tile) * 104], 0u) << "corners stay black";
    }
    DeleteObject(strip);
}

// A one-row PNG written by libpng.
std::vector<uint8_t> EncodePng(int width, int colourType, int depth, std::vector<uint8_t> row,
                               std::vector<png_color> palette = {}) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, [](png_structp p, png_bytep data, size_t n) {
        auto* v = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        v->insert(v->end(), data, data + n);
    }, nullptr);
    png_set_IHDR(png, info, width, 1, depth, colourType, 0, 0, 0);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_write_info(png, info);
    png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

TEST_F(ImageLoaderTest, GreyPaletteSixteenBitAndAlphaComeOutAsRgbOverBlack) {
    const struct { const char* what; std::vector<uint8_t> png; std::vector<COLORREF> expected; } cases[] = {
        {"grey", EncodePng(2, PNG_COLOR_TYPE_GRAY, 8, {0x40, 0xC8}), {0x404040, 0xC8C8C8}},
        {"palette", EncodePng(2, PNG_COLOR_TYPE_PALETTE, 8, {1, 0}, {{10, 20, 30}, {200, 100, 50}}),
         {RGB(200, 100, 50), RGB(10, 20, 30)}},
        // Big-endian channels 0xFFFF, 0x00FF and 0x8000 reduce to 255, 1 and 128; opaque stays,
        // half-transparent goes half-way to black.
        {"16-bit with alpha",
         EncodePng(2, PNG_COLOR_TYPE_RGBA, 16, {0xFF, 0xFF, 0, 0xFF, 0x80, 0, 0xFF, 0xFF, 200, 0, 100, 0, 50, 0, 0x80, 0}),
         {RGB(255, 1, 128), RGB(100, 50, 25)}},
    };
    for (const auto& c : cases) {
        HBITMAP bitmap = Load(c.png);
        ASSERT_NE(bitmap, nullptr) << c.what;
        EXPECT_EQ(Pixels(bitmap, 2, 1), c.expected) << c.what;
        DeleteObject(bitmap);
    }
}

TEST_F(ImageLoaderTest, TruncatedOrGarbledPicturesGiveNullAndLeaveNothingBehind) {
    HINSTANCE game = platform::RegisterModule(TintaroResources());
    HRSRC found = FindResourceW(game, MAKEINTRESOURCEW(102), L"gif");
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(game, found)));
    const std::vector<uint8_t> strip(data, data + SizeofResource(game, found));
    ASSERT_GT(strip.size(), 1000u);
    const platform::GdiObjectCounts before = platform::CountGdiObjects();
    for (size_t length : {size_t{0}, size_t{7}, size_t{8}, size_t{20}, size_t{33}, size_t{200}, strip.size() / 2,
                          strip.size() - 12, strip.size() - 1})
        EXPECT_EQ(Load(std::vector<uint8_t>(strip.begin(), strip.begin() + length)), nullptr) << "cut at " << length;
    // The signature, the width in the header, a byte of the first image data, the end chunk's name.
    for (size_t at : {size_t{1}, size_t{18}, size_t{60}, strip.size() / 2, strip.size() - 7}) {
        std::vector<uint8_t> garbled = strip;
        garbled[at] ^= 0x5A;
        EXPECT_EQ(Load(garbled), nullptr) << "byte " << at;
    }
    EXPECT_TRUE(platform::CountGdiObjects() == before);
    EXPECT_FALSE(ShellLoadImageResource(game, 103) || ShellLoadImageResource(nullptr, 102)) << "no such image";
}

}  // namespace
