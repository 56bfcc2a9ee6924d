#include "platform/os/FileTime.h"

#include <ctime>

namespace vx::os {

std::optional<FileTime> fromDosDateTime(DosDateTime dos)
{
    if (!isPossible(dos))
        return std::nullopt;
    struct tm t {};
    t.tm_year = 80 + ((dos.date >> 9) & 0x7F);
    t.tm_mon = ((dos.date >> 5) & 0x0F) - 1;
    t.tm_mday = dos.date & 0x1F;
    t.tm_hour = (dos.time >> 11) & 0x1F;
    t.tm_min = (dos.time >> 5) & 0x3F;
    t.tm_sec = (dos.time & 0x1F) * 2;
    t.tm_isdst = -1; // the zone's own rule for that date
    const time_t seconds = ::mktime(&t); // DOS years start at 1980, so -1 is only ever a failure
    if (seconds == time_t(-1))
        return std::nullopt;
    return FileTime(std::chrono::seconds(seconds));
}

std::optional<DosDateTime> toDosDateTime(FileTime time)
{
    const auto seconds = std::chrono::floor<std::chrono::seconds>(time).time_since_epoch().count();
    const time_t whole = time_t(seconds);
    struct tm t {};
    if (!::localtime_r(&whole, &t))
        return std::nullopt;
    const int year = 1900 + t.tm_year;
    if (year < 1980 || year > 2107)
        return std::nullopt;
    DosDateTime dos;
    dos.date = std::uint16_t(((year - 1980) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday);
    dos.time = std::uint16_t((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2));
    return dos;
}

} // namespace vx::os
