// Image resources: the shell's decoder gives a bitmap, which is copied into a surface.
#include "gfx/ImageResource.h"

#include "platform/ImageLoader.h"

BOOL LoadImageResource(CQorGDI* dst, UINT resourceId, HWND wnd, HINSTANCE instance) {
    if (!dst) return 0;
    HDC screen = GetDC(wnd);
    BOOL copied = 0;
    if (HBITMAP bitmap = ShellLoadImageResource(instance, resourceId)) {
        if (HDC mem = CreateCompatibleDC(screen)) {
            HGDIOBJ previous = SelectObject(mem, bitmap);
            BITMAP bm{};
            GetObjectW(bitmap, sizeof(bm), &bm);
            const RECT all{0, 0, bm.bmWidth, bm.bmHeight};
            // A device bitmap compatible with mem takes the decoded picture's depth.
            copied = dst->Create(mem, &all, 1, 0, 0, 16);
            SelectObject(mem, previous);
            DeleteDC(mem);
        }
        DeleteObject(bitmap);
    }
    if (screen) ReleaseDC(wnd, screen);
    return copied;
}
