// Internal: the records behind GDI handles and the surface a DC draws on. Shared by the object
// calls, the block transfers, the shapes, the text renderer and the screen.
#pragma once

#include <memory>

#include "platform/Gdi.h"
#include "platform/PixelRows.h"

namespace platform {

// A zero-filled pixel buffer: sections are stored bottom-up, everything else top-down.
struct PixelBuffer {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 16;
    bool bottomUp = false;
    std::unique_ptr<uint8_t[]> bytes;

    // NULL when the size is not positive, too large, or memory runs out.
    static std::unique_ptr<PixelBuffer> Make(int width, int height, int bitsPerPixel, bool bottomUp);
    size_t SizeInBytes() const { return static_cast<size_t>(RowPitch(width, bitsPerPixel)) * height; }
    PixelRows Rows() const {
        return bottomUp ? PixelRows::BottomUp(bytes.get(), width, height, bitsPerPixel)
                        : PixelRows::TopDown(bytes.get(), width, height, bitsPerPixel);
    }
};

struct BitmapRecord {
    std::unique_ptr<PixelBuffer> pixels;
    bool section = false;  // a device-independent section: GetObject exposes the pixel pointer
    int selections = 0;
};

struct BrushRecord {
    COLORREF colour = 0;
    bool hollow = false;
    bool stock = false;
    int selections = 0;
};

struct PenRecord {
    int style = PS_SOLID;
    int width = 1;
    COLORREF colour = 0;
    bool stock = false;
    int selections = 0;
};

struct FontFace;  // the text renderer's resolved face, glyph cache included

struct FontRecord {
    LOGFONTW logFont{};
    std::shared_ptr<FontFace> face;
    bool stock = false;
    int selections = 0;
};

enum class DCKind { Memory, Screen, Window };

struct DCRecord {
    DCKind kind = DCKind::Memory;
    HBITMAP bitmap = nullptr;         // memory DCs: the selected bitmap
    HBITMAP defaultBitmap = nullptr;  // memory DCs: the 1 x 1 bitmap they start with, owned
    HWND window = nullptr;            // window DCs
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    bool hasClip = false;  // paint DCs: drawing is limited to clip (DC coordinates)
    RECT clip{};
    bool wroteToScreen = false;
};

// Where a DC's drawing lands: the whole surface, the DC's origin on it and the area it may touch,
// both in surface coordinates.
struct DrawTarget {
    PixelRows rows;
    POINT origin{};
    RECT clip{};
    DCRecord* dc = nullptr;
};

DCRecord* FindDC(HDC dc);
BitmapRecord* FindBitmap(HBITMAP bitmap);
BrushRecord* FindBrush(HBRUSH brush);
PenRecord* FindPen(HPEN pen);
FontRecord* FindFont(HFONT font);
HFONT AddFont(std::unique_ptr<FontRecord> font);

// A DC in its default state; memory DCs start on a 1 x 1 bitmap of the given depth.
HDC NewDC(DCKind kind, HWND window, int depth);

// False for an unknown DC or one with nothing to draw on (a window that has gone).
bool ResolveTarget(HDC dc, DrawTarget* out);
// Drawing reached a window or the screen: a block transfer is shown at once (animations need
// every frame), other drawing when the DC is released or the paint ends.
void NoteDrawn(const DrawTarget& target, bool blockTransfer);

// Live objects of each kind, stock objects left out: lets a test prove that a drawing call
// deleted everything it made.
struct GdiObjectCounts {
    size_t dcs = 0, bitmaps = 0, brushes = 0, pens = 0, fonts = 0;
    bool operator==(const GdiObjectCounts&) const = default;
};
GdiObjectCounts CountGdiObjects();

RECT IntersectRects(const RECT& a, const RECT& b);
bool IsEmptyArea(const RECT& r);

// The screen (see Screen.cpp).
PixelBuffer& ScreenBuffer();
// The surface a top-level window paints into, made or resized to the window's size on demand.
PixelBuffer* WindowSurface(HWND topLevel);
// Composes the visible windows onto the screen and hands it to the backend.
void PresentScreen();
// A top-level window has gone: its surface goes too.
void ForgetWindowSurface(HWND topLevel);
// Draws what the platform itself shows on the composed screen (the status and soft-key bars).
using ShellPainter = void (*)(const PixelRows& screen);
void SetShellPainter(ShellPainter painter);

void ResetGdi();
void ResetScreen();

// Test hooks. After the next `after` pixel-buffer allocations, count of them fail as if memory
// had run out (a new DC's 1 x 1 bitmap is one such allocation, a new bitmap another).
void FailNextPixelBuffers(int count, int after = 0);
// How many times BitBlt has been called in this process, refused calls included.
long BlockTransferCalls();

}  // namespace platform
