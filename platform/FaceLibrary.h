// Internal: the faces the host offers. On a desktop, installed font files matched by fontconfig and
// rendered by FreeType (FaceLibrary.cpp); in a page, glyphs rendered that way when the program was
// built and shipped with it as tables (web/FaceLibrary.cpp).
#pragma once

#include <memory>
#include <string>
#include <tuple>

namespace platform {

struct FontFace;

struct FaceKey {
    std::string family;  // lower case: faces are matched without case
    bool bold = false;
    bool italic = false;
    int cellHeight = 0;
    // Spelt out: the web build's C++ library cannot order strings with <=> yet.
    bool operator<(const FaceKey& o) const {
        return std::tie(family, bold, italic, cellHeight) < std::tie(o.family, o.bold, o.italic, o.cellHeight);
    }
};

// A new face for the key: its family or the closest the host has, a sans face when nothing closer
// exists. Null when no face can be had at all. UI thread only.
std::shared_ptr<FontFace> OpenFace(const FaceKey& key);

}  // namespace platform
