// The files made at build time (the tile strip, the icon and the two sounds), compiled into the program.
#pragma once

#include <cstdint>
#include <span>

// A 520 x 104 RGB PNG: five 104 x 104 tiles, colour indices 0 to 4.
std::span<const uint8_t> TileStripPng();
// A 64 x 64 RGBA PNG: the program's icon, a 3 x 3 board of tiles on a black rounded square.
std::span<const uint8_t> IconPng();
// RIFF/WAVE, 8-bit unsigned mono PCM: 11025 Hz with 1480 bytes of samples, and 22050 Hz with 13941.
std::span<const uint8_t> MoveWave();
std::span<const uint8_t> LevelWave();
