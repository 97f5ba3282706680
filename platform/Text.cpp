// Fonts and text: faces resolved through fontconfig, glyphs rendered by FreeType.
#include "platform/GdiState.h"

using namespace platform;

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (!font) return nullptr;
    bool terminated = false;
    for (WCHAR c : font->lfFaceName) terminated |= c == L'\0';
    if (!terminated) return nullptr;
    auto record = std::make_unique<FontRecord>();
    record->logFont = *font;
    return AddFont(std::move(record));
}

BOOL GetTextExtentExPointW(HDC, LPCWSTR, int, int, int*, int*, SIZE*) { return FALSE; }

int DrawTextW(HDC, LPCWSTR, int, RECT*, UINT) { return 0; }
