// The engine's random numbers: one generator, seeded once when the engine is made.
#pragma once

#include <cstdint>

namespace engine {

void SeedRandom(uint32_t seed);
// A non-negative number, like the C library's rand().
int Random();

}  // namespace engine
