// icon-generator FOLDER: draws the program's icon, a 3 x 3 board of the game's tiles on a black
// rounded square, as FOLDER/tintaro-N.png (RGBA) for each usual size N and as FOLDER/tintaro.svg.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "TileArt.h"

using namespace tile_art;

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kSamples = 8;  // per pixel and axis: a 16-pixel icon still has smooth corners
// Colour indices, row by row: all five colours, no two neighbours alike.
constexpr int kBoard[3][3] = {{0, 1, 4}, {3, 2, 0}, {4, 3, 1}};

// Whole pixels: tiles of one size and gaps of one size, the border taking what is left over, so
// that the small icons stay sharp.
struct Layout {
    int border, gap, tile;
    float Corner() const { return static_cast<float>(border) + kBody.radius * static_cast<float>(tile) / kTile; }
};

Layout LayoutFor(int size) {
    const int gap = std::max(1, (size + 16) / 32);
    int border = gap;
    while ((size - 2 * border - 2 * gap) % 3 != 0) ++border;
    return {border, gap, (size - 2 * border - 2 * gap) / 3};
}

// The icon at a point: its colour and whether it is covered at all (outside the rounded corners).
bool IconSample(const Layout& l, int size, float x, float y, Colour* c) {
    const float half = size / 2.0f;
    if (RoundBoxDistance(x, y, Box{half, half, half, half, l.Corner()}) > 0) return false;
    *c = kBlack;
    const int pitch = l.tile + l.gap;
    const int col = static_cast<int>(std::floor((x - l.border) / pitch));
    const int row = static_cast<int>(std::floor((y - l.border) / pitch));
    if (col < 0 || col > 2 || row < 0 || row > 2) return true;
    const float u = x - l.border - col * pitch, v = y - l.border - row * pitch;
    if (u >= l.tile || v >= l.tile) return true;
    const float toTile = static_cast<float>(kTile) / l.tile;
    // The glyphs would only be specks at these sizes: the colours tell the tiles apart.
    *c = Sample(kBoard[row][col], u * toTile, v * toTile, false);
    return true;
}

bool WriteIconPng(const std::string& path, int size) {
    const Layout l = LayoutFor(size);
    std::vector<unsigned char> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    Colour c;
                    if (!IconSample(l, size, x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples, &c)) continue;
                    r += c.r;
                    g += c.g;
                    b += c.b;
                    ++covered;
                }
            unsigned char* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            const float n = static_cast<float>(std::max(covered, 1));
            p[0] = static_cast<unsigned char>(std::lround(std::clamp(r / n, 0.0f, 255.0f)));
            p[1] = static_cast<unsigned char>(std::lround(std::clamp(g / n, 0.0f, 255.0f)));
            p[2] = static_cast<unsigned char>(std::lround(std::clamp(b / n, 0.0f, 255.0f)));
            p[3] = static_cast<unsigned char>(std::lround(255.0f * covered / (kSamples * kSamples)));
        }
    }
    return WritePng(path.c_str(), size, size, 4, rgba);
}

std::string Hex(Colour c) {
    char text[8];
    auto byte = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(c.r), byte(c.g), byte(c.b));
    return text;
}

std::string Number(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", v);
    return text;
}

std::string RoundRect(float x, float y, float w, float h, float r, const std::string& fill) {
    return "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(w) + "\" height=\"" +
           Number(h) + "\" rx=\"" + Number(r) + "\" fill=\"" + fill + "\"/>";
}

// The same shapes as the largest PNG: each tile its rim, its body shaded from the top, and the sheen.
std::string IconSvg() {
    const int size = kSizes[std::size(kSizes) - 1];
    const Layout l = LayoutFor(size);
    std::string defs, tiles;
    for (int i = 0; i < kColours; ++i) {
        const Colour base = BaseColour(i);
        defs += "<linearGradient id=\"shade" + std::to_string(i) +
                "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" + Number(kInset) + "\" x2=\"0\" y2=\"" +
                Number(kTile - kInset) + "\"><stop offset=\"0\" stop-color=\"" + Hex(TopShade(base)) +
                "\"/><stop offset=\"" + Number(kShadeMiddle) + "\" stop-color=\"" + Hex(base) +
                "\"/><stop offset=\"1\" stop-color=\"" + Hex(BottomShade(base)) + "\"/></linearGradient>\n";
    }
    defs += "<linearGradient id=\"sheen\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" + Number(kSheenFadeStart) +
            "\" x2=\"0\" y2=\"" + Number(kSheenFadeEnd) + "\"><stop offset=\"0\" stop-color=\"#fff\" stop-opacity=\"" +
            Number(kSheenStrength) + "\"/><stop offset=\"1\" stop-color=\"#fff\" stop-opacity=\"" +
            Number(kSheenStrength - kSheenFade) + "\"/></linearGradient>\n";
    const float scale = static_cast<float>(l.tile) / kTile;
    const float side = 2 * kBody.halfWidth;
    const Box& s = kSheen;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const int i = kBoard[row][col];
            tiles += "<g transform=\"translate(" + std::to_string(l.border + col * (l.tile + l.gap)) + " " +
                     std::to_string(l.border + row * (l.tile + l.gap)) + ") scale(" + Number(scale) + ")\">" +
                     RoundRect(kInset, kInset, side, side, kBody.radius, Hex(RimShade(BaseColour(i)))) +
                     RoundRect(kInset + kRimWidth, kInset + kRimWidth, side - 2 * kRimWidth, side - 2 * kRimWidth,
                               kBody.radius - kRimWidth, "url(#shade" + std::to_string(i) + ")") +
                     RoundRect(s.cx - s.halfWidth, s.cy - s.halfHeight, 2 * s.halfWidth, 2 * s.halfHeight, s.radius,
                               "url(#sheen)") +
                     "</g>\n";
        }
    const std::string px = std::to_string(size);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + px + "\" height=\"" + px +
           "\" viewBox=\"0 0 " + px + " " + px + "\">\n<defs>\n" + defs + "</defs>\n" +
           RoundRect(0, 0, static_cast<float>(size), static_cast<float>(size), l.Corner(), "#000") + "\n" + tiles +
           "</svg>\n";
}

bool WriteText(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0) ok = false;
    if (!ok) std::remove(path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (int size : kSizes) {
        const std::string path = folder + "/tintaro-" + std::to_string(size) + ".png";
        if (!WriteIconPng(path, size)) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
            return 1;
        }
    }
    if (!WriteText(folder + "/tintaro.svg", IconSvg())) {
        std::fprintf(stderr, "%s: cannot write %s/tintaro.svg\n", argv[0], folder.c_str());
        return 1;
    }
    return 0;
}
