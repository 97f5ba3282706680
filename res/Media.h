// The program's pictures and sounds as resources of its module.
#pragma once

#include <span>

#include "platform/Resources.h"

// Image 102 under type "GIF": the tile strip; icon group 101 (RT_GROUP_ICON): the icon, a PNG.
std::span<const platform::ImageResource> TintaroImages();
// "IDR_WAV_Move" and "IDR_WAV_Level".
std::span<const platform::WaveResource> TintaroWaves();
