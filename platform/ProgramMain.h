// The program's own start, for hosts whose start is the platform's (a page: platform/web): once the
// backend is set, the platform calls ProgramMain, which the program defines.
#pragma once

#include <string>
#include <vector>

// Registers the program's module and runs it; returns its exit code, and in *problems what the
// user must hear of (one line each; empty when all went well).
int ProgramMain(std::vector<std::string>* problems);
