#include "platform/os/MemoryPages.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace vx::os {

void prefaultForWriting(void *begin, std::size_t size)
{
#ifdef MADV_POPULATE_WRITE
    static const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto base = reinterpret_cast<std::uintptr_t>(begin);
    // Whole pages inside the range only: the hint must not touch memory outside it.
    const std::uintptr_t first = (base + page - 1) & ~(page - 1);
    const std::uintptr_t last = (base + size) & ~(page - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)begin;
    (void)size;
#endif
}

} // namespace vx::os
