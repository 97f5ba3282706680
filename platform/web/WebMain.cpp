// The program's start in a page: the backend on the page's canvas, the program, and what the page
// says once it has ended.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/ProgramMain.h"
#include "platform/SingleInstance.h"
#include "platform/web/SingleInstance.h"
#include "platform/web/WebBackend.h"

extern "C" void tintaro_page_ended(int code, const char* message);

int main() {
    platform::web::WebBackend backend;
    platform::SetBackend(&backend);
    std::vector<std::string> problems;
    int exitCode = ProgramMain(&problems);
    std::string message = "Tintaro has ended.";
    if (platform::web::AnotherTabHoldsTheName()) {
        message = "Tintaro is open in another tab. It goes on here when that tab closes.";
        platform::web::ReloadWhenTheNameIsFree();
    }
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "tintaro: %s\n", problem.c_str());
        message += "\n" + problem;
    }
    // The name is let go now, not when the page goes: a tab hidden on a phone has ended its game.
    platform::ResetSingleInstance();
    platform::SetBackend(nullptr);
    tintaro_page_ended(exitCode, message.c_str());
    return exitCode;
}
