// Faces on a desktop: the font file fontconfig matches for a key, opened and rendered by FreeType.
#include "platform/FaceLibrary.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include <fontconfig/fontconfig.h>

#include <cstring>
#include <optional>

#include "platform/FontFace.h"

namespace platform {
namespace {

// Appended after the asked-for name so that a machine without it still finds a plain face.
constexpr char kFallbackFamily[] = "sans-serif";

struct FontFile {
    std::string path;
    int index = 0;
    bool embolden = false;
};

const FcChar8* FcText(const char* s) { return reinterpret_cast<const FcChar8*>(s); }

std::optional<FontFile> MatchFile(const FaceKey& key) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return std::nullopt;
    if (!key.family.empty()) FcPatternAddString(pattern, FC_FAMILY, FcText(key.family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, FcText(kFallbackFamily));
    FcPatternAddInteger(pattern, FC_WEIGHT, key.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, key.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return std::nullopt;

    std::optional<FontFile> file;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        file.emplace();
        file->path = reinterpret_cast<const char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &file->index);
        FcBool embolden = FcFalse;
        FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
        file->embolden = embolden == FcTrue;
    }
    FcPatternDestroy(match);
    return file;
}

// FreeType and fontconfig for the whole program, made on first use. It lives until the program
// ends, and beyond that for as long as a face still needs it: both libraries then release all
// their memory, which keeps the leak checker quiet.
class FontLibrary {
public:
    static std::shared_ptr<FontLibrary> Instance() {
        static std::shared_ptr<FontLibrary> instance;
        if (!instance) {
            auto library = std::shared_ptr<FontLibrary>(new FontLibrary());
            if (library->ready_) instance = std::move(library);
        }
        return instance;
    }

    ~FontLibrary() {
        if (freetype_) FT_Done_FreeType(freetype_);
        if (fontconfig_) FcFini();
    }

    FT_Library FreeType() const { return freetype_; }

private:
    FontLibrary() {
        fontconfig_ = FcInit() == FcTrue;
        if (FT_Init_FreeType(&freetype_) != 0) freetype_ = nullptr;
        ready_ = fontconfig_ && freetype_;
    }

    bool fontconfig_ = false;
    FT_Library freetype_ = nullptr;
    bool ready_ = false;
};

class FreetypeGlyphs : public GlyphRenderer {
public:
    FreetypeGlyphs(std::shared_ptr<FontLibrary> library, FT_Face face, int cellHeight, bool embolden)
        : library_(std::move(library)), face_(face), embolden_(embolden) {
        // The size is chosen so that ascender minus descender comes out at exactly the cell height,
        // which makes the pixel size fractional. At 72 dots per inch a point is a pixel.
        const long long span = face->ascender - face->descender;
        const long long emHeight = (static_cast<long long>(cellHeight) * face->units_per_EM * 64 + span / 2) / span;
        FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(emHeight), 72, 72);
        ascent_ = static_cast<int>((2LL * face->ascender * cellHeight + span) / (2 * span));
    }
    ~FreetypeGlyphs() override { FT_Done_Face(face_); }
    FreetypeGlyphs(const FreetypeGlyphs&) = delete;
    FreetypeGlyphs& operator=(const FreetypeGlyphs&) = delete;

    int Ascent() const { return ascent_; }

    void Render(wchar_t c, Glyph* glyph) override {
        // A character the face lacks draws the face's missing-glyph box.
        const FT_UInt index = FT_Get_Char_Index(face_, static_cast<FT_ULong>(static_cast<char32_t>(c)));
        if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0) return;
        FT_GlyphSlot slot = face_->glyph;
        if (embolden_) FT_GlyphSlot_Embolden(slot);
        glyph->advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
        const FT_Bitmap& bitmap = slot->bitmap;
        // The grey renderer writes rows top-down; anything else is left blank rather than guessed at.
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0) return;
        glyph->left = slot->bitmap_left;
        glyph->top = slot->bitmap_top;
        glyph->width = static_cast<int>(bitmap.width);
        glyph->rows = static_cast<int>(bitmap.rows);
        glyph->coverage.resize(static_cast<size_t>(glyph->width) * glyph->rows);
        if (glyph->coverage.empty()) return;  // a space: no picture, maybe no buffer either
        for (int r = 0; r < glyph->rows; ++r)
            std::memcpy(&glyph->coverage[static_cast<size_t>(r) * glyph->width], bitmap.buffer + r * bitmap.pitch,
                        static_cast<size_t>(glyph->width));
    }

private:
    std::shared_ptr<FontLibrary> library_;  // FreeType must outlive every face it opened
    FT_Face face_;
    int ascent_ = 0;
    bool embolden_;  // bold asked for but only a regular file installed
};

}  // namespace

std::shared_ptr<FontFace> OpenFace(const FaceKey& key) {
    std::shared_ptr<FontLibrary> library = FontLibrary::Instance();
    if (!library) return nullptr;
    std::optional<FontFile> file = MatchFile(key);
    if (!file) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library->FreeType(), file->path.c_str(), file->index, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face) || face->ascender <= face->descender) {
        FT_Done_Face(face);
        return nullptr;
    }
    auto glyphs = std::make_unique<FreetypeGlyphs>(library, face, key.cellHeight, file->embolden);
    const int ascent = glyphs->Ascent();
    return std::make_shared<FontFace>(std::move(glyphs), key.cellHeight, ascent);
}

}  // namespace platform
