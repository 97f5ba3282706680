// tile-strip-generator OUT.png: draws the five glossy tiles of the board (blue, red, purple, green,
// yellow, in colour-index order) side by side, each with its own quiet glyph, as a 520 x 104 RGB PNG.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTile = 104;
constexpr int kTiles = 5;
constexpr int kSamples = 4;  // per pixel and axis: edges come out anti-aliased

struct Colour {
    float r, g, b;
};

Colour Mix(Colour a, Colour b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Colour Scale(Colour c, float f) { return {c.r * f, c.g * f, c.b * f}; }
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
float SmoothStep(float e0, float e1, float x) {
    float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// Signed distances (negative inside), in tile pixels.
float RoundBox(float x, float y, float cx, float cy, float hw, float hh, float radius) {
    float qx = std::fabs(x - cx) - hw + radius, qy = std::fabs(y - cy) - hh + radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float Segment(float x, float y, float ax, float ay, float bx, float by) {
    float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    float h = Clamp01((px * dx + py * dy) / (dx * dx + dy * dy));
    return std::hypot(px - dx * h, py - dy * h);
}

// An upward triangle of circumradius r around (cx, cy).
float Triangle(float x, float y, float cx, float cy, float r) {
    const float k = std::sqrt(3.0f);
    float px = std::fabs(x - cx), py = -(y - cy) - r / 4;  // centred on its area, not on its box
    float h = r * k / 2;
    px -= h;
    py += h / k;
    if (px + k * py > 0) {
        float nx = (px - k * py) / 2, ny = (-k * px - py) / 2;
        px = nx;
        py = ny;
    }
    px -= std::clamp(px, -2 * h, 0.0f);
    return -std::hypot(px, py) * (py < 0 ? -1.0f : 1.0f);
}

enum class Glyph { Dot, Bar, Cross, Ring, TriangleUp };

struct TileStyle {
    Colour base;
    Glyph glyph;
};

// Blue, red, purple, green, yellow: the pairs that colour-blind players confuse (blue and
// purple, red and green) carry glyphs of different shapes.
constexpr TileStyle kStyles[kTiles] = {
    {{34, 92, 222}, Glyph::Dot},
    {{218, 38, 42}, Glyph::Bar},
    {{146, 56, 198}, Glyph::Cross},
    {{36, 172, 60}, Glyph::Ring},
    {{246, 202, 24}, Glyph::TriangleUp},
};

// The glyph's centre sits a little low, below the highlight.
constexpr float kGlyphX = 52, kGlyphY = 56;

float GlyphDistance(Glyph glyph, float x, float y) {
    const float cx = kGlyphX, cy = kGlyphY, half = 4.5f;
    switch (glyph) {
        case Glyph::Dot: return std::hypot(x - cx, y - cy) - 9.5f;
        case Glyph::Bar: return Segment(x, y, cx - 14, cy, cx + 14, cy) - half;
        case Glyph::Cross:
            return std::min(Segment(x, y, cx - 11, cy - 11, cx + 11, cy + 11),
                            Segment(x, y, cx - 11, cy + 11, cx + 11, cy - 11)) -
                   half;
        case Glyph::Ring: return std::fabs(std::hypot(x - cx, y - cy) - 12.5f) - half;
        case Glyph::TriangleUp: return Triangle(x, y, cx, cy, 17) - 1.5f;
    }
    return 1;
}

// One sample point of a tile; (x, y) in tile pixels from its top-left corner.
Colour Sample(const TileStyle& style, float x, float y) {
    const float inset = 3, radius = 17;
    float body = RoundBox(x, y, kTile / 2.0f, kTile / 2.0f, kTile / 2.0f - inset, kTile / 2.0f - inset, radius);
    if (body > 0) return kBlack;
    const Colour base = style.base;
    // Light from above: lighter at the top, darker towards the bottom.
    float t = Clamp01((y - inset) / (kTile - 2 * inset));
    Colour c = t < 0.45f ? Mix(Mix(base, kWhite, 0.10f), base, t / 0.45f) : Mix(base, Scale(base, 0.62f), (t - 0.45f) / 0.55f);
    // A faint glow of reflected light along the bottom.
    float glow = std::hypot((x - kTile / 2.0f) / 38, (y - 90) / 11);
    c = Mix(c, Mix(base, kWhite, 0.3f), 0.4f * (1 - SmoothStep(0.2f, 1.0f, glow)));
    // The glyph: a lighter tint of the tile, so the colour stays the main cue.
    float g = GlyphDistance(style.glyph, x, y);
    c = Mix(c, Mix(base, kWhite, 0.5f), 1 - SmoothStep(-0.5f, 0.5f, g));
    // The gloss: a white sheen over the upper part, strongest at its top edge.
    float sheen = RoundBox(x, y, kTile / 2.0f, 27, 40, 20, 14);
    if (sheen < 0.5f) {
        float strength = 0.62f - 0.52f * SmoothStep(8, 46, y);
        c = Mix(c, kWhite, strength * (1 - SmoothStep(-0.5f, 0.5f, sheen)));
    }
    // A thin darker rim.
    c = Mix(c, Scale(base, 0.45f), SmoothStep(-3.5f, -2.0f, body));
    return c;
}

bool WritePng(const char* path, int width, int height, std::vector<png_byte>& rgb) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = &rgb[static_cast<size_t>(y) * width * 3];
    bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_compression_level(png, 9);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_write_image(png, rows.data());
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    const int width = kTile * kTiles, height = kTile;
    std::vector<png_byte> rgb(static_cast<size_t>(width) * height * 3);
    for (int tile = 0; tile < kTiles; ++tile) {
        for (int y = 0; y < kTile; ++y) {
            for (int x = 0; x < kTile; ++x) {
                float r = 0, g = 0, b = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx) {
                        Colour c = Sample(kStyles[tile], x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples);
                        r += c.r;
                        g += c.g;
                        b += c.b;
                    }
                const float n = kSamples * kSamples;
                png_byte* p = &rgb[(static_cast<size_t>(y) * width + tile * kTile + x) * 3];
                p[0] = static_cast<png_byte>(std::lround(std::clamp(r / n, 0.0f, 255.0f)));
                p[1] = static_cast<png_byte>(std::lround(std::clamp(g / n, 0.0f, 255.0f)));
                p[2] = static_cast<png_byte>(std::lround(std::clamp(b / n, 0.0f, 255.0f)));
            }
        }
    }
    if (!WritePng(argv[1], width, height, rgb)) {
        std::remove(argv[1]);
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
