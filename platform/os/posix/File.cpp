#include "platform/os/File.h"

#include "platform/os/posix/PosixError.h"

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vx::os {

File &File::operator=(File &&other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = Closed;
    }
    return *this;
}

bool File::openForReading(const std::filesystem::path &path, Sharing sharing, std::error_code &error)
{
    (void)sharing; // no mandatory locks here: every sharing opens the file normally
    close();
    // O_NONBLOCK: opening a pipe for reading otherwise waits for a writer. The flag means nothing for a
    // regular file, and everything else is refused below before a byte is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = posix::lastError();
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISREG(st.st_mode) ? posix::lastError() : make_error_code(LayerError::NotRegularFile);
        ::close(fd);
        return false;
    }
    handle_ = fd;
    error.clear();
    return true;
}

bool File::createNew(const std::filesystem::path &path, std::error_code &error)
{
    close();
    // O_EXCL with O_CREAT refuses whatever exists at path, a symbolic link included (the link itself
    // counts, even one that leads nowhere); O_NOFOLLOW makes that explicit.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = posix::lastError();
        return false;
    }
    handle_ = fd;
    error.clear();
    return true;
}

bool File::size(std::uint64_t &bytes, std::error_code &error) const
{
    struct stat st {};
    if (::fstat(handle_, &st) != 0) {
        error = posix::lastError();
        return false;
    }
    bytes = std::uint64_t(st.st_size);
    return true;
}

std::int64_t File::readAt(std::uint64_t offset, void *out, std::size_t n, std::error_code &error)
{
    auto *to = static_cast<char *>(out);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(handle_, to + done, n - done, off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = posix::lastError();
            return -1;
        }
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    return std::int64_t(done);
}

std::int64_t File::read(void *out, std::size_t n, std::error_code &error)
{
    for (;;) {
        const ssize_t got = ::read(handle_, out, n);
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            error = posix::lastError();
            return -1;
        }
    }
}

bool File::writeAll(const void *data, std::size_t n, std::error_code &error)
{
    const auto *from = static_cast<const char *>(data);
    while (n > 0) {
        const ssize_t w = ::write(handle_, from, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            error = w < 0 ? posix::lastError() : std::make_error_code(std::errc::no_space_on_device);
            return false;
        }
        from += w;
        n -= std::size_t(w);
    }
    return true;
}

bool File::writeAllAt(std::uint64_t offset, const void *data, std::size_t n, std::error_code &error)
{
    const auto *from = static_cast<const char *>(data);
    while (n > 0) {
        const ssize_t w = ::pwrite(handle_, from, n, off_t(offset));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            error = w < 0 ? posix::lastError() : std::make_error_code(std::errc::no_space_on_device);
            return false;
        }
        from += w;
        offset += std::uint64_t(w);
        n -= std::size_t(w);
    }
    return true;
}

bool File::flush(std::error_code &error)
{
    if (::fsync(handle_) != 0) {
        error = posix::lastError();
        return false;
    }
    return true;
}

bool File::setModificationTime(FileTime time, std::error_code &error)
{
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT; // the access time stays
    times[1] = posix::toTimespec(time);
    if (::futimens(handle_, times) != 0) {
        error = posix::lastError();
        return false;
    }
    return true;
}

bool File::close(std::error_code &error)
{
    if (handle_ == Closed)
        return true;
    const int rc = ::close(handle_);
    handle_ = Closed;
    // Linux releases the descriptor even when close reports EINTR; retrying could close another file.
    if (rc != 0 && errno != EINTR) {
        error = posix::lastError();
        return false;
    }
    return true;
}

} // namespace vx::os
