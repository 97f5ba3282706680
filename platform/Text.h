// Fonts and one line of text, and the DC's text state: colour, background colour and mode.
#pragma once

#include "platform/GdiTypes.h"

// The face is resolved through fontconfig to the closest installed match (a sans face when the
// name is not installed); a weight of 600 or more is bold. lfHeight is the cell height in pixels
// (0: 12). Every quality draws grey-scale anti-aliased; escapement and orientation are ignored.
// NULL for a face name without a terminator within LF_FACESIZE characters, a negative
// (character) height or one above 1024, or when no font can be loaded.
HFONT CreateFontIndirectW(const LOGFONTW* font);
// cx: the sum of the advances of the first count characters (no kerning); cy: the font's cell
// height. When fit is given it receives how many characters fit in maxExtent; dx, when given,
// receives the extent after each of the count characters.
BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit, int* dx, SIZE* size);
// One line: line breaks are not interpreted. count -1: up to the terminator. Left, centre or
// right; top, vertical centre or bottom (also without DT_SINGLELINE); clipped to rc unless
// DT_NOCLIP. In OPAQUE mode the text's box is first filled with the background colour. Returns
// the text height, 0 on failure.
int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rc, UINT format);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF colour);
