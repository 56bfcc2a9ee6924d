#pragma once
// The system's own texts that failure messages carry, as each system words them: POSIX's on Linux,
// the Windows text in the user's language (Russian on the test machine) there.

#include "platform/os/ErrorText.h"

#include <QString>

#include <system_error>

namespace vx::test {

// A file that is not there: both systems number it 2 (ENOENT, ERROR_FILE_NOT_FOUND).
inline QString fileNotFoundText()
{
    return QString::fromStdString(vx::os::errorText(std::error_code(2, std::system_category())));
}

} // namespace vx::test
