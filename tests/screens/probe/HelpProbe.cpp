// help-probe --open-help: opens the help page beside wherever this program was copied to, as the
// game does, with the real opener, and waits until that opener has been reaped (exit 0; 3 if it
// never is). Started as the opener (TINTARO_OPENER), it writes its arguments to
// $HELP_PROBE_RECORD, each followed by a NUL.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Backend.h"
#include "platform/ShellExecute.h"
#include "screens/HelpFile.h"

namespace {

// Keeps the default way of opening documents: starting the opener.
class OpenerBackend : public platform::Backend {
public:
    bool PumpEvents(bool) override { return false; }
    uint32_t TickCount() override { return 0; }
};

int Record(int argc, char** argv) {
    const char* path = std::getenv("HELP_PROBE_RECORD");
    FILE* file = path ? std::fopen(path, "wb") : nullptr;
    if (!file) return 2;
    for (int i = 1; i < argc; ++i) std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, file);
    return std::fclose(file) == 0 ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--open-help") != 0) return Record(argc, argv);
    OpenerBackend backend;
    platform::SetBackend(&backend);
    OpenHelpFile(L"Vokamer.htm");
    for (int wakeUps = 0; wakeUps < 100 && platform::ReapFinishedChildren() > 0; ++wakeUps)
        if (!platform::DispatchReadable(-1)) break;
    int running = platform::ReapFinishedChildren();
    platform::SetBackend(nullptr);
    return running == 0 ? 0 : 3;
}
