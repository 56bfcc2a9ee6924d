#pragma once
// A point in time by which the whole upload exchange must be over, on the program's monotonic clock.

#include "platform/Clock.h"

#include <QtGlobal>

#include <algorithm>

namespace vx::http {

class Deadline {
public:
    // No deadline: every wait keeps its own limit.
    Deadline() = default;
    static Deadline in(qint64 ms)
    {
        Deadline d;
        d.end_ = vx::clock::milliseconds() + std::max<qint64>(ms, 0);
        d.set_ = true;
        return d;
    }

    bool passed() const { return set_ && vx::clock::milliseconds() >= end_; }
    // A wait of at most limitMs that does not run past the deadline (0 once it has passed).
    int wait(int limitMs) const
    {
        if (!set_)
            return limitMs;
        return int(std::clamp<qint64>(end_ - vx::clock::milliseconds(), 0, limitMs));
    }

private:
    qint64 end_ = 0;
    bool set_ = false;
};

} // namespace vx::http
