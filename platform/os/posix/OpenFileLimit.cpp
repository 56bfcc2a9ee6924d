#include "platform/os/OpenFileLimit.h"

#include <sys/resource.h>

namespace vx::os {

std::uint64_t raiseOpenFileLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    if (limit.rlim_cur != limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        // Some systems refuse an unlimited soft value for descriptors (macOS wants OPEN_MAX at most);
        // the old limit then stays, and so does everything else.
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
    }
    return limit.rlim_cur == RLIM_INFINITY ? UINT64_MAX : std::uint64_t(limit.rlim_cur);
}

} // namespace vx::os
