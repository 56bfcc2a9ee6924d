#include "platform/os/FileTime.h"

namespace vx::os {

bool isPossible(DosDateTime dos)
{
    const int year = 1980 + ((dos.date >> 9) & 0x7F);
    const int month = (dos.date >> 5) & 0x0F;
    const int day = dos.date & 0x1F;
    const int hour = (dos.time >> 11) & 0x1F;
    const int minute = (dos.time >> 5) & 0x3F;
    const int second = (dos.time & 0x1F) * 2;
    static constexpr int daysIn[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > daysIn[month] || hour > 23 || minute > 59 || second > 59)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return !(month == 2 && day == 29 && !leap);
}

} // namespace vx::os
