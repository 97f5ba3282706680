// Pixel copies and fills: BitBlt, TransparentImage, FillRect, GetPixel and SetPixel.
#include "platform/Blit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/GdiObjects.h"
#include "platform/GdiState.h"
#include "platform/Rects.h"
#include "platform/Screen.h"

namespace platform {
namespace {

// Converts one pixel between formats by the pack and widen rules.
void CopyPixel(const uint8_t* s, int sbpp, uint8_t* d, int dbpp) {
    if (sbpp == dbpp) {
        std::memcpy(d, s, static_cast<size_t>(sbpp / 8));
    } else if (sbpp == 24) {
        uint16_t v = Pack565(RGB(s[2], s[1], s[0]));
        d[0] = static_cast<uint8_t>(v);
        d[1] = static_cast<uint8_t>(v >> 8);
    } else {
        COLORREF c = Widen565(static_cast<uint16_t>(s[0] | (s[1] << 8)));
        d[0] = GetBValue(c);
        d[1] = GetGValue(c);
        d[2] = GetRValue(c);
    }
}

void CopyBlock(const PixelRows& src, int sx, int sy, const PixelRows& dst, int dx, int dy, int w, int h) {
    for (int r = 0; r < h; ++r) {
        const uint8_t* s = src.At(sx, sy + r);
        uint8_t* d = dst.At(dx, dy + r);
        if (src.bitsPerPixel == dst.bitsPerPixel) {
            std::memcpy(d, s, static_cast<size_t>(w) * src.BytesPerPixel());
            continue;
        }
        if (src.bitsPerPixel == 24 && dst.bitsPerPixel == 16) {
            // The common conversion (tiles onto the 16-bit screen) gets a loop of its own.
            for (int c = 0; c < w; ++c, s += 3, d += 2) {
                const uint16_t v = Pack565(RGB(s[2], s[1], s[0]));
                d[0] = static_cast<uint8_t>(v);
                d[1] = static_cast<uint8_t>(v >> 8);
            }
            continue;
        }
        for (int c = 0; c < w; ++c) CopyPixel(s + c * src.BytesPerPixel(), src.bitsPerPixel, d + c * dst.BytesPerPixel(),
                                              dst.bitsPerPixel);
    }
}

// The part of a w x h transfer to (dx, dy) from (sx, sy), in surface coordinates, that lies
// inside both clips, as offsets into the transfer. The corners may lie anywhere an int plus an
// origin reaches: the arithmetic is 64-bit, and what comes out lies inside both surfaces.
RECT ClipTransfer(const DrawTarget& d, int64_t dx, int64_t dy, const DrawTarget& s, int64_t sx, int64_t sy, int w,
                  int h) {
    const int64_t left = std::max({int64_t{0}, d.clip.left - dx, s.clip.left - sx});
    const int64_t top = std::max({int64_t{0}, d.clip.top - dy, s.clip.top - sy});
    const int64_t right = std::min({int64_t{w}, d.clip.right - dx, s.clip.right - sx});
    const int64_t bottom = std::min({int64_t{h}, d.clip.bottom - dy, s.clip.bottom - sy});
    if (right <= left || bottom <= top) return RECT{};
    return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right), static_cast<LONG>(bottom)};
}

// rc of a DC in surface coordinates, limited to the target's clip. rc may lie anywhere: the
// arithmetic is 64-bit.
RECT ClipToTarget(const DrawTarget& t, const RECT& rc) {
    const int64_t left = std::max<int64_t>(int64_t{rc.left} + t.origin.x, t.clip.left);
    const int64_t top = std::max<int64_t>(int64_t{rc.top} + t.origin.y, t.clip.top);
    const int64_t right = std::min<int64_t>(int64_t{rc.right} + t.origin.x, t.clip.right);
    const int64_t bottom = std::min<int64_t>(int64_t{rc.bottom} + t.origin.y, t.clip.bottom);
    if (right <= left || bottom <= top) return RECT{};
    return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right), static_cast<LONG>(bottom)};
}

// The surface pixel of DC point (x, y), when it lies inside the target's clip.
bool PixelOf(const DrawTarget& t, int x, int y, int* px, int* py) {
    const int64_t sx = int64_t{x} + t.origin.x, sy = int64_t{y} + t.origin.y;
    if (sx < t.clip.left || sx >= t.clip.right || sy < t.clip.top || sy >= t.clip.bottom) return false;
    *px = static_cast<int>(sx);
    *py = static_cast<int>(sy);
    return true;
}

long blockTransferCalls = 0;

}  // namespace

long BlockTransferCalls() { return blockTransferCalls; }

}  // namespace platform

using namespace platform;

