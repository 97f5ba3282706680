// The game's entry point, called by the program start once the platform is set up.
#pragma once

#include "platform/Types.h"

// The previous instance, the command line and the show command are not used.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
