// GDI objects: device contexts, bitmaps, brushes, pens and fonts behind handles; selection,
// deletion, stock objects and the clip box.
#include "platform/GdiObjects.h"

#include <algorithm>

#include "platform/GdiState.h"
#include "platform/Handles.h"
#include "platform/Rects.h"
#include "platform/Screen.h"

namespace platform {
namespace {

struct GdiTables {
    HandleTable<DCRecord> dcs{HandleKind::DeviceContext};
    HandleTable<BitmapRecord> bitmaps{HandleKind::Bitmap};
    HandleTable<BrushRecord> brushes{HandleKind::Brush};
    HandleTable<PenRecord> pens{HandleKind::Pen};
    HandleTable<FontRecord> fonts{HandleKind::Font};
    HGDIOBJ stock[SYSTEM_FONT + 1] = {};
};

GdiTables& Tables() {
    static GdiTables tables;
    return tables;
}

template <class Record, class H>
H Add(HandleTable<Record>& table, std::unique_ptr<Record> record) {
    return ToHandle<H>(table.Add(std::move(record)));
}

HBRUSH MakeBrush(COLORREF colour, bool hollow, bool stock) {
    auto b = std::make_unique<BrushRecord>();
    b->colour = colour;
    b->hollow = hollow;
    b->stock = stock;
    return Add<BrushRecord, HBRUSH>(Tables().brushes, std::move(b));
}

HPEN MakePen(int style, int width, COLORREF colour, bool stock) {
    auto p = std::make_unique<PenRecord>();
    p->style = style;
    p->width = width;
    p->colour = colour;
    p->stock = stock;
    return Add<PenRecord, HPEN>(Tables().pens, std::move(p));
}

HBITMAP MakeBitmap(int width, int height, int bitsPerPixel, bool section) {
    auto pixels = PixelBuffer::Make(width, height, bitsPerPixel, section);
    if (!pixels) return nullptr;
    auto b = std::make_unique<BitmapRecord>();
    b->pixels = std::move(pixels);
    b->section = section;
    return Add<BitmapRecord, HBITMAP>(Tables().bitmaps, std::move(b));
}

int* SelectionCount(HGDIOBJ object) {
    switch (KindOf(object)) {
        case HandleKind::Bitmap:
            if (auto* r = FindBitmap(static_cast<HBITMAP>(object))) return &r->selections;
            break;
        case HandleKind::Brush:
            if (auto* r = FindBrush(static_cast<HBRUSH>(object))) return &r->selections;
            break;
        case HandleKind::Pen:
            if (auto* r = FindPen(static_cast<HPEN>(object))) return &r->selections;
            break;
        case HandleKind::Font:
            if (auto* r = FindFont(static_cast<HFONT>(object))) return &r->selections;
            break;
        default: break;
    }
    return nullptr;
}

void Deselect(HGDIOBJ object) {
    if (int* n = SelectionCount(object); n && *n > 0) --*n;
}

// Puts object into slot, counting selections; returns what the slot held.
template <class H>
HGDIOBJ Swap(H& slot, HGDIOBJ object) {
    H old = slot;
    slot = static_cast<H>(object);
    if (int* n = SelectionCount(object)) ++*n;
    Deselect(old);
    return old;
}

bool IsStock(HGDIOBJ object) {
    for (HGDIOBJ s : Tables().stock)
        if (s && s == object) return true;
    return false;
}

// The depth a DC gives compatible bitmaps: that of its selected bitmap, else the screen's.
int DepthOf(const DCRecord* dc) {
    if (dc && dc->kind == DCKind::Memory)
        if (const BitmapRecord* b = FindBitmap(dc->bitmap)) return b->pixels->bitsPerPixel;
    return 16;
}

}  // namespace

DCRecord* FindDC(HDC dc) { return Tables().dcs.Find(dc); }
BitmapRecord* FindBitmap(HBITMAP bitmap) { return Tables().bitmaps.Find(bitmap); }
BrushRecord* FindBrush(HBRUSH brush) { return Tables().brushes.Find(brush); }
PenRecord* FindPen(HPEN pen) { return Tables().pens.Find(pen); }
FontRecord* FindFont(HFONT font) { return Tables().fonts.Find(font); }
HFONT AddFont(std::unique_ptr<FontRecord> font) { return Add<FontRecord, HFONT>(Tables().fonts, std::move(font)); }

GdiObjectCounts CountGdiObjects() {
    const GdiTables& t = Tables();
    auto made = [](const auto& table) {
        size_t n = 0;
        table.ForEach([&n](uintptr_t, const auto& record) { n += record.stock ? 0 : 1; });
        return n;
    };
    return GdiObjectCounts{t.dcs.Count(), t.bitmaps.Count(), made(t.brushes), made(t.pens), made(t.fonts)};
}

// A new DC with the default state; memory DCs start on their own 1 x 1 bitmap.
HDC NewDC(DCKind kind, HWND window, int depth) {
    auto dc = std::make_unique<DCRecord>();
    dc->kind = kind;
    dc->window = window;
    DCRecord* raw = dc.get();
    HDC handle = Add<DCRecord, HDC>(Tables().dcs, std::move(dc));
    if (!handle) return nullptr;
    Swap(raw->pen, GetStockObject(BLACK_PEN));
    Swap(raw->brush, GetStockObject(WHITE_BRUSH));
    Swap(raw->font, GetStockObject(SYSTEM_FONT));
    if (kind == DCKind::Memory) {
        raw->defaultBitmap = MakeBitmap(1, 1, depth, false);
        if (!raw->defaultBitmap) {
            DeleteDC(handle);
            return nullptr;
        }
        Swap(raw->bitmap, raw->defaultBitmap);
    }
    return handle;
}

void ResetGdi() {
    GdiTables& t = Tables();
    t.dcs.Clear();
    t.bitmaps.Clear();
    t.brushes.Clear();
    t.pens.Clear();
    t.fonts.Clear();
    std::fill(std::begin(t.stock), std::end(t.stock), nullptr);
    FailNextPixelBuffers(0);
}

}  // namespace platform

