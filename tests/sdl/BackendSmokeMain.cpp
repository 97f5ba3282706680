// sdl-smoke [ZOOM]: a small program on the SDL backend for the check under Xvfb: it paints four
// known quadrants and a blitted square, marks where the stylus goes down, and logs every key,
// character, stylus event and close request it receives, one line each, on standard output.
#include <cstdio>
#include <cstdlib>

#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/Messages.h"
#include "platform/Windowing.h"
#include "platform/sdl/SdlBackend.h"

namespace {

void Fill(HDC dc, RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const int midX = client.right / 2, midY = client.bottom / 2;
    const COLORREF quadrants[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    for (int i = 0; i < 4; ++i)
        Fill(dc, RECT{i % 2 ? midX : 0, i / 2 ? midY : 0, i % 2 ? client.right : midX, i / 2 ? client.bottom : midY}, quadrants[i]);
    EndPaint(hwnd, &ps);
    // A yellow square through a memory bitmap and a block transfer, the way the game draws.
    HDC window = GetDC(hwnd), memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, 16, 16);
    HGDIOBJ old = SelectObject(memory, bitmap);
    Fill(memory, RECT{0, 0, 16, 16}, RGB(255, 255, 0));
    BitBlt(window, midX - 8, midY - 8, 16, 16, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old), DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(hwnd, window);
    std::printf("painted\n");
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    switch (message) {
        case WM_PAINT: Paint(hwnd); return 0;
        case WM_KEYDOWN: return std::printf("keydown 0x%02X\n", static_cast<unsigned>(wParam)), 0;
        case WM_KEYUP: return std::printf("keyup 0x%02X\n", static_cast<unsigned>(wParam)), 0;
        case WM_CHAR: return std::printf("char %c\n", static_cast<char>(wParam)), 0;
        case WM_LBUTTONDOWN: {
            std::printf("down %d %d\n", x, y);
            HDC dc = GetDC(hwnd);
            Fill(dc, RECT{x - 2, y - 2, x + 3, y + 3}, RGB(255, 0, 255));
            return ReleaseDC(hwnd, dc), 0;
        }
        case WM_LBUTTONUP: return std::printf("up %d %d\n", x, y), 0;
        case WM_MOUSEMOVE: return std::printf("move %d %d\n", x, y), 0;
        case WM_CLOSE: return std::printf("close\n"), DestroyWindow(hwnd), 0;
        case WM_DESTROY: return PostQuitMessage(0), 0;
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    platform::sdl::WindowOptions window;
    window.title = "Tintaro SDL check";
    window.zoom = argc > 1 ? std::atoi(argv[1]) : 0;  // 0: the largest that fits
    std::string error;
    auto backend = platform::sdl::SdlBackend::Open(window, &error);
    if (!backend) return std::fprintf(stderr, "sdl-smoke: %s\n", error.c_str()), 1;
    platform::SetBackend(backend.get());
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.lpszClassName = L"BackendSmoke";
    RegisterClassW(&wc);
    const platform::DeviceProfile& device = platform::CurrentDeviceProfile();
    CreateWindowExW(0, L"BackendSmoke", L"check", WS_VISIBLE, 0, 0, device.width, device.height, nullptr, nullptr,
                    nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) TranslateMessage(&msg), DispatchMessageW(&msg);
    platform::SetBackend(nullptr);
    return static_cast<int>(msg.wParam);
}
