// From a logical font to the face it draws with; faces are shared between fonts that ask for the
// same thing.
#include "platform/FontResolver.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "platform/Device.h"
#include "platform/FaceLibrary.h"
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

// Weak: a face lives as long as a font draws with it.
std::map<FaceKey, std::weak_ptr<FontFace>>& Faces() {
    static std::map<FaceKey, std::weak_ptr<FontFace>> faces;
    return faces;
}

}  // namespace

std::shared_ptr<FontFace> ResolveFace(const LOGFONTW& font) {
    if (font.lfHeight < 0 || font.lfHeight > kMaxCellHeight) return nullptr;
    FaceKey key;
    key.family = ToUtf8(font.lfFaceName);
    std::transform(key.family.begin(), key.family.end(), key.family.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    key.bold = font.lfWeight >= kBoldFrom;
    key.italic = font.lfItalic != 0;
    key.cellHeight = font.lfHeight > 0 ? font.lfHeight
                                       : kDefaultCellHeight * CurrentDeviceProfile().icon / kDefaultCellIcon;
    auto& faces = Faces();
    if (auto it = faces.find(key); it != faces.end())
        if (auto shared = it->second.lock()) return shared;
    std::erase_if(faces, [](const auto& entry) { return entry.second.expired(); });
    std::shared_ptr<FontFace> face = OpenFace(key);
    if (face) faces[key] = face;
    return face;
}

FontFace* FaceOf(FontRecord& font) {
    if (!font.face) font.face = ResolveFace(font.logFont);
    return font.face.get();
}

}  // namespace platform