using namespace platform;

HDC CreateCompatibleDC(HDC reference) {
    const DCRecord* ref = nullptr;
    if (reference && !(ref = FindDC(reference))) return nullptr;
    return NewDC(DCKind::Memory, nullptr, DepthOf(ref));
}

BOOL DeleteDC(HDC dc) {
    DCRecord* d = FindDC(dc);
    if (!d) return FALSE;
    Deselect(d->pen);
    Deselect(d->brush);
    Deselect(d->font);
    Deselect(d->bitmap);
    HBITMAP own = d->defaultBitmap;
    Tables().dcs.Remove(dc);
    if (own) Tables().bitmaps.Remove(own);
    return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DCRecord* d = FindDC(dc);
    if (!d || !object) return nullptr;
    switch (KindOf(object)) {
        case HandleKind::Bitmap: {
            BitmapRecord* b = FindBitmap(static_cast<HBITMAP>(object));
            if (!b || d->kind != DCKind::Memory) return nullptr;
            if (object == d->bitmap) return object;
            if (b->selections > 0) return nullptr;  // a bitmap lives in one DC at a time
            return Swap(d->bitmap, object);
        }
        case HandleKind::Brush:
            return FindBrush(static_cast<HBRUSH>(object)) ? Swap(d->brush, object) : nullptr;
        case HandleKind::Pen:
            return FindPen(static_cast<HPEN>(object)) ? Swap(d->pen, object) : nullptr;
        case HandleKind::Font:
            return FindFont(static_cast<HFONT>(object)) ? Swap(d->font, object) : nullptr;
        default:
            return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object) return FALSE;
    int* selections = SelectionCount(object);
    if (!selections) return FALSE;
    if (IsStock(object)) return TRUE;
    if (*selections > 0) return FALSE;
    GdiTables& t = Tables();
    switch (KindOf(object)) {
        case HandleKind::Bitmap: return t.bitmaps.Remove(object) ? TRUE : FALSE;
        case HandleKind::Brush: return t.brushes.Remove(object) ? TRUE : FALSE;
        case HandleKind::Pen: return t.pens.Remove(object) ? TRUE : FALSE;
        case HandleKind::Font: return t.fonts.Remove(object) ? TRUE : FALSE;
        default: return FALSE;
    }
}

