// Pixel copies and fills: block transfers, transparent copies, rectangle fills, single pixels.
#pragma once

#include "platform/GdiTypes.h"

// SRCCOPY only. Clipped to both surfaces: a destination pixel whose source lies outside the
// source is left as it was. Source and destination may overlap in one surface. Converts between
// 16 and 24 bits (24 -> 16 packs; 16 -> 24 repeats each field's high bits). Into a window or the
// screen, every call (TransparentImage too) presents a frame at once, even one that changes nothing.
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop);
// Copies the pixels that do not read back as the key colour (5-6-5 pixels are unpacked first, so
// 0xF81F matches 0xF800F8). Unequal sizes scale by nearest neighbour.
BOOL TransparentImage(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                      COLORREF key);
// Fills [left, right) x [top, bottom) with the brush, clipped.
int FillRect(HDC dc, const RECT* rc, HBRUSH brush);
// CLR_INVALID outside the DC's area.
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);

namespace platform {
// How many times BitBlt has been called in this process, refused calls included.
long BlockTransferCalls();
// Fills the rectangle with one colour through a brush of its own (the drawn controls' backgrounds).
void FillSolid(HDC dc, const RECT& rc, COLORREF colour);
}  // namespace platform
