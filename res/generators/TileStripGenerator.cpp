// tile-strip-generator OUT.png: draws the five glossy tiles of the board (blue, red, purple, green,
// yellow, in colour-index order) side by side, each with its own quiet glyph, as a 520 x 104 RGB PNG.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "TileArt.h"

using namespace tile_art;

namespace {

constexpr int kSamples = 4;  // per pixel and axis: edges come out anti-aliased

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    const int width = kTile * kColours, height = kTile;
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (int tile = 0; tile < kColours; ++tile) {
        for (int y = 0; y < kTile; ++y) {
            for (int x = 0; x < kTile; ++x) {
                float r = 0, g = 0, b = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx) {
                        Colour c = Sample(tile, x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples);
                        r += c.r;
                        g += c.g;
                        b += c.b;
                    }
                const float n = kSamples * kSamples;
                unsigned char* p = &rgb[(static_cast<size_t>(y) * width + tile * kTile + x) * 3];
                p[0] = static_cast<unsigned char>(std::lround(std::clamp(r / n, 0.0f, 255.0f)));
                p[1] = static_cast<unsigned char>(std::lround(std::clamp(g / n, 0.0f, 255.0f)));
                p[2] = static_cast<unsigned char>(std::lround(std::clamp(b / n, 0.0f, 255.0f)));
            }
        }
    }
    if (!WritePng(argv[1], width, height, 3, rgb)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
