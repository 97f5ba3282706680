// Device profiles and the screen metrics they give.
#include "platform/Device.h"

#include <charconv>

namespace platform {
namespace {

constexpr DeviceProfile kProfiles[] = {
    {240, 320, 32, 26}, {176, 220, 32, 20}, {320, 240, 32, 26},
    {240, 240, 32, 26}, {480, 640, 64, 52}, {640, 480, 64, 52},
};

const DeviceProfile* g_current = &kProfiles[0];

const DeviceProfile* Find(int width, int height) {
    for (const DeviceProfile& p : kProfiles)
        if (p.width == width && p.height == height) return &p;
    return nullptr;
}

bool ParseInt(std::string_view s, int* out) {
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), *out);
    return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace

std::span<const DeviceProfile> KnownDeviceProfiles() { return kProfiles; }
const DeviceProfile& CurrentDeviceProfile() { return *g_current; }

bool SelectDeviceProfile(int width, int height) {
    const DeviceProfile* p = Find(width, height);
    if (!p) return false;
    g_current = p;
    return true;
}

std::optional<DeviceProfile> ParseScreenOption(std::string_view text) {
    size_t x = text.find_first_of("xX");
    int w = 0, h = 0;
    if (x == std::string_view::npos || !ParseInt(text.substr(0, x), &w) || !ParseInt(text.substr(x + 1), &h))
        return std::nullopt;
    const DeviceProfile* p = Find(w, h);
    if (!p) return std::nullopt;
    return *p;
}

RECT FullScreenArea() {
    const DeviceProfile& p = *g_current;
    return RECT{0, p.bar, p.width, p.height - p.bar};
}

void ResetDeviceProfile() { g_current = &kProfiles[0]; }

}  // namespace platform

int GetSystemMetrics(int index) {
    const platform::DeviceProfile& p = platform::CurrentDeviceProfile();
    switch (index) {
        case SM_CXSCREEN: return p.width;
        case SM_CYSCREEN: return p.height;
        case SM_CXICON:
        case SM_CYICON: return p.icon;
        default: return 0;
    }
}
