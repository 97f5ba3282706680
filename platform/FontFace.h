// Internal: a font face sized to a cell height, with the glyphs it has rendered so far. Used by the
// text calls; the host renders the glyphs (FaceLibrary.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/GdiTypes.h"

namespace platform {

// One rendered character: grey-scale coverage (0 to 255), width bytes per row, placed relative
// to the pen position on the baseline.
struct Glyph {
    int advance = 0;  // whole pixels
    int left = 0;     // from the pen position to the first column
    int top = 0;      // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> coverage;
};

// Renders the characters of one face at one size.
class GlyphRenderer {
public:
    virtual ~GlyphRenderer() = default;
    // A character the face lacks gives the face's missing-glyph box; one that cannot be rendered
    // at all leaves the glyph as it is (no picture, no advance).
    virtual void Render(wchar_t c, Glyph* glyph) = 0;
};

struct FontFace {
    FontFace(std::unique_ptr<GlyphRenderer> renderer, int cellHeight, int ascent);
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    int CellHeight() const { return cellHeight_; }
    // From the top of the cell down to the baseline.
    int Ascent() const { return ascent_; }

    // Rendered on first use, then kept for the life of the face.
    const Glyph& GlyphOf(wchar_t c);
    // The sum of the advances.
    int Width(std::wstring_view text);

private:
    std::unique_ptr<GlyphRenderer> renderer_;
    int cellHeight_;
    int ascent_;
    std::unordered_map<wchar_t, Glyph> glyphs_;
};

// Glyphs rendered since the program started: drawing text whose glyphs are cached adds nothing.
long RasterisedGlyphCount();

}  // namespace platform
