#include "platform/Clock.h"

#include "platform/os/Clock.h"

#include <chrono>

namespace vx::clock {
namespace {
std::function<QDateTime()> &nowOverride()
{
    static std::function<QDateTime()> fn;
    return fn;
}

std::function<std::int64_t()> &millisecondsOverride()
{
    static std::function<std::int64_t()> fn;
    return fn;
}

std::function<std::uint32_t()> &counterOverride()
{
    static std::function<std::uint32_t()> fn;
    return fn;
}
} // namespace

std::uint32_t highResolutionCounter()
{
    if (counterOverride())
        return counterOverride()();
    return static_cast<std::uint32_t>(os::highResolutionCounter());
}

std::int64_t milliseconds()
{
    if (millisecondsOverride())
        return millisecondsOverride()();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void setMillisecondsForTesting(std::function<std::int64_t()> clock) { millisecondsOverride() = std::move(clock); }

QDateTime localNow()
{
    if (nowOverride())
        return nowOverride()();
    const os::LocalTime t = os::localNow();
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.millisecond), Qt::LocalTime);
}

void setHighResolutionCounterForTesting(std::function<std::uint32_t()> counter)
{
    counterOverride() = std::move(counter);
}

void setNowForTesting(std::function<QDateTime()> now) { nowOverride() = std::move(now); }

} // namespace vx::clock
