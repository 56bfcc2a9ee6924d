#pragma once
// The text of an error as UTF-8, in the user's language where the system has one. The standard
// library's message() gives the system's text in the system's 8-bit code page on Windows (1251 on a
// Russian one), so code above this layer takes its error texts from here and never decodes message().

#include <string>
#include <system_error>

namespace vx::os {

std::string errorText(const std::error_code &error);

} // namespace vx::os
