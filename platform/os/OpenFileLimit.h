#pragma once
// The number of files the process may hold open at once. An upload keeps every photo of the output
// folder open until its body has gone out, so the usual soft limit of 1,024 descriptors would fail a
// post of a thousand photos; the program raises its soft limit to the hard one at start.

#include <cstdint>

namespace vx::os {

// Raises the soft limit of open files to the hard limit. Returns the limit in force afterwards, or 0 when
// the system has no such per-process count (Windows: handles are bounded by memory only).
std::uint64_t raiseOpenFileLimit();

} // namespace vx::os
