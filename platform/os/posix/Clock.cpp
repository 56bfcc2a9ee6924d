#include "platform/os/Clock.h"

#include <ctime>
#include <sys/time.h>

namespace vx::os {

std::uint64_t highResolutionCounter()
{
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return std::uint64_t(t.tv_sec) * 1000000000u + std::uint64_t(t.tv_nsec);
}

LocalTime localNow()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    struct tm t {};
    ::localtime_r(&now.tv_sec, &t);
    return LocalTime{1900 + t.tm_year, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
                     int(now.tv_nsec / 1000000)};
}

} // namespace vx::os
