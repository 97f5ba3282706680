// The glossy tiles as signed distances, sampled point by point, and the PNG writer.
#include "TileArt.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tile_art {
namespace {

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
float SmoothStep(float e0, float e1, float x) {
    float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
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

// The pairs that colour-blind players confuse (blue and purple, red and green) carry glyphs of
// different shapes.
constexpr TileStyle kStyles[kColours] = {
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

}  // namespace

Colour Mix(Colour a, Colour b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Colour Scale(Colour c, float f) { return {c.r * f, c.g * f, c.b * f}; }

Colour BaseColour(int index) { return kStyles[std::clamp(index, 0, kColours - 1)].base; }
Colour TopShade(Colour base) { return Mix(base, kWhite, 0.10f); }
Colour BottomShade(Colour base) { return Scale(base, 0.62f); }
Colour RimShade(Colour base) { return Scale(base, 0.45f); }

float RoundBoxDistance(float x, float y, const Box& b) {
    float qx = std::fabs(x - b.cx) - b.halfWidth + b.radius, qy = std::fabs(y - b.cy) - b.halfHeight + b.radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - b.radius;
}

Colour Sample(int index, float x, float y, bool glyph) {
    const TileStyle& style = kStyles[std::clamp(index, 0, kColours - 1)];
    float body = RoundBoxDistance(x, y, kBody);
    if (body > 0) return kBlack;
    const Colour base = style.base;
    float t = Clamp01((y - kInset) / (kTile - 2 * kInset));
    Colour c = t < kShadeMiddle ? Mix(TopShade(base), base, t / kShadeMiddle)
                                : Mix(base, BottomShade(base), (t - kShadeMiddle) / (1 - kShadeMiddle));
    // A faint glow of reflected light along the bottom.
    float glow = std::hypot((x - kTile / 2.0f) / 38, (y - 90) / 11);
    c = Mix(c, Mix(base, kWhite, 0.3f), 0.4f * (1 - SmoothStep(0.2f, 1.0f, glow)));
    // The glyph: a lighter tint of the tile, so the colour stays the main cue.
    if (glyph) c = Mix(c, Mix(base, kWhite, 0.5f), 1 - SmoothStep(-0.5f, 0.5f, GlyphDistance(style.glyph, x, y)));
    // The gloss: a white sheen over the upper part, strongest at its top edge.
    float sheen = RoundBoxDistance(x, y, kSheen);
    if (sheen < 0.5f) {
        float strength = kSheenStrength - kSheenFade * SmoothStep(kSheenFadeStart, kSheenFadeEnd, y);
        c = Mix(c, kWhite, strength * (1 - SmoothStep(-0.5f, 0.5f, sheen)));
    }
    // A thin darker rim.
    return Mix(c, RimShade(base), SmoothStep(-kRimWidth - 0.75f, -kRimWidth + 0.75f, body));
}

bool WritePng(const char* path, int width, int height, int channels, std::vector<unsigned char>& pixels) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) rows[static_cast<size_t>(y)] = &pixels[static_cast<size_t>(y) * width * channels];
    bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_compression_level(png, 9);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_write_image(png, rows.data());
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, info ? &info : nullptr);
    ok = std::fclose(file) == 0 && ok;
    if (!ok) std::remove(path);
    return ok;
}

}  // namespace tile_art
