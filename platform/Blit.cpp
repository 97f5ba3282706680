// Pixel copies and fills: BitBlt, TransparentImage, FillRect, GetPixel and SetPixel.
#include <cstring>
#include <new>

#include "platform/GdiState.h"

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

// The part of a w x h transfer from (sx, sy) to (dx, dy), in surface coordinates, that lies
// inside both clips, as offsets into the transfer.
RECT ClipTransfer(const DrawTarget& d, int dx, int dy, const DrawTarget& s, int sx, int sy, int w, int h) {
    RECT r{0, 0, w, h};
    r = IntersectRects(r, RECT{d.clip.left - dx, d.clip.top - dy, d.clip.right - dx, d.clip.bottom - dy});
    r = IntersectRects(r, RECT{s.clip.left - sx, s.clip.top - sy, s.clip.right - sx, s.clip.bottom - sy});
    return r;
}

long blockTransferCalls = 0;

}  // namespace

long BlockTransferCalls() { return blockTransferCalls; }

}  // namespace platform

using namespace platform;

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
    ++blockTransferCalls;
    DrawTarget d, s;
    if (rop != SRCCOPY || width <= 0 || height <= 0 || !ResolveTarget(dst, &d) || !ResolveTarget(src, &s))
        return FALSE;
    const int dx = d.origin.x + x, dy = d.origin.y + y, ssx = s.origin.x + sx, ssy = s.origin.y + sy;
    RECT part = ClipTransfer(d, dx, dy, s, ssx, ssy, width, height);
    if (IsEmptyArea(part)) return TRUE;
    const int w = part.right - part.left, h = part.bottom - part.top;
    if (d.rows.top == s.rows.top) {
        // The same surface: go through a copy so overlapping areas come out as the source was.
        auto temp = PixelBuffer::Make(w, h, s.rows.bitsPerPixel, false);
        if (!temp) return FALSE;
        CopyBlock(s.rows, ssx + part.left, ssy + part.top, temp->Rows(), 0, 0, w, h);
        CopyBlock(temp->Rows(), 0, 0, d.rows, dx + part.left, dy + part.top, w, h);
    } else {
        CopyBlock(s.rows, ssx + part.left, ssy + part.top, d.rows, dx + part.left, dy + part.top, w, h);
    }
    NoteDrawn(d, true);
    return TRUE;
}

BOOL TransparentImage(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
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
    bool drew = false;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            int qx = dx + c, qy = dy + r;
            if (!keep[static_cast<size_t>(r) * width + c] || qx < d.clip.left || qx >= d.clip.right ||
                qy < d.clip.top || qy >= d.clip.bottom)
                continue;
            CopyPixel(t.At(c, r), sbpp, d.rows.At(qx, qy), dbpp);
            drew = true;
        }
    }
    if (drew) NoteDrawn(d, true);
    return TRUE;
}

int FillRect(HDC dc, const RECT* rc, HBRUSH brush) {
    DrawTarget t;
    const BrushRecord* b = FindBrush(brush);
    if (!rc || !b || !ResolveTarget(dc, &t)) return 0;
    if (b->hollow) return 1;
    RECT area = IntersectRects(
        RECT{rc->left + t.origin.x, rc->top + t.origin.y, rc->right + t.origin.x, rc->bottom + t.origin.y}, t.clip);
    if (IsEmptyArea(area)) return 1;
    // Fill the first row pixel by pixel, then copy it down.
    for (int x = area.left; x < area.right; ++x) t.rows.Set(x, area.top, b->colour);
    const size_t bytes = static_cast<size_t>(area.right - area.left) * t.rows.BytesPerPixel();
    for (int y = area.top + 1; y < area.bottom; ++y) std::memcpy(t.rows.At(area.left, y), t.rows.At(area.left, area.top), bytes);
    NoteDrawn(t, false);
    return 1;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    DrawTarget t;
    if (!ResolveTarget(dc, &t)) return CLR_INVALID;
    int px = x + t.origin.x, py = y + t.origin.y;
    if (px < t.clip.left || px >= t.clip.right || py < t.clip.top || py >= t.clip.bottom) return CLR_INVALID;
    return t.rows.Get(px, py);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    DrawTarget t;
    if (!ResolveTarget(dc, &t)) return CLR_INVALID;
    int px = x + t.origin.x, py = y + t.origin.y;
    if (px < t.clip.left || px >= t.clip.right || py < t.clip.top || py >= t.clip.bottom) return CLR_INVALID;
    t.rows.Set(px, py, colour & 0xFFFFFF);
    NoteDrawn(t, false);
    return t.rows.Get(px, py);
}
