// The program's command-line options.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/Device.h"

struct ProgramOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::optional<platform::DeviceProfile> screen;  // none: the default phone
    int zoom = 0;                                   // 0: the largest that fits the desktop
    std::string error;                              // for Action::Error, one line without the program name
};

constexpr int kMaxZoom = 16;

// The arguments after the program name. Both "--screen 240x320" and "--screen=240x320" are
// accepted; the first --help or --version wins over everything after it, an error over everything.
ProgramOptions ParseProgramOptions(std::span<const char* const> args);
// The --help text: every option and the screens on offer.
std::string ProgramUsage();
