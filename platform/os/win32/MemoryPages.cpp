#include "platform/os/MemoryPages.h"

namespace vx::os {

// Windows has no call that maps fresh anonymous pages for writing ahead of time (PrefetchVirtualMemory
// reads file-backed pages in); the pages fault in as they are written.
void prefaultForWriting(void *begin, std::size_t size)
{
    (void)begin;
    (void)size;
}

} // namespace vx::os
