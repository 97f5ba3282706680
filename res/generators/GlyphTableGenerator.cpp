// Renders the glyphs a page draws text with (platform/web/GlyphTables.h) through this machine's
// fonts and FreeType, as the desktop program draws them, and writes them out as a C++ source.
// Usage: glyph-table-generator OUT.cpp
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/FontFace.h"
#include "platform/FontResolver.h"
#include "platform/GdiTypes.h"

namespace {

// Every height the game's fonts take on screens with 32-pixel icons, with room on either side.
constexpr int kLowestHeight = 9;
constexpr int kHighestHeight = 20;
// Not a character of any font: its glyph is the missing-glyph box.
constexpr wchar_t kNoCharacter = 0xFFFF;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.cpp\n", argv[0]);
        return 2;
    }
    std::string tables, entries, coverage;
    size_t entryCount = 0, coverageBytes = 0, tableCount = 0;
    for (bool bold : {false, true}) {
        for (int height = kLowestHeight; height <= kHighestHeight; ++height) {
            LOGFONTW lf{};
            lf.lfHeight = height;
            lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
            std::wcscpy(lf.lfFaceName, L"Tahoma");
            auto face = platform::ResolveFace(lf);
            if (!face) {
                std::fprintf(stderr, "%s: no font to render with\n", argv[0]);
                return 1;
            }
            tables += "    {" + std::string(bold ? "true" : "false") + ", " + std::to_string(height) + ", " +
                      std::to_string(face->Ascent()) + ", " + std::to_string(entryCount) + "},\n";
            ++tableCount;
            for (wchar_t c = 0x20; c <= 0x7F; ++c) {
                const platform::Glyph& g = face->GlyphOf(c == 0x7F ? kNoCharacter : c);
                entries += "    {" + std::to_string(g.advance) + ", " + std::to_string(g.left) + ", " +
                           std::to_string(g.top) + ", " + std::to_string(g.width) + ", " + std::to_string(g.rows) +
                           ", " + std::to_string(coverageBytes) + "},\n";
                ++entryCount;
                for (uint8_t v : g.coverage) coverage += std::to_string(v) + (++coverageBytes % 32 ? "," : ",\n");
            }
        }
    }
    FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out,
                 "// Made by glyph-table-generator: do not edit.\n#include \"platform/web/GlyphTables.h\"\n\n"
                 "namespace platform::web {\n\nconst GlyphTable kGlyphTables[] = {\n%s};\nconst size_t "
                 "kGlyphTableCount = %zu;\n\nconst GlyphEntry kGlyphEntries[] = {\n%s};\n\nconst uint8_t "
                 "kGlyphCoverage[] = {\n%s0};\n\n}  // namespace platform::web\n",
                 tables.c_str(), tableCount, entries.c_str(), coverage.c_str());
    return std::fclose(out) == 0 ? 0 : 1;
}
