#include "platform/os/FileTime.h"

#include <ctime>

namespace vx::os {

std::optional<FileTime> fromDosDateTime(DosDateTime dos)
{
    struct tm t {};
    t.tm_year = 80 + ((dos.date >> 9) & 0x7F);
    t.tm_mon = ((dos.date >> 5) & 0x0F) - 1;
    t.tm_mday = dos.date & 0x1F;
    t.tm_hour = (dos.time >> 11) & 0x1F;
    t.tm_min = (dos.time >> 5) & 0x3F;
    t.tm_sec = (dos.time & 0x1F) * 2;
    t.tm_isdst = -1; // the zone's own rule for that date
    const int month = t.tm_mon, day = t.tm_mday, hour = t.tm_hour, minute = t.tm_min, second = t.tm_sec;
    static constexpr int daysIn[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 0 || month > 11 || day < 1 || day > daysIn[month] || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const int year = 1900 + t.tm_year;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 1 && day == 29 && !leap)
        return std::nullopt;
    const time_t seconds = ::mktime(&t);
    if (seconds == time_t(-1) && !(t.tm_year == 69 && t.tm_mon == 11 && t.tm_mday == 31))
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
