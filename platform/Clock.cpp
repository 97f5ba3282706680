// The tick count, from the backend's clock.
#include "platform/Clock.h"

#include <ctime>

#include "platform/Backend.h"

DWORD GetTickCount() { return platform::CurrentBackend().TickCount(); }

namespace platform {

uint32_t MonotonicMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

}  // namespace platform
