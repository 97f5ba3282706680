// Program start: reads the platform's options; the game window itself comes later.
#include <cstdio>
#include <cstring>

#include "game/WinMain.h"
#include "platform/Device.h"
#include "platform/Resources.h"
#include "res/Resources.h"

namespace {

void PrintUsage() {
    std::printf(
        "Usage: tintaro [--screen WxH] [--help] [--version]\n"
        "  --screen WxH   phone screen to emulate: 240x320 (default), 176x220, 320x240,\n"
        "                 240x240, 480x640 or 640x480\n");
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Qor Tintaro 4.0.1\n");
            return 0;
        }
        if (std::strcmp(argv[i], "--screen") == 0 && i + 1 < argc) {
            auto profile = platform::ParseScreenOption(argv[++i]);
            if (!profile) {
                std::fprintf(stderr, "tintaro: unknown screen '%s'\n", argv[i]);
                PrintUsage();
                return 2;
            }
            platform::SelectDeviceProfile(profile->width, profile->height);
            continue;
        }
        std::fprintf(stderr, "tintaro: unknown option '%s'\n", argv[i]);
        PrintUsage();
        return 2;
    }
    HINSTANCE instance = platform::RegisterModule(TintaroResources());
    wchar_t commandLine[] = L"";
    return WinMain(instance, nullptr, commandLine, 5);
}
