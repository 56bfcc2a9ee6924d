#pragma once
// Points in time as the file system keeps them, and the MS-DOS date and time that ZIP entries carry.

#include <chrono>
#include <cstdint>
#include <optional>

namespace vx::os {

// Nanoseconds since 1970-01-01 00:00 UTC (the system clock's epoch).
using FileTime = std::chrono::time_point<std::chrono::system_clock, std::chrono::nanoseconds>;

struct DosDateTime {
    std::uint16_t date = 0; // bits 15-9 years since 1980, 8-5 month, 4-0 day
    std::uint16_t time = 0; // bits 15-11 hour, 10-5 minute, 4-0 seconds / 2
    friend bool operator==(const DosDateTime &, const DosDateTime &) = default;
};

// False for a date or time that cannot be: month 0 or 13, February 30, hour 24, minute 60, ...
bool isPossible(DosDateTime dos);

// A DOS date and time read as local time; nothing for an impossible date such as month 0.
std::optional<FileTime> fromDosDateTime(DosDateTime dos);
// The local DOS date and time of a point (seconds rounded down to even); nothing before 1980 or
// after 2107.
std::optional<DosDateTime> toDosDateTime(FileTime time);

} // namespace vx::os
