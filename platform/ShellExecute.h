// Opening a document in the desktop's application for it, under a name of this platform, and
// the running program's own path.
//
// Paths here are bytes, as the file system spells them: a folder whose name is not valid UTF-8
// is found and passed on unchanged. Only the wide-string calls (GetModuleFileNameW) convert.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Types.h"

// Opens the document (the browser for a page) and returns at once, without waiting for it. The
// opener gets the document's absolute path as one argument, byte for byte; no shell sees it.
// FALSE, with nothing started, for a document that is not an existing file or an opener that
// cannot be started.
BOOL ShellOpenDocument(const std::filesystem::path& document);

namespace platform {

// The running program's file, links resolved (/proc/self/exe); empty when it cannot be read.
std::filesystem::path ModuleFilePath();

// What opens a document: $TINTARO_OPENER when set (tests put a recorder there), else xdg-open,
// followed by the document.
std::vector<std::string> OpenerCommand(const std::string& document);

// Starts argv[0] (looked up on PATH unless it holds a '/') with argv, without a shell: in a session
// of its own (the terminal's signals to the program do not reach what it starts), with default
// signal handling, nothing blocked, the standard descriptors on /dev/null and no others. The
// child is not waited for; once it ends it is reaped, only it (never other children of the
// program), when the loop wakes for its process descriptor. False when it cannot be started.
bool SpawnDetached(const std::vector<std::string>& argv);
// Reaps those children that have ended; returns how many are still running.
int ReapFinishedChildren();

}  // namespace platform
