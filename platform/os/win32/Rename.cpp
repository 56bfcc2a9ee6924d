#include "platform/os/Rename.h"

#include "platform/os/win32/WinError.h"

namespace vx::os {

// MoveFileExW without MOVEFILE_REPLACE_EXISTING fails with ERROR_ALREADY_EXISTS when anything stands at
// the new name, in the same call that renames: no gap between a test and the rename.
bool renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error)
{
    if (!::MoveFileExW(from.c_str(), to.c_str(), 0)) {
        const DWORD code = ::GetLastError();
        error = (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
                    ? std::make_error_code(std::errc::file_exists)
                    : std::error_code(int(code), std::system_category());
        return false;
    }
    error.clear();
    return true;
}

bool renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error)
{
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = win32::lastError();
        return false;
    }
    error.clear();
    return true;
}

} // namespace vx::os
