// The millisecond tick count.
#pragma once

#include "platform/Types.h"

// Milliseconds from the backend's clock, wrapping at 2^32: keep differences in 32 bits.
DWORD GetTickCount();

namespace platform {
// CLOCK_MONOTONIC in milliseconds, truncated to 32 bits: the clock of real backends.
uint32_t MonotonicMilliseconds();
}  // namespace platform
