// help-probe --open-help: opens the help page beside its own real file as the game does, with the
// real opener, and exits 0 once that opener has been reaped. Started as the opener, it writes its
// arguments, each ended by a NUL, to $HELP_PROBE_RECORD.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Backend.h"
#include "platform/ShellExecute.h"
#include "screens/HelpFile.h"

// Keeps the default way of opening documents: starting the opener.
struct OpenerBackend : platform::Backend {
    bool PumpEvents(bool) override { return false; }
    uint32_t TickCount() override { return 0; }
} g_backend;

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--open-help") == 0) {
        platform::SetBackend(&g_backend);
        OpenHelpFile(L"Vokamer.htm");
        for (int wakeUps = 0; wakeUps < 100 && platform::ReapFinishedChildren() > 0; ++wakeUps)
            platform::DispatchReadable(-1);
        return platform::ReapFinishedChildren() == 0 ? 0 : 3;
    }
    FILE* file = std::getenv("HELP_PROBE_RECORD") ? std::fopen(std::getenv("HELP_PROBE_RECORD"), "wb") : nullptr;
    for (int i = 1; file && i < argc; ++i) std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, file);
    return file && std::fclose(file) == 0 ? 0 : 2;
}
