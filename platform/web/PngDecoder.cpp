// PNG decoding in a page: the browser's own decoder, through an image bitmap drawn on a canvas of
// its size. No colour management is applied, as libpng applies none on a desktop, so an opaque
// picture comes out with the same bytes.
#include "platform/PngDecoder.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>

namespace {

// RGBA in a buffer of malloc's (the caller frees it), or null when the browser cannot decode the
// bytes or the picture is larger than maxSide either way.
EM_ASYNC_JS(uint8_t*, DecodeInBrowser, (const uint8_t* data, size_t size, int maxSide, int* width, int* height), {
    try {
        var blob = new Blob([HEAPU8.slice(data, data + size)], { type: "image/png" });
        var bitmap = await createImageBitmap(blob, { premultiplyAlpha: "none", colorSpaceConversion: "none" });
        var w = bitmap.width, h = bitmap.height;
        if (w > maxSide || h > maxSide) {
            bitmap.close();
            return 0;
        }
        var canvas = typeof OffscreenCanvas !== "undefined" ? new OffscreenCanvas(w, h) : document.createElement("canvas");
        canvas.width = w;
        canvas.height = h;
        var context = canvas.getContext("2d");
        context.drawImage(bitmap, 0, 0);
        bitmap.close();
        var pixels = context.getImageData(0, 0, w, h).data;
        var out = _malloc(pixels.length);
        HEAPU8.set(pixels, out);
        HEAP32[width >> 2] = w;
        HEAP32[height >> 2] = h;
        return out;
    } catch (e) {
        return 0;
    }
});

}  // namespace

namespace platform {

bool DecodePng(std::span<const uint8_t> file, int* width, int* height, std::vector<uint8_t>* rgba) {
    static constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < sizeof kSignature || !std::equal(std::begin(kSignature), std::end(kSignature), file.begin()))
        return false;
    uint8_t* pixels = DecodeInBrowser(file.data(), file.size(), kMaxPictureSide, width, height);
    if (!pixels) return false;
    rgba->assign(pixels, pixels + static_cast<size_t>(*width) * *height * 4);
    std::free(pixels);
    return true;
}

}  // namespace platform
