// Internal: a font face resolved to an installed file and sized to a cell height, with the glyphs
// it has rendered so far. Used by the text calls; fontconfig and FreeType stay behind it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/GdiTypes.h"

struct FT_FaceRec_;

namespace platform {

class FontLibrary;  // FreeType itself, opened once by FontResolver.cpp

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

struct FontFace {
    FontFace(std::shared_ptr<FontLibrary> library, FT_FaceRec_* face, int cellHeight, bool embolden);
    ~FontFace();
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
    std::shared_ptr<FontLibrary> library_;  // FreeType must outlive every face it opened
    FT_FaceRec_* face_;
    int cellHeight_;
    int ascent_;
    bool embolden_;  // bold asked for but only a regular file installed
    std::unordered_map<wchar_t, Glyph> glyphs_;
};

// Glyphs rendered since the program started: drawing text whose glyphs are cached adds nothing.
long RasterisedGlyphCount();

}  // namespace platform
