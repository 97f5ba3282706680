// The help page beside the program, opened in the desktop's browser.
#pragma once

#include <filesystem>

#include "platform/Types.h"

// The running program's folder, ending in '/', as the file system spells it: the bytes of its
// name whatever their encoding, never cut short. FALSE, folder untouched, when it cannot be read.
BOOL GetModuleFolder(std::filesystem::path* folder);

// Opens the page called name in the program's folder in the desktop's browser and returns at once.
// Always TRUE: a page or a browser that is missing, or a folder that cannot be found, leaves
// everything as it was, without a message.
BOOL OpenHelpFile(LPCWSTR name);
