// Finding a font file for a logical font with fontconfig and opening it with FreeType; faces are
// shared between fonts that ask for the same thing.
#include "platform/FontResolver.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <compare>
#include <map>
#include <optional>
#include <string>

#include "platform/Device.h"
#include "platform/FontFace.h"
#include "platform/GdiState.h"
#include "platform/Utf8.h"

namespace platform {
namespace {

// The system font's cell on a screen of 32-pixel icons; denser screens scale it with their icons,
// as they do every other size.
constexpr int kDefaultCellHeight = 12;
constexpr int kDefaultCellIcon = 32;
// Glyph pictures grow with the square of the height; nothing on a phone screen is taller.
constexpr int kMaxCellHeight = 1024;
constexpr LONG kBoldFrom = 600;
// Appended after the asked-for name so that a machine without it still finds a plain face.
constexpr char kFallbackFamily[] = "sans-serif";

struct FontFile {
    std::string path;
    int index = 0;
    bool embolden = false;
};

struct FaceKey {
    std::string family;  // lower case: fontconfig compares names without case
    bool bold = false;
    bool italic = false;
    int cellHeight = 0;
    auto operator<=>(const FaceKey&) const = default;
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

}  // namespace

// FreeType and fontconfig for the whole program, made on first use. It lives until the program
// ends, and beyond that for as long as a face still needs it: both libraries then release all
// their memory, which keeps the leak checker quiet.
class FontLibrary : public std::enable_shared_from_this<FontLibrary> {
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

    std::shared_ptr<FontFace> Resolve(const FaceKey& key) {
        if (auto it = faces_.find(key); it != faces_.end())
            if (auto shared = it->second.lock()) return shared;
        std::erase_if(faces_, [](const auto& entry) { return entry.second.expired(); });
        std::optional<FontFile> file = MatchFile(key);
        if (!file) return nullptr;
        FT_Face face = nullptr;
        if (FT_New_Face(freetype_, file->path.c_str(), file->index, &face) != 0) return nullptr;
        if (!FT_IS_SCALABLE(face) || face->ascender <= face->descender) {
            FT_Done_Face(face);
            return nullptr;
        }
        auto shared = std::make_shared<FontFace>(shared_from_this(), face, key.cellHeight, file->embolden);
        faces_[key] = shared;
        return shared;
    }

private:
    FontLibrary() {
        fontconfig_ = FcInit() == FcTrue;
        if (FT_Init_FreeType(&freetype_) != 0) freetype_ = nullptr;
        ready_ = fontconfig_ && freetype_;
    }

    bool fontconfig_ = false;
    FT_Library freetype_ = nullptr;
    bool ready_ = false;
    std::map<FaceKey, std::weak_ptr<FontFace>> faces_;
};

std::shared_ptr<FontFace> ResolveFace(const LOGFONTW& font) {
    if (font.lfHeight < 0 || font.lfHeight > kMaxCellHeight) return nullptr;
    std::shared_ptr<FontLibrary> library = FontLibrary::Instance();
    if (!library) return nullptr;
    FaceKey key;
    key.family = ToUtf8(font.lfFaceName);
    std::transform(key.family.begin(), key.family.end(), key.family.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    key.bold = font.lfWeight >= kBoldFrom;
    key.italic = font.lfItalic != 0;
    key.cellHeight = font.lfHeight > 0 ? font.lfHeight
                                       : kDefaultCellHeight * CurrentDeviceProfile().icon / kDefaultCellIcon;
    return library->Resolve(key);
}

FontFace* FaceOf(FontRecord& font) {
    if (!font.face) font.face = ResolveFace(font.logFont);
    return font.face.get();
}

}  // namespace platform
