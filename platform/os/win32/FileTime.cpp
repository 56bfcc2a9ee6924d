#include "platform/os/FileTime.h"

#include "platform/os/win32/WinError.h"

namespace vx::os {

// The conversions go through SYSTEMTIME with the zone rule of the date itself: LocalFileTimeToFileTime
// and FileTimeToLocalFileTime apply today's daylight saving to every date, an hour off for half the year.

std::optional<FileTime> fromDosDateTime(DosDateTime dos)
{
    if (!isPossible(dos))
        return std::nullopt;
    FILETIME local{}, utc{};
    SYSTEMTIME localParts{}, utcParts{};
    if (!::DosDateTimeToFileTime(dos.date, dos.time, &local) || !::FileTimeToSystemTime(&local, &localParts)
        || !::TzSpecificLocalTimeToSystemTime(nullptr, &localParts, &utcParts)
        || !::SystemTimeToFileTime(&utcParts, &utc))
        return std::nullopt;
    return win32::fromFiletime(utc);
}

std::optional<DosDateTime> toDosDateTime(FileTime time)
{
    const FILETIME utc = win32::toFiletime(time);
    FILETIME local{};
    SYSTEMTIME utcParts{}, localParts{};
    WORD date = 0, clock = 0;
    if (!::FileTimeToSystemTime(&utc, &utcParts) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utcParts, &localParts)
        || !::SystemTimeToFileTime(&localParts, &local) || !::FileTimeToDosDateTime(&local, &date, &clock))
        return std::nullopt;
    return DosDateTime{date, clock};
}

} // namespace vx::os
