// Reading the command line.
#include "game/ProgramOptions.h"

#include <charconv>
#include <string_view>

namespace {

ProgramOptions Fail(std::string message) {
    ProgramOptions failed;
    failed.action = ProgramOptions::Action::Error;
    failed.error = std::move(message);
    return failed;
}

std::optional<int> ParseZoom(std::string_view text) {
    int zoom = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), zoom);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || zoom < 1 || zoom > kMaxZoom)
        return std::nullopt;
    return zoom;
}

}  // namespace

ProgramOptions ParseProgramOptions(std::span<const char* const> args) {
    ProgramOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.action = ProgramOptions::Action::Help;
            return options;
        }
        if (arg == "--version") {
            options.action = ProgramOptions::Action::Version;
            return options;
        }
        std::string_view name = arg.substr(0, arg.find('='));
        if (name != "--screen" && name != "--zoom") return Fail("unknown option '" + std::string(arg) + "'");
        std::string_view value;
        if (name.size() < arg.size()) {
            value = arg.substr(name.size() + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return Fail(std::string(name) + " needs a value");
        }
        if (name == "--screen") {
            options.screen = platform::ParseScreenOption(value);
            if (!options.screen) return Fail("unknown screen '" + std::string(value) + "'");
        } else {
            std::optional<int> zoom = ParseZoom(value);
            if (!zoom) return Fail("zoom must be a whole number from 1 to " + std::to_string(kMaxZoom));
            options.zoom = *zoom;
        }
    }
    return options;
}

std::string ProgramUsage() {
    std::string screens;
    for (const platform::DeviceProfile& p : platform::KnownDeviceProfiles()) {
        if (!screens.empty()) screens += ", ";
        screens += std::to_string(p.width) + "x" + std::to_string(p.height);
    }
    return "Usage: tintaro [--screen WxH] [--zoom N] [--help] [--version]\n"
           "  --screen WxH   the phone screen to show: " + screens + "\n"
           "                 (the first is the default)\n"
           "  --zoom N       window pixels per screen pixel, 1 to " + std::to_string(kMaxZoom) + "\n"
           "                 (default: the largest that fits the desktop)\n"
           "  --help         this text\n"
           "  --version      the version\n";
}
