// The device screen: each top-level window paints into a surface of its own; presenting composes
// the visible ones in stacking order, lets the shell draw its bars, and hands the frame to the
// backend. Window and screen DCs, and the paint cycle, live here.
#include "platform/Screen.h"

#include <cstring>
#include <unordered_map>

#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/GdiObjects.h"
#include "platform/GdiState.h"
#include "platform/Messages.h"
#include "platform/Rects.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

struct ScreenState {
    std::unique_ptr<PixelBuffer> screen;
    std::unordered_map<uintptr_t, std::unique_ptr<PixelBuffer>> surfaces;
    ShellPainter shellPainter = nullptr;
};

ScreenState& State() {
    static ScreenState state;
    return state;
}

void Blit(const PixelRows& from, const PixelRows& to, int x, int y) {
    RECT area = IntersectRects(RECT{x, y, x + from.width, y + from.height}, RECT{0, 0, to.width, to.height});
    for (int row = area.top; row < area.bottom; ++row)
        std::memcpy(to.At(area.left, row), from.At(area.left - x, row - y),
                    static_cast<size_t>(area.right - area.left) * 2);
}

// A window paints over the part of its surface where its children sit: they repaint after it.
void InvalidateChildrenUnder(const WindowRecord& parent, const RECT& area) {
    RECT onScreen = OffsetBy(area, parent.rect.left, parent.rect.top);
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* c = FindWindowRecord(h);
        if (!c || c->parent != parent.handle || !c->visible) continue;
        RECT overlap = IntersectRects(onScreen, c->rect);
        if (IsEmptyArea(overlap)) continue;
        RECT local = OffsetBy(overlap, -c->rect.left, -c->rect.top);
        InvalidateRect(h, &local, FALSE);
    }
}

}  // namespace

PixelBuffer& ScreenBuffer() {
    const DeviceProfile& p = CurrentDeviceProfile();
    auto& screen = State().screen;
    if (!screen || screen->width != p.width || screen->height != p.height)
        screen = PixelBuffer::Make(p.width, p.height, 16, false);
    return *screen;
}

PixelBuffer* WindowSurface(HWND topLevel) {
    const WindowRecord* w = FindWindowRecord(topLevel);
    if (!w) return nullptr;
    int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    auto& surface = State().surfaces[reinterpret_cast<uintptr_t>(topLevel)];
    if (!surface || surface->width != width || surface->height != height)
        surface = PixelBuffer::Make(width, height, 16, false);
    return surface.get();
}

bool ResolveTarget(HDC dc, DrawTarget* out) {
    DCRecord* d = FindDC(dc);
    if (!d) return false;
    DrawTarget t;
    t.dc = d;
    switch (d->kind) {
        case DCKind::Memory: {
            const BitmapRecord* b = FindBitmap(d->bitmap);
            if (!b) return false;
            t.rows = b->pixels->Rows();
            t.clip = RECT{0, 0, t.rows.width, t.rows.height};
            break;
        }
        case DCKind::Screen:
            t.rows = ScreenBuffer().Rows();
            t.clip = RECT{0, 0, t.rows.width, t.rows.height};
            break;
        case DCKind::Window: {
            const WindowRecord* w = FindWindowRecord(d->window);
            const WindowRecord* top = FindWindowRecord(TopLevelOf(d->window));
            PixelBuffer* surface = top ? WindowSurface(top->handle) : nullptr;
            if (!w || !surface) return false;
            t.rows = surface->Rows();
            t.origin = POINT{w->rect.left - top->rect.left, w->rect.top - top->rect.top};
            RECT client = OffsetBy(RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top}, t.origin.x,
                                 t.origin.y);
            t.clip = IntersectRects(client, RECT{0, 0, t.rows.width, t.rows.height});
            break;
        }
    }
    if (!t.rows.Valid()) return false;
    if (d->hasClip) t.clip = IntersectRects(t.clip, OffsetBy(d->clip, t.origin.x, t.origin.y));
    *out = t;
    return true;
}

void NoteDrawn(const DrawTarget& target) {
    if (target.dc && target.dc->kind != DCKind::Memory) target.dc->wroteToScreen = true;
}

void NoteBlockTransfer(HDC dc) {
    DCRecord* d = FindDC(dc);
    if (!d || d->kind == DCKind::Memory) return;
    d->wroteToScreen = false;
    PresentScreen();
}

void PresentScreen() {
    PixelRows screen = ScreenBuffer().Rows();
    if (!screen.Valid()) return;
    for (int y = 0; y < screen.height; ++y) std::memset(screen.Row(y), 0, static_cast<size_t>(screen.width) * 2);
    for (HWND h : WindowsInCreationOrder()) {
        const WindowRecord* w = FindWindowRecord(h);
        if (!w || w->parent || !w->visible) continue;
        auto it = State().surfaces.find(reinterpret_cast<uintptr_t>(h));
        if (it != State().surfaces.end() && it->second) Blit(it->second->Rows(), screen, w->rect.left, w->rect.top);
    }
    if (State().shellPainter) State().shellPainter(screen);
    CurrentBackend().Present(screen);
}

void SetShellPainter(ShellPainter painter) { State().shellPainter = painter; }

void ForgetWindowSurface(HWND topLevel) { State().surfaces.erase(reinterpret_cast<uintptr_t>(topLevel)); }

void ResetScreen() {
    ScreenState& s = State();
    s.screen.reset();
    s.surfaces.clear();
    s.shellPainter = nullptr;
}

}  // namespace platform

using namespace platform;

HDC GetDC(HWND hwnd) {
    if (!hwnd) return NewDC(DCKind::Screen, nullptr, 16);
    if (!IsWindow(hwnd)) return nullptr;
    return NewDC(DCKind::Window, hwnd, 16);
}

int ReleaseDC(HWND, HDC dc) {
    DCRecord* d = FindDC(dc);
    if (!d) return 0;
    bool present = d->wroteToScreen;
    DeleteDC(dc);
    if (present) PresentScreen();
    return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    RECT update{};
    GetUpdateRect(hwnd, &update, FALSE);
    bool erase = w->erase;
    ValidateRect(hwnd, nullptr);
    InvalidateChildrenUnder(*w, update);
    HDC dc = NewDC(DCKind::Window, hwnd, 16);
    if (!dc) return nullptr;
    DCRecord* d = FindDC(dc);
    d->hasClip = true;
    d->clip = update;
    ps->hdc = dc;
    ps->rcPaint = update;
    ps->fErase = erase ? TRUE : FALSE;
    if (erase && SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0) ps->fErase = FALSE;
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    return ReleaseDC(hwnd, ps->hdc) ? TRUE : FALSE;
}
