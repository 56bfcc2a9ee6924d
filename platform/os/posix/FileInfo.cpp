#include "platform/os/FileInfo.h"

#include "platform/os/posix/PosixError.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vx::os {
namespace {

PathStatus toStatus(const struct stat &st)
{
    PathStatus s;
    s.kind = S_ISREG(st.st_mode) ? PathKind::RegularFile : S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::Other;
    s.size = std::uint64_t(st.st_size);
    s.modified = FileTime(std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec));
    s.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return s;
}

} // namespace

std::optional<PathStatus> pathStatus(const std::filesystem::path &path)
{
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0)
        return std::nullopt;
    if (!S_ISLNK(own.st_mode))
        return toStatus(own);
    struct stat target {};
    PathStatus s = ::stat(path.c_str(), &target) == 0 ? toStatus(target) : toStatus(own);
    if (!S_ISDIR(target.st_mode) && !S_ISREG(target.st_mode))
        s.kind = PathKind::Other;
    s.isLink = true;
    return s;
}

bool pathExists(const std::filesystem::path &path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool removeFile(const std::filesystem::path &path, std::error_code &error)
{
    if (::unlink(path.c_str()) != 0) {
        error = posix::lastError();
        return false;
    }
    return true;
}

bool createFolder(const std::filesystem::path &path, std::error_code &error)
{
    if (::mkdir(path.c_str(), 0777) != 0) {
        error = posix::lastError();
        return false;
    }
    return true;
}

bool setModificationTime(const std::filesystem::path &path, FileTime time, std::error_code &error)
{
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1] = posix::toTimespec(time);
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        error = posix::lastError();
        return false;
    }
    return true;
}

bool setReadOnly(const std::filesystem::path &path, bool readOnly, std::error_code &error)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = posix::lastError();
        return false;
    }
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? mode_t(mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)) : mode_t(mode | S_IWUSR);
    if (::chmod(path.c_str(), mode) != 0) {
        error = posix::lastError();
        return false;
    }
    return true;
}

bool setPermissions(const std::filesystem::path &path, unsigned mode, std::error_code &error)
{
    if (::chmod(path.c_str(), mode_t(mode & 0777)) != 0) {
        error = posix::lastError();
        return false;
    }
    return true;
}

bool isOnRemovableDrive(const std::filesystem::path &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && ::stat(path.parent_path().c_str(), &st) != 0)
        return false;
    // /sys/dev/block/MAJ:MIN is a partition or a disk; a partition's parent folder is its disk.
    const std::string dev =
        "/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
    for (const std::string &candidate : {dev + "/removable", dev + "/../removable"}) {
        const int fd = ::open(candidate.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        char flag = 0;
        const ssize_t got = ::read(fd, &flag, 1);
        ::close(fd);
        return got == 1 && flag == '1';
    }
    return false;
}

} // namespace vx::os
