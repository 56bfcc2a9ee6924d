#include "platform/os/FileTime.h"

#include "platform/os/win32/WinError.h"

namespace vx::os {

std::optional<FileTime> fromDosDateTime(DosDateTime dos)
{
    if (!isPossible(dos))
        return std::nullopt;
    FILETIME local{}, utc{};
    if (!::DosDateTimeToFileTime(dos.date, dos.time, &local) || !::LocalFileTimeToFileTime(&local, &utc))
        return std::nullopt;
    return win32::fromFiletime(utc);
}

std::optional<DosDateTime> toDosDateTime(FileTime time)
{
    const FILETIME utc = win32::toFiletime(time);
    FILETIME local{};
    WORD date = 0, clock = 0;
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToDosDateTime(&local, &date, &clock))
        return std::nullopt;
    return DosDateTime{date, clock};
}

} // namespace vx::os
