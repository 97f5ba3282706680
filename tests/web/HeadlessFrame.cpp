// The game on the headless backend with keys and taps from the command line; writes the last frame
// as a PPM, for the browser tests to hold the page's frames against (the same game, pixel for pixel).
// Usage: headless-frame OUT.ppm [KEY | X,Y]...   KEY: Left Right Up Down Return F1 F2 Escape, or a
// letter or digit; X,Y: a tap in device pixels. Settings go where XDG_CONFIG_HOME says.
#include <cstdio>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "game/WinMain.h"
#include "platform/Backend.h"
#include "platform/HeadlessBackend.h"
#include "platform/PixelRows.h"
#include "platform/Resources.h"
#include "res/Resources.h"

namespace {

bool Script(platform::HeadlessBackend& backend, const std::string& step) {
    static const std::pair<const char*, UINT> kKeys[] = {{"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Up", VK_UP},
        {"Down", VK_DOWN}, {"Return", VK_RETURN}, {"F1", VK_F1}, {"F2", VK_F2}, {"Escape", VK_ESCAPE}};
    for (const auto& [name, vk] : kKeys)
        if (step == name) return backend.ScriptKey(vk), true;
    if (const char c = step[0]; step.size() == 1 && std::isalnum(static_cast<unsigned char>(c)))
        return backend.ScriptKey(static_cast<UINT>(std::toupper(c)), static_cast<wchar_t>(c)), true;
    int x = 0, y = 0;
    return std::sscanf(step.c_str(), "%d,%d", &x, &y) == 2 && (backend.ScriptTap(x, y), true);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return std::fprintf(stderr, "usage: %s OUT.ppm [KEY | X,Y]...\n", argv[0]), 2;
    platform::HeadlessBackend backend;
    for (int i = 2; i < argc; ++i)
        if (!Script(backend, argv[i])) return std::fprintf(stderr, "%s: not a key or a tap: %s\n", argv[0], argv[i]), 2;
    // What the screen shows once the game has handled everything and waits: the page's frame then.
    std::vector<uint16_t> frame;
    backend.SetIdleHandler([&] { return frame = backend.LastFrame(), false; });
    platform::SetBackend(&backend);
    wchar_t commandLine[] = L"";
    WinMain(platform::RegisterModule(TintaroResources()), nullptr, commandLine, SW_SHOW);
    platform::SetBackend(nullptr);
    FILE* out = std::fopen(argv[1], "wb");
    if (!out || frame.empty()) return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", backend.FrameWidth(), backend.FrameHeight());
    std::fprintf(stderr, "%d frames\n", backend.FramesPresented());
    for (uint16_t p : frame) {
        const COLORREF c = platform::Widen565(p);
        const unsigned char rgb[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
        std::fwrite(rgb, 1, 3, out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
