// button-gallery OUT.png: the twelve button styles, released, pressed and disabled, at an entry's
// size and at a small size, on a checkerboard that shows their transparent pixels.
#include <cstdio>

#include "framework/QorButton.h"
#include "gfx/Draw.h"
#include "gfx/Text.h"
#include "platform/Png.h"

namespace {

constexpr int kBigW = 160, kBigH = 32, kSmallW = 64, kSmallH = 20;
constexpr int kNameW = 92, kGap = 8, kRowH = kBigH + 8, kTop = 22;
constexpr int kColumns[] = {kNameW, kNameW + kBigW + kGap, kNameW + 2 * (kBigW + kGap),
                            kNameW + 3 * (kBigW + kGap), kNameW + 3 * (kBigW + kGap) + kSmallW + kGap};
constexpr int kWidth = kColumns[4] + kSmallW + kGap, kHeight = kTop + 12 * kRowH;

// The menu entry's faces and border, with a mid-blue accent so that the accent's part shows.
constexpr COLORREF kFace1 = 0xFFE1CC, kFace2 = 0xD1AD91, kBorder = 0x5A320D, kAccent = 0x9C6A3A;
constexpr COLORREF kLight = 0xF0F0F0, kDark = 0x202020;

const wchar_t* const kNames[] = {L"0 bevel",        L"1 flat",       L"2 framed", L"3 rounded",
                                 L"4 pill",         L"5 layered",    L"6 glass 20%",    L"7 glass 0%",
                                 L"8 highlight",    L"9 framed gl.", L"10 gloss",       L"11 ringed"};

void Checkerboard(HDC dc) {
    for (int y = 0; y < kHeight; y += 8)
        for (int x = 0; x < kWidth; x += 8) {
            RECT square{x, y, x + 8, y + 8};
            FillSolidRect(dc, &square, ((x + y) / 8) % 2 ? 0x606060 : 0x787878);
        }
}

// One button drawn released, pressed and (when disabled is set) disabled at the given columns.
void DrawStates(HDC dc, CQorButton& button, HFONT font, int top, std::initializer_list<int> columns, bool disabled) {
    int state = 0;
    for (int left : columns) {
        button.MoveTo(left, top);
        button.m_bPressed = state == 1;
        button.m_bDisabled = disabled && state == 2;
        button.Draw(font, dc, nullptr, nullptr, nullptr);
        ++state;
    }
    button.m_bPressed = button.m_bDisabled = FALSE;
}

void Row(HDC dc, int style, HFONT big, HFONT small, HFONT names) {
    const int top = kTop + style * kRowH;
    DrawTextAt(dc, kNames[style], 4, top + (kBigH - 14) / 2, 0, names, kLight, TRANSPARENT);
    CQorButton large, tiny;
    for (CQorButton* b : {&large, &tiny}) {
        b->SetColors(kFace1, kFace2, kBorder, kAccent, FALSE);
        // The layered panel's top layer and the gloss style's lower band are dark: a white label
        // with a shadow reads there.
        if (style == 5 || style == 10) b->SetTextColors(0xFFFFFF, 0x000000, TRUE);
        else b->SetTextColors(kBorder, 0, FALSE);
    }
    large.Create(0, 0, kBigW, kBigH, L"New Game", nullptr, 0, 0, style, nullptr);
    tiny.Create(0, 0, kSmallW, kSmallH, L"Help", nullptr, 0, 0, style, nullptr);
    DrawStates(dc, large, big, top, {kColumns[0], kColumns[1], kColumns[2]}, true);
    DrawStates(dc, tiny, small, top + (kBigH - kSmallH) / 2, {kColumns[3], kColumns[4]}, false);
}

void Headings(HDC dc, HFONT font) {
    const wchar_t* const titles[] = {L"released", L"pressed", L"disabled", L"small", L"pressed"};
    for (int i = 0; i < 5; ++i) DrawTextAt(dc, titles[i], kColumns[i], 4, 0, font, kDark, TRANSPARENT);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    CQorGDI sheet;
    if (!sheet.CreateSized(nullptr, kWidth, kHeight, FALSE, TRUE, FALSE, 16)) return 1;
    Checkerboard(sheet.m_hDC);
    RECT heading{0, 0, kWidth, kTop - 2};
    FillSolidRect(sheet.m_hDC, &heading, 0xD8D8D8);
    // The menu's entry font for 32-pixel icons, and a small one for the small buttons.
    HFONT big = MakeFont(16, 700, TRUE, L"Tahoma", 0, 0, 0);
    HFONT small = MakeFont(11, 700, TRUE, L"Tahoma", 0, 0, 0);
    HFONT names = MakeFont(14, 400, TRUE, L"Tahoma", 0, 0, 0);
    Headings(sheet.m_hDC, names);
    for (int style = 0; style < 12; ++style) Row(sheet.m_hDC, style, big, small, names);
    DeleteGdiObject(&big);
    DeleteGdiObject(&small);
    DeleteGdiObject(&names);
    if (!platform::WritePng(argv[1], SectionRows(sheet.m_pBits, sheet.m_bm))) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
