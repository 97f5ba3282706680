// The platform's drawing services (GDI), under their names: device contexts, bitmaps and
// sections, pens, brushes, fonts, shapes, block transfers and text.
//
// Rectangles are {left, top, right, bottom} with right and bottom exclusive. Every call that gets
// an invalid handle, a null DC or a size of zero or less returns the platform's failure value
// (FALSE, NULL, 0, CLR_INVALID) and draws nothing.
#pragma once

#include "platform/Types.h"

// ---- Structures -----------------------------------------------------------------------------

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;  // the row pitch, rounded up to 4 bytes
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;  // null for device bitmaps
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: rows stored bottom-up
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct RGBQUAD {
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};

// For BI_BITFIELDS the three colour masks follow the header where bmiColors starts.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

constexpr int LF_FACESIZE = 32;
struct LOGFONTW {
    LONG lfHeight;  // > 0: the cell height in pixels; 0: the system font's, 12 per 32 pixels of icon
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

// ---- Constants ------------------------------------------------------------------------------

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;

constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;

constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int RGN_ERROR = 0;

constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;

constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;

// ---- Device contexts ------------------------------------------------------------------------

// A memory DC holding a 1 x 1 bitmap of the reference's depth (16 bits for NULL or the screen),
// black text, white background, OPAQUE, black pen, white brush, the system font.
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);
// GetDC(NULL): the whole screen, a 16-bit 5-6-5 framebuffer. GetDC(window): its client area,
// origin at the client's top-left, clipped to it, readable.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
// The visible drawing area in the DC's coordinates; for a paint DC the area being repainted.
int GetClipBox(HDC dc, RECT* rc);

// Sends WM_ERASEBKGND first when the invalidation asked for it; validates the update area.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

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

// ---- Pixels and block transfers -------------------------------------------------------------

// SRCCOPY only. Clipped to both surfaces: a destination pixel whose source lies outside the
// source is left as it was. Source and destination may overlap in one surface. Converts between
// 16 and 24 bits (24 -> 16 packs; 16 -> 24 repeats each field's high bits).
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

// ---- Shapes ---------------------------------------------------------------------------------

// The outline on the inner edge with the pen (columns left and right - 1, rows top and
// bottom - 1), the interior with the brush. Pens of width 0 and 1 draw one pixel, wider pens a
// wider outline inside the shape; the null pen draws none and the brush then fills the whole
// shape; the hollow brush fills nothing. An inverted rectangle draws nothing (TRUE).
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
// As Rectangle, with corners cut by the quadrants of an ellipseWidth x ellipseHeight ellipse inside
// the rectangle: a pixel is kept when its centre lies inside the ellipse. Ellipses larger than the
// rectangle are cut to its size; below 2 pixels either way the corners stay square. From 4 x 4 on
// the corner pixels themselves are left out.
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
// Connected segments with the pen's colour and width (a square of that width around each
// pixel); the last point is not drawn, every joint once. FALSE for fewer than 2 points.
BOOL Polyline(HDC dc, const POINT* points, int count);

// ---- Text -----------------------------------------------------------------------------------

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
