// Fonts and text for the graphics library: font creation and one-line text drawing with an end
// ellipsis, each call leaving the DC's font, text colour and background mode as it found them.
#pragma once

#include "platform/Gdi.h"

// A new font of cell height height (>= 0), the caller's to delete. angle is in degrees. With
// clearType the font asks for ClearType quality. Null for a negative height or weight, a null face
// or a face of more than 31 characters.
HFONT MakeFont(int height, int weight, BOOL clearType, const wchar_t* face, int angle, int width, BYTE italic);

// Draws text in rc with format, selecting font when it is non-null, in colour unless colour is
// KEY_COLOR (then the DC's text colour stays), with backgroundMode. With DT_END_ELLIPSIS_FLAG a
// text wider than rc is shortened into "..." a character a round, for a limited number of rounds:
// the last shortened text is drawn even when it is still too wide, and texts of five characters
// or fewer are never shortened. Returns the text height, 0 for a null DC or text, a null rc or an
// inverted rc.
int DrawTextEllipsis(HDC dc, const wchar_t* text, RECT* rc, UINT format, HFONT font, COLORREF colour,
                     int backgroundMode);

// Draws one line with its top at y: align 0 puts its left edge at x, 1 centres it on x, 2 puts its
// right edge at x. The box is two pixels wider than the text. Returns what DrawTextEllipsis does.
int DrawTextAt(HDC dc, const wchar_t* text, int x, int y, int align, HFONT font, COLORREF colour,
               int backgroundMode);
