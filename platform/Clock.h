#pragma once
// The clocks the system reads: a high-resolution counter for seeding the random generator, a monotonic
// millisecond clock, and the local date and time to the millisecond. All can be replaced in tests.

#include <QDateTime>

#include <cstdint>
#include <functional>

namespace vx::clock {

// Low 32 bits of the high-resolution counter (nanoseconds of the monotonic clock on POSIX,
// QueryPerformanceCounter ticks on Windows); tests that need a fixed random draw install their own
// counter with setHighResolutionCounterForTesting (empty: the clock).
std::uint32_t highResolutionCounter();
void setHighResolutionCounterForTesting(std::function<std::uint32_t()> counter);

// Milliseconds of a monotonic clock from an arbitrary start, for deadlines and for spacing the event
// pump; tests install their own with setMillisecondsForTesting (empty: the clock).
std::int64_t milliseconds();
void setMillisecondsForTesting(std::function<std::int64_t()> clock);

// Local date and time; tests install a fixed one with setNowForTesting.
QDateTime localNow();
void setNowForTesting(std::function<QDateTime()> now);

} // namespace vx::clock
