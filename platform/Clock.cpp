#include "platform/Clock.h"

#include <chrono>

namespace vx::clock {
namespace {
std::function<QDateTime()> &nowOverride()
{
    static std::function<QDateTime()> fn;
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
    const auto ns = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(ns).count());
}

QDateTime localNow()
{
    if (nowOverride())
        return nowOverride()();
    return QDateTime::currentDateTime();
}

void setHighResolutionCounterForTesting(std::function<std::uint32_t()> counter)
{
    counterOverride() = std::move(counter);
}

void setNowForTesting(std::function<QDateTime()> now) { nowOverride() = std::move(now); }

} // namespace vx::clock
