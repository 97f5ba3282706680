// A face's glyph cache: each character is rendered once.
#include "platform/FontFace.h"

namespace platform {
namespace {

long rasterised = 0;

}  // namespace

FontFace::FontFace(std::unique_ptr<GlyphRenderer> renderer, int cellHeight, int ascent)
    : renderer_(std::move(renderer)), cellHeight_(cellHeight), ascent_(ascent) {}

const Glyph& FontFace::GlyphOf(wchar_t c) {
    auto [it, added] = glyphs_.try_emplace(c);
    if (added) {
        ++rasterised;
        renderer_->Render(c, &it->second);
    }
    return it->second;
}

int FontFace::Width(std::wstring_view text) {
    int width = 0;
    for (wchar_t c : text) width += GlyphOf(c).advance;
    return width;
}

long RasterisedGlyphCount() { return rasterised; }

}  // namespace platform
