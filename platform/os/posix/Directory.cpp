#include "platform/os/Directory.h"

#include "platform/os/posix/PosixError.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace vx::os {

struct Directory::State {
    DIR *dir;
};

namespace {

EntryKind kindOfStat(const struct stat &st)
{
    if (S_ISREG(st.st_mode))
        return EntryKind::File;
    if (S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    return EntryKind::Other;
}

} // namespace

std::optional<FileIdentity> identityOf(const std::filesystem::path &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
}

Directory::Directory(Directory &&other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

Directory &Directory::operator=(Directory &&other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

bool Directory::open(const std::filesystem::path &folder, std::error_code &error)
{
    close();
    DIR *dir = ::opendir(folder.c_str());
    if (!dir) {
        error = posix::lastError();
        return false;
    }
    handle_ = new State{dir};
    error.clear();
    return true;
}

std::optional<FileIdentity> Directory::identity() const
{
    struct stat st {};
    if (!handle_ || ::fstat(::dirfd(handle_->dir), &st) != 0)
        return std::nullopt;
    return FileIdentity{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
}

bool Directory::next(DirectoryEntry &entry, std::error_code &error)
{
    error.clear();
    if (!handle_)
        return false;
    errno = 0;
    const dirent *d = ::readdir(handle_->dir);
    if (!d) {
        if (errno != 0)
            error = posix::lastError();
        return false;
    }
    entry.name.assign(d->d_name);
    entry.isLink = false;
    switch (d->d_type) {
    case DT_REG:
        entry.kind = EntryKind::File;
        return true;
    case DT_DIR:
        entry.kind = EntryKind::Folder;
        return true;
    case DT_LNK:
        break;
    case DT_UNKNOWN: {
        // Some file systems (older XFS, some network ones) leave the type to a stat of the entry.
        struct stat st {};
        if (::fstatat(::dirfd(handle_->dir), d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            entry.kind = EntryKind::Other;
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            entry.kind = kindOfStat(st);
            return true;
        }
        break;
    }
    default:
        entry.kind = EntryKind::Other;
        return true;
    }
    // A link: its kind is what it leads to.
    entry.isLink = true;
    struct stat target {};
    if (::fstatat(::dirfd(handle_->dir), d->d_name, &target, 0) != 0) {
        entry.kind = EntryKind::Other;
        return true;
    }
    entry.kind = S_ISDIR(target.st_mode) ? EntryKind::FolderLink : kindOfStat(target);
    return true;
}

void Directory::close()
{
    if (handle_) {
        ::closedir(handle_->dir);
        delete handle_;
        handle_ = nullptr;
    }
}

} // namespace vx::os
