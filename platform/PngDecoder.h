// Internal: PNG pictures decoded into 8-bit RGBA, top row first; by libpng on a desktop
// (PngDecoder.cpp), by the browser in a page (web/PngDecoder.cpp).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace platform {

// Pictures larger than this on either side are refused.
constexpr int kMaxPictureSide = 4096;

// False for anything that is not a whole, readable PNG of at most kMaxPictureSide a side.
bool DecodePng(std::span<const uint8_t> file, int* width, int* height, std::vector<uint8_t>* rgba);

}  // namespace platform
