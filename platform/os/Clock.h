#pragma once
// The clocks: a high-resolution counter (for seeds and durations) and the local date and time.

#include <cstdint>

namespace vx::os {

// A monotonic counter of high resolution: nanoseconds on POSIX, QueryPerformanceCounter ticks on Windows.
std::uint64_t highResolutionCounter();

struct LocalTime {
    int year = 0, month = 0, day = 0; // month 1-12, day 1-31
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

LocalTime localNow();

} // namespace vx::os
