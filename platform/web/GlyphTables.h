// Glyphs rendered when the program was built (res/generators/GlyphTableGenerator.cpp), for pages,
// which have no font files to render from: for each weight and cell height, the printable ASCII
// characters and the face's missing-glyph box, exactly as FreeType drew them on the build machine.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::web {

constexpr wchar_t kFirstTableChar = 0x20;
constexpr wchar_t kLastTableChar = 0x7E;
// The characters, then the missing-glyph box.
constexpr int kGlyphsPerTable = kLastTableChar - kFirstTableChar + 2;

struct GlyphEntry {
    int16_t advance, left, top, width, rows;
    uint32_t coverage;  // where its rows begin in kGlyphCoverage
};

struct GlyphTable {
    bool bold;
    int16_t cellHeight;
    int16_t ascent;
    uint32_t first;  // its kGlyphsPerTable entries begin here in kGlyphEntries
};

extern const GlyphTable kGlyphTables[];
extern const size_t kGlyphTableCount;
extern const GlyphEntry kGlyphEntries[];
extern const uint8_t kGlyphCoverage[];

}  // namespace platform::web
