// The device screen, and the DCs that draw on it: the screen DC, window DCs and the paint cycle.
// Each top-level window paints into a surface of its own; presenting composes the visible ones.
#pragma once

#include "platform/GdiTypes.h"
#include "platform/PixelRows.h"

// GetDC(NULL): the whole screen, a 16-bit 5-6-5 framebuffer. GetDC(window): its client area,
// origin at the client's top-left, clipped to it, readable.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

// Sends WM_ERASEBKGND first when the invalidation asked for it; validates the update area.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

namespace platform {

struct DrawTarget;
struct PixelBuffer;

// False for an unknown DC or one with nothing to draw on (a window that has gone).
bool ResolveTarget(HDC dc, DrawTarget* out);
// Drawing reached a window or the screen: it is shown when the DC is released or the paint ends.
void NoteDrawn(const DrawTarget& target);
// A block transfer into a window or the screen is a frame, shown at once: animations need every
// frame, and a paced loop needs the clock to move even when the window shows nothing of it.
void NoteBlockTransfer(HDC dc);

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

void ResetScreen();

}  // namespace platform
