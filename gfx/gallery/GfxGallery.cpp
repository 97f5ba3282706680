// gfx-gallery OUT.png: one 240 × 320 sheet of what the graphics library draws, for a person to
// look at: shapes, frames, the wash, gradients, the dithered menu background, text, a tile-like
// sheet scaled to board cells, and cross-fade frames.
#include <cstdio>

#include "gfx/Blend.h"
#include "gfx/Draw.h"
#include "gfx/Text.h"
#include "gfx/Transitions.h"
#include "platform/Png.h"

namespace {

constexpr int kWidth = 240, kHeight = 452;
constexpr COLORREF kGround = 0xD8D8D8;
constexpr COLORREF kInk = 0x202020;
constexpr COLORREF kWhite = 0xFFFFFF;
// The menu's background runs from navy at the top to blue at the bottom.
constexpr COLORREF kNavy = 0x342210, kBlue = 0xFF7A00;

void Shapes(HDC dc) {
    RECT fill{4, 4, 36, 36}, boxed{40, 4, 72, 36}, outline{76, 4, 108, 36};
    FillSolidRect(dc, &fill, 0x3030E0);
    DrawRectangle(dc, &boxed, 0x30D0F0, kInk);
    // A stripe under the hollow rectangle shows that its inside is left alone.
    RECT stripe{74, 16, 110, 24};
    FillSolidRect(dc, &stripe, 0x30D0F0);
    DrawRectangle(dc, &outline, NO_COLOR, kInk);
    RECT thin{118, 4, 143, 35}, thick{150, 6, 179, 33};
    DrawFrame(dc, &thin, 0xC04010, 1);
    DrawFrame(dc, &thick, 0x30A030, 3);
}

// Five colour bars, the lower half washed with white at alpha 127 as the board's cursor is.
void Wash(HDC dc) {
    const COLORREF bars[] = {0x0000FF, 0x00C000, 0xFF0000, 0x00FFFF, 0x000000};
    for (int i = 0; i < 5; ++i) {
        RECT bar{186 + i * 10, 4, 196 + i * 10, 36};
        FillSolidRect(dc, &bar, bars[i]);
    }
    RECT lower{186, 20, 236, 36};
    AlphaFillRectDC(dc, &lower, kWhite, 127);
}

void RoundedCorners(HDC dc) {
    const int corners[] = {4, 8, 12, 16, 24, 32};
    for (int i = 0; i < 6; ++i) {
        RECT rc{4 + i * 39, 42, 40 + i * 39, 76};
        DrawRoundRect(dc, &rc, 0xE0A040, kInk, corners[i], corners[i]);
    }
}

void Gradients(CQorGDI& sheet) {
    RECT vertical{4, 82, 58, 122}, rounded{62, 82, 118, 122}, gloss{122, 82, 178, 122}, diagonal{182, 82, 236, 122};
    sheet.GradientFillRect(&vertical, 0xF0E0C0, 0x804010, FALSE);
    sheet.GradientRoundRect(&rounded, 0x5A320D, 12, 12, 0xFFE0B0, 0xC07020);
    sheet.GlossRoundRect(&gloss, 0x5A320D, 12, 12, 0xFFF0E0, 0xF0B080, 0xC06010, 0xF0A050);
    DiagonalGradientFillRectDC(sheet.m_hDC, &diagonal, 0x40E0FF, 0x8000A0);
}

// The menu background as the menu makes it (24-bit gradient, dithered, copied to 16 bits) beside
// the same gradient copied without the dither.
void MenuBackground(HDC dc) {
    for (BOOL dither : {FALSE, TRUE}) {
        CQorGDI picture;
        if (!picture.CreateSized(dc, 114, 60, FALSE, TRUE, FALSE, 24)) return;
        RECT all{0, 0, 114, 60};
        GradientFillRectDC(picture.m_hDC, &all, kNavy, kBlue, TRUE);
        if (dither) picture.Dither565();
        BitBlt(dc, dither ? 122 : 4, 128, 114, 60, picture.m_hDC, 0, 0, SRCCOPY);
    }
}

void Text(HDC dc) {
    // The game's sizes: entries, the selected entry and titles, the counters.
    const int heights[] = {16, 17, 18};
    const UINT alignments[] = {DT_LEFT | DT_TOP, DT_CENTER | DT_VCENTER, DT_RIGHT | DT_BOTTOM};
    for (int i = 0; i < 3; ++i) {
        HFONT font = MakeFont(heights[i], 700, TRUE, L"Tahoma", 0, 0, 0);
        RECT box{4, 192 + i * 26, 236, 192 + i * 26 + 24};
        FillSolidRect(dc, &box, kWhite);
        DrawTextEllipsis(dc, L"New Game", &box, alignments[i], font, kInk, TRANSPARENT);
        DeleteGdiObject(reinterpret_cast<HGDIOBJ*>(&font));
    }
    // A label on a glossy button, and a long label shortened to fit its box.
    HFONT font = MakeFont(17, 700, TRUE, L"Tahoma", 0, 0, 0);
    CQorGDI button;
    RECT face{4, 272, 118, 300};
    if (button.Create(dc, &face, TRUE, TRUE, FALSE, 16)) {
        RECT all{0, 0, 114, 28};
        button.GlossRoundRect(&all, 0x5A320D, 12, 12, 0xFFF0E0, 0xF0B080, 0xC06010, 0xF0A050);
        DrawTextEllipsis(button.m_hDC, L"Options", &all, DT_CENTER | DT_VCENTER, font, kWhite, TRANSPARENT);
        BitBlt(dc, face.left, face.top, 114, 28, button.m_hDC, 0, 0, SRCCOPY);
    }
    RECT narrow{122, 272, 200, 300};
    FillSolidRect(dc, &narrow, kWhite);
    DrawTextEllipsis(dc, L"Resume Game", &narrow, DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS_FLAG, font, kInk,
                     TRANSPARENT);
    DrawTextAt(dc, L"Moves: 12", 120, 302, 1, font, kInk, TRANSPARENT);
    DeleteGdiObject(reinterpret_cast<HGDIOBJ*>(&font));
}

// A 520 × 104 sheet of five glossy tiles with a light mark each, as the board's tile strip.
bool TileSheet(CQorGDI& sheet) {
    if (!sheet.CreateSized(nullptr, 520, 104, FALSE, TRUE, FALSE, 16)) return false;
    const COLORREF faces[5][2] = {{0xFFB060, 0xA04010}, {0x6070FF, 0x1010B0}, {0xE070C0, 0x701870},
                                  {0x70E070, 0x107010}, {0x60F0FF, 0x00A0D0}};
    RECT all{0, 0, 520, 104};
    FillSolidRect(sheet.m_hDC, &all, 0x000000);
    for (int i = 0; i < 5; ++i) {
        RECT tile{i * 104 + 3, 3, i * 104 + 101, 101}, mark{i * 104 + 40, 40, i * 104 + 64, 64};
        sheet.GlossRoundRect(&tile, 0x202020, 24, 24, 0xFFFFFF, faces[i][0], faces[i][1], faces[i][0]);
        DrawRoundRect(sheet.m_hDC, &mark, 0xF0F0F0, NO_COLOR, 8 + 4 * i, 8 + 4 * i);
    }
    return true;
}

// The sheet scaled to cells of 44, 30 and 16 pixels, and a cross-fade from the first tile to the
// last at levels 0, 8, 16, 24 and 32.
void Scaling(HDC dc) {
    CQorGDI sheet;
    if (!TileSheet(sheet)) return;
    const int cells[][3] = {{44, 4, 322}, {30, 4, 370}, {16, 158, 377}};
    CQorGDI big;
    for (const auto& [cell, x, y] : cells) {
        CQorGDI tiles;
        if (!sheet.ResampleTo(&tiles, 5 * cell, cell, FALSE, 0)) continue;
        BitBlt(dc, x, y, 5 * cell, cell, tiles.m_hDC, 0, 0, SRCCOPY);
        if (cell == 44) big.CreateSized(tiles.m_hDC, 5 * cell, cell, TRUE, TRUE, FALSE, 16);
    }
    CQorGDI frame;
    if (!big.m_hDC || !frame.CreateSized(dc, 44, 44, FALSE, TRUE, FALSE, 16)) return;
    for (int i = 0; i < 5; ++i) {
        CrossFadeFrame(&frame, &big, 0, 0, &big, 4 * 44, 0, 8 * i);
        BitBlt(dc, 4 + i * 47, 404, 44, 44, frame.m_hDC, 0, 0, SRCCOPY);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    CQorGDI sheet;
    if (!sheet.CreateSized(nullptr, kWidth, kHeight, FALSE, TRUE, FALSE, 16)) return 1;
    RECT all{0, 0, kWidth, kHeight};
    FillSolidRect(sheet.m_hDC, &all, kGround);
    Shapes(sheet.m_hDC);
    Wash(sheet.m_hDC);
    RoundedCorners(sheet.m_hDC);
    Gradients(sheet);
    MenuBackground(sheet.m_hDC);
    Text(sheet.m_hDC);
    Scaling(sheet.m_hDC);
    if (!platform::WritePng(argv[1], SectionRows(sheet.m_pBits, sheet.m_bm))) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
