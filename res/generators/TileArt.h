// The drawing the generators share: the board's glossy tiles, given in the square of one tile,
// and PNG output. The tile strip and the program's icon are drawn with it.
#pragma once

#include <vector>

namespace tile_art {

constexpr int kTile = 104;  // the side of a tile in the strip; every shape below is given in it
constexpr int kColours = 5;

struct Colour {
    float r, g, b;
};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
Colour Mix(Colour a, Colour b, float t);
Colour Scale(Colour c, float f);

// Blue, red, purple, green, yellow: colour indices 0 to 4.
Colour BaseColour(int index);

// A rounded box: centre, half sizes, corner radius.
struct Box {
    float cx, cy, halfWidth, halfHeight, radius;
};
constexpr float kInset = 3;
constexpr Box kBody{kTile / 2.0f, kTile / 2.0f, kTile / 2.0f - kInset, kTile / 2.0f - kInset, 17};
constexpr Box kSheen{kTile / 2.0f, 27, 40, 20, 14};
// The body's light from above: the top edge, the colour itself at kShadeMiddle of the height, the
// bottom edge; the rim is the outer kRimWidth of the body.
constexpr float kShadeMiddle = 0.45f;
constexpr float kRimWidth = 2.75f;
Colour TopShade(Colour base);
Colour BottomShade(Colour base);
Colour RimShade(Colour base);
// The sheen's white: its strength at the top of the tile and how much it loses towards kSheenFadeEnd.
constexpr float kSheenStrength = 0.62f, kSheenFade = 0.52f, kSheenFadeStart = 8, kSheenFadeEnd = 46;

// Signed distance to a rounded box, negative inside, in the units of the box.
float RoundBoxDistance(float x, float y, const Box& box);

// One sample point of the tile of colour index at (x, y) in tile pixels from its top-left corner:
// black outside its rounded body. Without glyph, the tile is the colour and its light alone.
Colour Sample(int index, float x, float y, bool glyph = true);

// Rows of RGB (channels 3) or RGBA (4) bytes, top first, as a PNG file. False on any failure,
// with nothing left at path.
bool WritePng(const char* path, int width, int height, int channels, std::vector<unsigned char>& pixels);

}  // namespace tile_art
