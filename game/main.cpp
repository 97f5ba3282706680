// Program start: the command line, the real window, termination signals, then the game.
#include <cstdio>
#include <span>

#include "game/ProgramOptions.h"
#include "game/WinMain.h"
#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/Resources.h"
#include "platform/TerminationSignals.h"
#include "platform/sdl/SdlBackend.h"
#include "res/Resources.h"
#include "res/Version.h"

int main(int argc, char** argv) {
    ProgramOptions options = ParseProgramOptions(std::span<const char* const>(argv + 1, argc > 1 ? argc - 1 : 0));
    switch (options.action) {
        case ProgramOptions::Action::Help: std::fputs(ProgramUsage().c_str(), stdout); return 0;
        case ProgramOptions::Action::Version: std::puts("Qor Tintaro " TINTARO_VERSION); return 0;
        case ProgramOptions::Action::Error:
            std::fprintf(stderr, "tintaro: %s\n%s", options.error.c_str(), ProgramUsage().c_str());
            return 2;
        case ProgramOptions::Action::Run: break;
    }
    if (options.screen) platform::SelectDeviceProfile(options.screen->width, options.screen->height);

    // From here on a termination signal closes the game the orderly way, even during start-up:
    // the request waits in the input queue for the game's loop.
    platform::RouteTerminationSignals();
    std::string error;
    platform::sdl::WindowOptions window;
    window.zoom = options.zoom;
    auto backend = platform::sdl::SdlBackend::Open(window, &error);
    if (!backend) {
        std::fprintf(stderr, "tintaro: %s\n", error.c_str());
        return 1;
    }
    platform::SetBackend(backend.get());

    HINSTANCE instance = platform::RegisterModule(TintaroResources());
    // The window shows the module's icon.
    if (HRSRC icon = FindResourceW(instance, MAKEINTRESOURCEW(101), RT_GROUP_ICON)) {
        const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(instance, icon)));
        backend->SetIcon({bytes, SizeofResource(instance, icon)});
    }
    wchar_t commandLine[] = L"";
    int exitCode = WinMain(instance, nullptr, commandLine, SW_SHOW);
    // The game is saved (or knows why not): signals from here to the end change nothing, so
    // the status stays that of the orderly end. The handlers stay in place until the process is gone.
    platform::AbsorbTerminationSignals();
    for (const std::string& problem : ExitProblems()) std::fprintf(stderr, "tintaro: %s\n", problem.c_str());
    if (!backend->Trouble().empty()) {
        std::fprintf(stderr, "tintaro: %s\n", backend->Trouble().c_str());
        if (exitCode == 0) exitCode = 1;
    }
    platform::SetBackend(nullptr);
    backend.reset();
    return exitCode;
}
