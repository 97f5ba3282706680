// The device profile: the phone's screen size, icon size and the heights of its two bars.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/Types.h"

namespace platform {

struct DeviceProfile {
    int width;   // SM_CXSCREEN
    int height;  // SM_CYSCREEN
    int icon;    // SM_CXICON and SM_CYICON
    int bar;     // height of the status bar at the top and of the soft-key bar at the bottom
};

// The supported screens; the first is the default (240 x 320).
std::span<const DeviceProfile> KnownDeviceProfiles();
const DeviceProfile& CurrentDeviceProfile();
// False (and nothing changes) for a screen that is not one of the known profiles.
bool SelectDeviceProfile(int width, int height);
// "240x320" (also with an upper-case X) -> the known profile of that size.
std::optional<DeviceProfile> ParseScreenOption(std::string_view text);
// {0, bar, width, height - bar}: where a full-screen window sits.
RECT FullScreenArea();
void ResetDeviceProfile();

}  // namespace platform

// SM_CXSCREEN, SM_CYSCREEN, SM_CXICON and SM_CYICON from the profile; 0 for anything else.
int GetSystemMetrics(int index);
