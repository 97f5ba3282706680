// The game's entry point, called by the program start once the platform is set up.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

// The previous instance, the command line and the show command are not used. Returns the loop's
// exit code (0 when another copy was running and raised), or 1 when the game or its settings
// could not be saved or a running copy did not answer.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);

// What the user must hear of on the way out, one line each (what was not saved, where and why;
// a running copy that did not answer); empty when all went well.
std::vector<std::string> ExitProblems();
