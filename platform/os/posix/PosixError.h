#pragma once
// The error of the last failed POSIX call as a standard error code, and file times as POSIX keeps them.

#include "platform/os/FileTime.h"

#include <cerrno>
#include <ctime>
#include <system_error>

namespace vx::os::posix {

inline std::error_code lastError() { return {errno, std::system_category()}; }

inline timespec toTimespec(FileTime time)
{
    const auto ns = time.time_since_epoch().count();
    timespec t{time_t(ns / 1000000000), long(ns % 1000000000)};
    if (t.tv_nsec < 0) { // before 1970: the nanoseconds count upwards from a whole second
        t.tv_nsec += 1000000000;
        --t.tv_sec;
    }
    return t;
}

} // namespace vx::os::posix