namespace {

BOOL Transfer(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
    DrawTarget d, s;
    if (rop != SRCCOPY || width <= 0 || height <= 0 || !ResolveTarget(dst, &d) || !ResolveTarget(src, &s))
        return FALSE;
    const int64_t dx = int64_t{d.origin.x} + x, dy = int64_t{d.origin.y} + y;
    const int64_t ssx = int64_t{s.origin.x} + sx, ssy = int64_t{s.origin.y} + sy;
    RECT part = ClipTransfer(d, dx, dy, s, ssx, ssy, width, height);
    if (IsEmptyArea(part)) return TRUE;
    const int w = part.right - part.left, h = part.bottom - part.top;
    // Inside both surfaces now, so these fit an int.
    const int fromX = static_cast<int>(ssx + part.left), fromY = static_cast<int>(ssy + part.top);
    const int toX = static_cast<int>(dx + part.left), toY = static_cast<int>(dy + part.top);
    if (d.rows.top == s.rows.top) {
        // The same surface: go through a copy so overlapping areas come out as the source was.
        auto temp = PixelBuffer::Make(w, h, s.rows.bitsPerPixel, false);
        if (!temp) return FALSE;
        CopyBlock(s.rows, fromX, fromY, temp->Rows(), 0, 0, w, h);
        CopyBlock(temp->Rows(), 0, 0, d.rows, toX, toY, w, h);
    } else {
        CopyBlock(s.rows, fromX, fromY, d.rows, toX, toY, w, h);
    }
    return TRUE;
}

BOOL TransferUnlessKey(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                       COLORREF key) {
    DrawTarget d, s;
    if (width <= 0 || height <= 0 || sw <= 0 || sh <= 0 || !ResolveTarget(dst, &d) || !ResolveTarget(src, &s))
        return FALSE;
    key &= 0xFFFFFF;
    const int dx = d.origin.x + x, dy = d.origin.y + y, ssx = s.origin.x + sx, ssy = s.origin.y + sy;
    const int sbpp = s.rows.bitsPerPixel, dbpp = d.rows.bitsPerPixel;
    // Read every source pixel before writing, in case both lie in one surface.
    auto temp = PixelBuffer::Make(width, height, sbpp, false);
    if (!temp) return FALSE;
    std::unique_ptr<bool[]> keep(new (std::nothrow) bool[static_cast<size_t>(width) * height]());
    if (!keep) return FALSE;
    const PixelRows t = temp->Rows();
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            int px = ssx + static_cast<int>(static_cast<long long>(c) * sw / width);
            int py = ssy + static_cast<int>(static_cast<long long>(r) * sh / height);
            bool inside = px >= s.clip.left && px < s.clip.right && py >= s.clip.top && py < s.clip.bottom;
            if (!inside || s.rows.Get(px, py) == key) continue;
            std::memcpy(t.At(c, r), s.rows.At(px, py), static_cast<size_t>(sbpp / 8));
            keep[static_cast<size_t>(r) * width + c] = true;
        }
    }
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            int qx = dx + c, qy = dy + r;
            if (!keep[static_cast<size_t>(r) * width + c] || qx < d.clip.left || qx >= d.clip.right ||
                qy < d.clip.top || qy >= d.clip.bottom)
                continue;
            CopyPixel(t.At(c, r), sbpp, d.rows.At(qx, qy), dbpp);
        }
    }
    return TRUE;
}

}  // namespace

// Into a window or the screen, each call is a frame whatever it changed.
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
    ++blockTransferCalls;
    const BOOL done = Transfer(dst, x, y, width, height, src, sx, sy, rop);
    NoteBlockTransfer(dst);
    return done;
}

BOOL TransparentImage(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                      COLORREF key) {
    const BOOL done = TransferUnlessKey(dst, x, y, width, height, src, sx, sy, sw, sh, key);
    NoteBlockTransfer(dst);
    return done;
}

int FillRect(HDC dc, const RECT* rc, HBRUSH brush) {
    DrawTarget t;
    const BrushRecord* b = FindBrush(brush);
    if (!rc || !b || !ResolveTarget(dc, &t)) return 0;
    if (b->hollow) return 1;
    const RECT area = ClipToTarget(t, *rc);
    if (IsEmptyArea(area)) return 1;
    // Fill the first row pixel by pixel, then copy it down.
    for (int x = area.left; x < area.right; ++x) t.rows.Set(x, area.top, b->colour);
    const size_t bytes = static_cast<size_t>(area.right - area.left) * t.rows.BytesPerPixel();
    for (int y = area.top + 1; y < area.bottom; ++y) std::memcpy(t.rows.At(area.left, y), t.rows.At(area.left, area.top), bytes);
    NoteDrawn(t);
    return 1;
}

void platform::FillSolid(HDC dc, const RECT& rc, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

COLORREF GetPixel(HDC dc, int x, int y) {
    DrawTarget t;
    int px, py;
    if (!ResolveTarget(dc, &t) || !PixelOf(t, x, y, &px, &py)) return CLR_INVALID;
    return t.rows.Get(px, py);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    DrawTarget t;
    int px, py;
    if (!ResolveTarget(dc, &t) || !PixelOf(t, x, y, &px, &py)) return CLR_INVALID;
    t.rows.Set(px, py, colour & 0xFFFFFF);
    NoteDrawn(t);
    return t.rows.Get(px, py);
}
