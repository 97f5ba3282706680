// A minimal-standard generator: values 1 .. 2^31 - 2, the same on every C library.
#include "engine/Random.h"

#include <random>

namespace engine {
namespace {
std::minstd_rand g_generator;
}

void SeedRandom(uint32_t seed) { g_generator.seed(seed); }

int Random() { return static_cast<int>(g_generator()); }

}  // namespace engine
