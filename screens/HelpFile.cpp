// Finding the program's folder and handing the help page in it to the desktop's browser.
#include "screens/HelpFile.h"

#include "platform/ShellExecute.h"
#include "platform/Utf8.h"

BOOL GetModuleFolder(std::filesystem::path* folder) {
    if (!folder) return FALSE;
    std::filesystem::path program = platform::ModuleFilePath();
    if (program.empty() || !program.has_parent_path()) return FALSE;
    // Appending an empty name ends the folder in its separator ("/" stays "/").
    *folder = program.parent_path() / "";
    return TRUE;
}

BOOL OpenHelpFile(LPCWSTR name) {
    std::filesystem::path folder;
    // Without the folder there is nothing to look beside; any other place would be a guess.
    if (!name || !*name || !GetModuleFolder(&folder)) return TRUE;
    ShellOpenDocument(folder / platform::ToUtf8(name));
    return TRUE;
}
