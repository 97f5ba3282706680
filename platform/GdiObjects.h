// GDI objects: memory DCs, bitmaps and sections, brushes, pens and fonts behind handles, their
// selection and deletion, stock objects, and the clip box.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/GdiTypes.h"

// ---- Device contexts ------------------------------------------------------------------------

// A memory DC holding a 1 x 1 bitmap of the reference's depth (16 bits for NULL or the screen),
// black text, white background, OPAQUE, black pen, white brush, the system font.
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);
// The visible drawing area in the DC's coordinates; for a paint DC the area being repainted.
int GetClipBox(HDC dc, RECT* rc);

// ---- Objects --------------------------------------------------------------------------------

// Returns the object of the same kind it displaced; NULL (and no change) for NULL, an invalid
// object, or a bitmap already selected into another DC.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Refused (FALSE) while the object is selected into a DC; stock objects are never deleted.
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
// Bitmaps fill a BITMAP, fonts a LOGFONTW; returns the bytes written, 0 on failure.
int GetObjectW(HGDIOBJ object, int size, LPVOID out);
#define GetObject GetObjectW

HBRUSH CreateSolidBrush(COLORREF colour);
// PS_SOLID (widths 0 and 1 draw one pixel) or PS_NULL; negative widths fail.
HPEN CreatePen(int style, int width, COLORREF colour);

// ---- Bitmaps --------------------------------------------------------------------------------

// A device bitmap: the depth of the bitmap selected into the reference memory DC (16 or 24),
// 16 for the screen or a window. Zero-filled; no pixel pointer. NULL for sizes <= 0.
HBITMAP CreateCompatibleBitmap(HDC reference, int width, int height);
// A 16-bit BI_BITFIELDS 5-6-5 or a 24-bit BI_RGB section, bottom-up (biHeight > 0), rows padded
// to 4 bytes, zero-filled. *bits receives the pixel pointer.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);

// ---- The records behind the handles, for the platform's own drawing calls -------------------

namespace platform {

struct DCRecord;
struct BitmapRecord;
struct BrushRecord;
struct PenRecord;
struct FontRecord;
enum class DCKind;

DCRecord* FindDC(HDC dc);
BitmapRecord* FindBitmap(HBITMAP bitmap);
BrushRecord* FindBrush(HBRUSH brush);
PenRecord* FindPen(HPEN pen);
FontRecord* FindFont(HFONT font);
HFONT AddFont(std::unique_ptr<FontRecord> font);

// A DC in its default state; memory DCs start on a 1 x 1 bitmap of the given depth.
HDC NewDC(DCKind kind, HWND window, int depth);

// Live objects of each kind, stock objects left out: lets a test prove that a drawing call
// deleted everything it made.
struct GdiObjectCounts {
    size_t dcs = 0, bitmaps = 0, brushes = 0, pens = 0, fonts = 0;
    bool operator==(const GdiObjectCounts&) const = default;
};
GdiObjectCounts CountGdiObjects();

// Drops every object, stock ones included (a fresh platform state).
void ResetGdi();

}  // namespace platform
