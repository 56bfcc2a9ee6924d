#include "platform/os/OpenFileLimit.h"

namespace vx::os {

// Files are opened as Win32 handles (CreateFileW), which have no per-process count to raise; the C
// runtime's stream limit (_setmaxstdio) concerns FILE streams, which this layer does not use.
std::uint64_t raiseOpenFileLimit() { return 0; }

} // namespace vx::os
