// The files made at build time (the tile strip and the two sounds), compiled into the program.
#pragma once

#include <cstdint>
#include <span>

// A 520 x 104 RGB PNG: five 104 x 104 tiles, colour indices 0 to 4.
std::span<const uint8_t> TileStripPng();
// RIFF/WAVE, 8-bit unsigned mono PCM: 11025 Hz with 1480 bytes of samples, and 22050 Hz with 13941.
std::span<const uint8_t> MoveWave();
std::span<const uint8_t> LevelWave();
