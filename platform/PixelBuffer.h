// The pixels behind bitmaps, window surfaces and the screen: zero-filled, of a bounded size.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/PixelRows.h"

namespace platform {

// Sections are stored bottom-up, everything else top-down.
struct PixelBuffer {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 16;
    bool bottomUp = false;
    std::unique_ptr<uint8_t[]> bytes;

    // NULL when the size is not positive, too large, or memory runs out.
    static std::unique_ptr<PixelBuffer> Make(int width, int height, int bitsPerPixel, bool bottomUp);
    size_t SizeInBytes() const { return static_cast<size_t>(RowPitch(width, bitsPerPixel)) * height; }
    PixelRows Rows() const {
        return bottomUp ? PixelRows::BottomUp(bytes.get(), width, height, bitsPerPixel)
                        : PixelRows::TopDown(bytes.get(), width, height, bitsPerPixel);
    }
};

// Test hook. After the next `after` pixel-buffer allocations, count of them fail as if memory
// had run out (a new DC's 1 x 1 bitmap is one such allocation, a new bitmap another).
void FailNextPixelBuffers(int count, int after = 0);

}  // namespace platform
