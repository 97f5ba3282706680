// A sound as the backends play it: 8-bit unsigned mono samples at a rate, with the name and flags
// it was asked for by.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/Types.h"

namespace platform {

struct PcmSound {
    std::wstring name;
    DWORD flags = 0;
    int sampleRate = 0;
    // 128 is silence. Lives as long as the program (the module's resource).
    std::span<const uint8_t> samples;
};

}  // namespace platform
