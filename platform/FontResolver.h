// Internal: which face a logical font draws with.
#pragma once

#include <memory>

#include "platform/GdiTypes.h"

namespace platform {

struct FontFace;
struct FontRecord;

// The face for a logical font: its name matched against the host's faces (FaceLibrary.h), a sans
// face when nothing closer exists. Fonts asking for the same face, weight, slant and height share
// one. Null when no font file can be loaded at all. UI thread only.
std::shared_ptr<FontFace> ResolveFace(const LOGFONTW& font);

// The face a font record draws with; the stock font is resolved on its first use.
FontFace* FaceOf(FontRecord& font);

}  // namespace platform
