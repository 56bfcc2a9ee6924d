#pragma once
// Hints about pages of memory that the program is about to fill.

#include <cstddef>

namespace vx::os {

// Asks the system to map the pages of [begin, begin + size) for writing at once, so that filling a
// large fresh buffer costs one call instead of a page fault per page. Only a hint: where the system
// has no such call, the pages fault in as they are written.
void prefaultForWriting(void *begin, std::size_t size);

} // namespace vx::os
