// Font creation and one-line text drawing with the library's own end ellipsis.
#include "gfx/Text.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "gfx/Colors.h"

namespace {

constexpr size_t kMaxFaceLength = LF_FACESIZE - 1;
constexpr int kAlignCentre = 1;
constexpr int kAlignRight = 2;

SIZE Measure(HDC dc, const wchar_t* text) {
    SIZE size{};
    GetTextExtentExPointW(dc, text, static_cast<int>(std::wcslen(text)), 0, nullptr, nullptr, &size);
    return size;
}

// Each round drops the last character and turns the three before it into dots. The round counter
// grows while the text shrinks, so long texts get only a few rounds and may stay too wide; texts
// of five characters or fewer are left whole.
void Shorten(std::wstring& text, HDC dc, int width) {
    if (static_cast<int>(text.size()) - 4 <= 1) return;
    for (int round = 1;; ++round) {
        text.replace(text.size() - 4, 4, L"...");
        if (Measure(dc, text.c_str()).cx <= width) return;
        if (round + 1 >= static_cast<int>(text.size()) - 4) return;
    }
}

}  // namespace

HFONT MakeFont(int height, int weight, BOOL clearType, const wchar_t* face, int angle, int width, BYTE italic) {
    if (height < 0 || weight < 0 || !face) return nullptr;
    const size_t length = wcsnlen(face, LF_FACESIZE);
    if (length > kMaxFaceLength) return nullptr;
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    // Tenths of a degree; a wrapped value for an absurd angle is as good as any.
    lf.lfEscapement = lf.lfOrientation = static_cast<LONG>(static_cast<long long>(angle) * 10);
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = clearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
    std::copy_n(face, length, lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

int DrawTextEllipsis(HDC dc, const wchar_t* text, RECT* rc, UINT format, HFONT font, COLORREF colour,
                     int backgroundMode) {
    if (!dc || !text || !rc || rc->right < rc->left || rc->bottom < rc->top) return 0;
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
    const bool recolour = colour != KEY_COLOR;
    const COLORREF previousColour = recolour ? SetTextColor(dc, colour) : 0;
    const int previousMode = SetBkMode(dc, backgroundMode);

    const UINT platformFormat = format & ~DT_END_ELLIPSIS_FLAG;
    const int width = rc->right - rc->left;
    int result;
    if ((format & DT_END_ELLIPSIS_FLAG) && Measure(dc, text).cx > width) {
        std::wstring shortened(text);
        Shorten(shortened, dc, width);
        result = DrawTextW(dc, shortened.c_str(), -1, rc, platformFormat);
    } else {
        result = DrawTextW(dc, text, -1, rc, platformFormat);
    }

    SetBkMode(dc, previousMode);
    if (recolour) SetTextColor(dc, previousColour);
    if (previousFont) SelectObject(dc, previousFont);
    return result;
}

int DrawTextAt(HDC dc, const wchar_t* text, int x, int y, int align, HFONT font, COLORREF colour,
               int backgroundMode) {
    if (!dc || !text) return 0;
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
    const SIZE size = Measure(dc, text);
    if (previousFont) SelectObject(dc, previousFont);

    const int boxWidth = size.cx + 2;
    RECT box{x, y, x + boxWidth, y + size.cy};
    if (align == kAlignRight) {
        box.left = x - boxWidth;
        box.right = x;
    } else if (align == kAlignCentre) {
        box.left = x - boxWidth / 2;
        box.right = x + boxWidth / 2;
    }
    return DrawTextEllipsis(dc, text, &box, 0, font, colour, backgroundMode);
}
