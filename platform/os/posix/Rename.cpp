#include "platform/os/Rename.h"

#include "platform/os/posix/PosixError.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vx::os {
namespace {

bool somethingStandsAt(const std::filesystem::path &path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

} // namespace

bool renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error)
{
#if defined(__linux__) && defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        error.clear();
        return true;
    }
    // File systems without the flag (older network and FUSE ones) say EINVAL; the kernel without the
    // call says ENOSYS. Everything else is the answer.
    if (errno != EINVAL && errno != ENOSYS) {
        error = posix::lastError();
        return false;
    }
#endif
    // A hard link is made only where nothing stands, so it is the same test-and-name in one step.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        error.clear();
        return true;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EMLINK) {
        error = posix::lastError();
        return false;
    }
    // FAT drives (memory cards, sticks) know no hard links: test, then rename. The gap between the two
    // is the only one left, and only there.
    if (somethingStandsAt(to)) {
        error = std::make_error_code(std::errc::file_exists);
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        error = posix::lastError();
        return false;
    }
    error.clear();
    return true;
}

bool renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error)
{
    if (::rename(from.c_str(), to.c_str()) != 0) {
        error = posix::lastError();
        return false;
    }
    error.clear();
    return true;
}

} // namespace vx::os
