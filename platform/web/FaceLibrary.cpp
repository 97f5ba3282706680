// Faces in a page: the glyph tables rendered at build time (GlyphTables.h). Every family draws with
// the one face they were rendered from; a height without a table borrows the nearest one's glyphs
// (the cell keeps the height asked for), and italics draw upright.
#include "platform/FaceLibrary.h"

#include <cstdlib>

#include "platform/FontFace.h"
#include "platform/web/GlyphTables.h"

namespace platform {
namespace {

class TableGlyphs : public GlyphRenderer {
public:
    explicit TableGlyphs(const web::GlyphTable& table) : table_(table) {}

    void Render(wchar_t c, Glyph* glyph) override {
        const bool listed = c >= web::kFirstTableChar && c <= web::kLastTableChar;
        const web::GlyphEntry& e =
            web::kGlyphEntries[table_.first + (listed ? c - web::kFirstTableChar : web::kGlyphsPerTable - 1)];
        glyph->advance = e.advance;
        glyph->left = e.left;
        glyph->top = e.top;
        glyph->width = e.width;
        glyph->rows = e.rows;
        const uint8_t* rows = web::kGlyphCoverage + e.coverage;
        glyph->coverage.assign(rows, rows + static_cast<size_t>(e.width) * e.rows);
    }

private:
    const web::GlyphTable& table_;
};

}  // namespace

std::shared_ptr<FontFace> OpenFace(const FaceKey& key) {
    const web::GlyphTable* best = nullptr;
    for (size_t i = 0; i < web::kGlyphTableCount; ++i) {
        const web::GlyphTable& t = web::kGlyphTables[i];
        if (t.bold != key.bold) continue;
        if (!best || std::abs(t.cellHeight - key.cellHeight) < std::abs(best->cellHeight - key.cellHeight)) best = &t;
    }
    if (!best) return nullptr;
    return std::make_shared<FontFace>(std::make_unique<TableGlyphs>(*best), key.cellHeight, best->ascent);
}

}  // namespace platform
