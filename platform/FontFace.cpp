// A FreeType face sized to a cell height, and its glyph cache: each character is rendered once.
#include "platform/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <cstring>

namespace platform {
namespace {

long rasterised = 0;

}  // namespace

FontFace::FontFace(std::shared_ptr<FontLibrary> library, FT_FaceRec_* face, int cellHeight, bool embolden)
    : library_(std::move(library)), face_(face), cellHeight_(cellHeight), ascent_(0), embolden_(embolden) {
    // The size is chosen so that ascender minus descender comes out at exactly the cell height,
    // which makes the pixel size fractional. At 72 dots per inch a point is a pixel.
    const long long span = face->ascender - face->descender;
    const long long emHeight = (static_cast<long long>(cellHeight) * face->units_per_EM * 64 + span / 2) / span;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(emHeight), 72, 72);
    ascent_ = static_cast<int>((2LL * face->ascender * cellHeight + span) / (2 * span));
}

FontFace::~FontFace() { FT_Done_Face(face_); }

const Glyph& FontFace::GlyphOf(wchar_t c) {
    auto [it, added] = glyphs_.try_emplace(c);
    Glyph& glyph = it->second;
    if (!added) return glyph;
    ++rasterised;
    // A character the face lacks draws the face's missing-glyph box.
    const FT_UInt index = FT_Get_Char_Index(face_, static_cast<FT_ULong>(static_cast<char32_t>(c)));
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0) return glyph;
    FT_GlyphSlot slot = face_->glyph;
    if (embolden_) FT_GlyphSlot_Embolden(slot);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    // The grey renderer writes rows top-down; anything else is left blank rather than guessed at.
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0) return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
    if (glyph.coverage.empty()) return glyph;  // a space: no picture, maybe no buffer either
    for (int r = 0; r < glyph.rows; ++r)
        std::memcpy(&glyph.coverage[static_cast<size_t>(r) * glyph.width], bitmap.buffer + r * bitmap.pitch,
                    static_cast<size_t>(glyph.width));
    return glyph;
}

int FontFace::Width(std::wstring_view text) {
    int width = 0;
    for (wchar_t c : text) width += GlyphOf(c).advance;
    return width;
}

long RasterisedGlyphCount() { return rasterised; }

}  // namespace platform
