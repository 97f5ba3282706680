// Internal: the records behind GDI handles and the surface a DC draws on (types only). Shared by
// the object calls, the block transfers, the shapes, the text renderer and the screen.
#pragma once

#include <memory>

#include "platform/GdiTypes.h"
#include "platform/PixelBuffer.h"

namespace platform {

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

}  // namespace platform
