// Writing pictures as PNG files (frame dumps, the gallery, screenshots of tests).
#pragma once

#include <string>

#include "platform/PixelRows.h"

namespace platform {

// Writes 16-bit (widened to 8 bits a channel) or 24-bit rows as an RGB PNG. False on any failure.
bool WritePng(const std::string& path, const PixelRows& rows);

}  // namespace platform