HGDIOBJ GetStockObject(int index) {
    if (index < 0 || index > SYSTEM_FONT) return nullptr;
    HGDIOBJ& slot = Tables().stock[index];
    if (slot) return slot;
    switch (index) {
        case WHITE_BRUSH: slot = MakeBrush(0xFFFFFF, false, true); break;
        case BLACK_BRUSH: slot = MakeBrush(0x000000, false, true); break;
        case NULL_BRUSH: slot = MakeBrush(0, true, true); break;
        case WHITE_PEN: slot = MakePen(PS_SOLID, 1, 0xFFFFFF, true); break;
        case BLACK_PEN: slot = MakePen(PS_SOLID, 1, 0x000000, true); break;
        case NULL_PEN: slot = MakePen(PS_NULL, 1, 0, true); break;
        case SYSTEM_FONT: {
            auto f = std::make_unique<FontRecord>();
            f->stock = true;
            slot = AddFont(std::move(f));
            break;
        }
        default: break;
    }
    return slot;
}

int GetObjectW(HGDIOBJ object, int size, LPVOID out) {
    if (const BitmapRecord* b = FindBitmap(static_cast<HBITMAP>(object))) {
        if (!out) return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP))) return 0;
        const PixelBuffer& p = *b->pixels;
        BITMAP bm{0, p.width, p.height, RowPitch(p.width, p.bitsPerPixel), 1, static_cast<WORD>(p.bitsPerPixel),
                  b->section ? p.bytes.get() : nullptr};
        *static_cast<BITMAP*>(out) = bm;
        return sizeof(BITMAP);
    }
    if (const FontRecord* f = FindFont(static_cast<HFONT>(object))) {
        if (!out) return sizeof(LOGFONTW);
        if (size < static_cast<int>(sizeof(LOGFONTW))) return 0;
        *static_cast<LOGFONTW*>(out) = f->logFont;
        return sizeof(LOGFONTW);
    }
    return 0;
}

HBRUSH CreateSolidBrush(COLORREF colour) { return MakeBrush(colour & 0xFFFFFF, false, false); }

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (width < 0 || (style != PS_SOLID && style != PS_NULL)) return nullptr;
    return MakePen(style, width, colour & 0xFFFFFF, false);
}

HBITMAP CreateCompatibleBitmap(HDC reference, int width, int height) {
    const DCRecord* ref = FindDC(reference);
    if (!ref) return nullptr;
    return MakeBitmap(width, height, DepthOf(ref), false);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section) return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biHeight <= 0) return nullptr;
    if (h.biBitCount == 16) {
        if (h.biCompression != BI_BITFIELDS) return nullptr;
        DWORD masks[3];
        std::copy_n(reinterpret_cast<const BYTE*>(info) + h.biSize, sizeof masks, reinterpret_cast<BYTE*>(masks));
        if (masks[0] != 0xF800 || masks[1] != 0x07E0 || masks[2] != 0x001F) return nullptr;
    } else if (h.biBitCount != 24 || h.biCompression != BI_RGB) {
        return nullptr;
    }
    HBITMAP bitmap = MakeBitmap(h.biWidth, h.biHeight, h.biBitCount, true);
    if (bitmap && bits) *bits = FindBitmap(bitmap)->pixels->bytes.get();
    return bitmap;
}

int GetClipBox(HDC dc, RECT* rc) {
    DrawTarget t;
    if (!rc || !ResolveTarget(dc, &t)) return RGN_ERROR;
    *rc = RECT{t.clip.left - t.origin.x, t.clip.top - t.origin.y, t.clip.right - t.origin.x,
               t.clip.bottom - t.origin.y};
    if (IsEmptyArea(*rc)) {
        *rc = RECT{};
        return NULLREGION;
    }
    return SIMPLEREGION;
}
