// The game's start where the platform starts the program: the module, then WinMain.
#include "platform/ProgramMain.h"

#include "game/WinMain.h"
#include "platform/Resources.h"
#include "res/Resources.h"

int ProgramMain(std::vector<std::string>* problems) {
    HINSTANCE instance = platform::RegisterModule(TintaroResources());
    wchar_t commandLine[] = L"";
    int exitCode = WinMain(instance, nullptr, commandLine, SW_SHOW);
    *problems = ExitProblems();
    return exitCode;
}
