#include "platform/os/Rename.h"

#include "platform/os/File.h"
#include "platform/os/win32/WinError.h"

namespace vx::os {

// MoveFileExW without MOVEFILE_REPLACE_EXISTING fails with ERROR_ALREADY_EXISTS when anything stands at
// the new name, in the same call that renames: no gap between a test and the rename.
bool renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error)
{
    // A file finished under a temporary name never takes a name Windows cannot hold, as create refuses it.
    if (windowsRefusesName(to.filename().native())) {
        error = make_error_code(LayerError::NameWindowsRefuses);
        return false;
    }
    if (!::MoveFileExW(win32::systemPath(from).c_str(), win32::systemPath(to).c_str(), 0)) {
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
    if (windowsRefusesName(to.filename().native())) {
        error = make_error_code(LayerError::NameWindowsRefuses);
        return false;
    }
    if (!::MoveFileExW(win32::systemPath(from).c_str(), win32::systemPath(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = win32::lastError();
        return false;
    }
    error.clear();
    return true;
}

} // namespace vx::os
