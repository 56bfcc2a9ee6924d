#include "platform/os/Clock.h"

#include "platform/os/win32/WinError.h"

namespace vx::os {

std::uint64_t highResolutionCounter()
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return std::uint64_t(now.QuadPart);
}

LocalTime localNow()
{
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

} // namespace vx::os
