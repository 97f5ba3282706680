// Internal: a font face resolved to an installed file and sized to a cell height, with the glyphs
// it has rendered so far. Used by the text calls; fontconfig and FreeType stay behind it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Gdi.h"

struct FT_FaceRec_;

namespace platform {

class FontLibrary;
struct FontRecord;

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

// The face for a logical font: its name matched by fontconfig against the installed fonts, a sans
// face when nothing closer exists. Fonts asking for the same face, weight, slant and height share
// one. Null when no font file can be loaded at all. UI thread only.
std::shared_ptr<FontFace> ResolveFace(const LOGFONTW& font);

// The face a font record draws with; the stock font is resolved on its first use.
FontFace* FaceOf(FontRecord& font);

// Glyphs rendered since the program started: drawing text whose glyphs are cached adds nothing.
long RasterisedGlyphCount();

}  // namespace platform
