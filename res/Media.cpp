// The tile strip, the icon and the sounds, registered under the id and the names the game asks for.
#include "res/Media.h"

#include "res/EmbeddedFiles.h"

std::span<const platform::ImageResource> TintaroImages() {
    static const platform::ImageResource images[] = {{102, L"GIF", TileStripPng()}, {101, RT_GROUP_ICON, IconPng()}};
    return images;
}

std::span<const platform::WaveResource> TintaroWaves() {
    static const platform::WaveResource waves[] = {{L"IDR_WAV_Move", MoveWave()}, {L"IDR_WAV_Level", LevelWave()}};
    return waves;
}
