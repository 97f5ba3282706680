// Pixel buffers: the size limit and the allocation-failure hook.
#include "platform/PixelBuffer.h"

#include <algorithm>
#include <new>

namespace platform {
namespace {

constexpr int kMaxSide = 16384;

int buffersBeforeFailing = 0;
int failNextBuffers = 0;

}  // namespace

std::unique_ptr<PixelBuffer> PixelBuffer::Make(int width, int height, int bitsPerPixel, bool bottomUp) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    if (bitsPerPixel != 16 && bitsPerPixel != 24) return nullptr;
    if (failNextBuffers > 0) {
        if (buffersBeforeFailing == 0) {
            --failNextBuffers;
            return nullptr;
        }
        --buffersBeforeFailing;
    }
    auto buffer = std::make_unique<PixelBuffer>();
    buffer->width = width;
    buffer->height = height;
    buffer->bitsPerPixel = bitsPerPixel;
    buffer->bottomUp = bottomUp;
    buffer->bytes.reset(new (std::nothrow) uint8_t[buffer->SizeInBytes()]());
    if (!buffer->bytes) return nullptr;
    return buffer;
}

void FailNextPixelBuffers(int count, int after) {
    failNextBuffers = std::max(count, 0);
    buffersBeforeFailing = std::max(after, 0);
}

}  // namespace platform
