// Usable height and design-size scaling from the device metrics.
#include "framework/Metrics.h"

#include <algorithm>

#include "platform/Device.h"
#include "platform/Windowing.h"

int GetUsableHeight(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return std::max(1, GetSystemMetrics(SM_CYSCREEN) - 2 * rc.top);
}

int ScaleToScreen(int value) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    return w < h ? (w * value) / 240 : (h * value) / 320;
}
