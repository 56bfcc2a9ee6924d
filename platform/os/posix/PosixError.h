#pragma once
// The error of the last failed POSIX call as a standard error code.

#include <cerrno>
#include <system_error>

namespace vx::os::posix {

inline std::error_code lastError() { return {errno, std::system_category()}; }

} // namespace vx::os::posix
