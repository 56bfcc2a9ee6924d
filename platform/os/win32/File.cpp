#include "platform/os/File.h"

#include "platform/os/win32/WinError.h"

#include <algorithm>
#include <string>

namespace vx::os {
namespace {

// ReadFile and WriteFile take 32-bit counts.
constexpr std::size_t MaxPiece = std::size_t(1) << 30;

} // namespace

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
    close();
    const DWORD share = sharing == Sharing::ReadersOnly ? FILE_SHARE_READ
                                                        : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    // A named pipe opens at once or fails (ERROR_PIPE_BUSY); it never waits here.
    const HANDLE h = ::CreateFileW(win32::systemPath(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // A folder cannot be opened without backup semantics; say what it is rather than "access denied".
        // A pipe whose instances are all taken answers "busy": a pipe all the same.
        const DWORD attributes = ::GetFileAttributesW(win32::systemPath(path).c_str());
        if (code == ERROR_PIPE_BUSY
            || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)))
            error = make_error_code(LayerError::NotRegularFile);
        else
            error = {int(code), std::system_category()};
        return false;
    }
    // Pipes, consoles and devices ("CON", "NUL", "\\.\pipe\...") are no disk files.
    if (::GetFileType(h) != FILE_TYPE_DISK) {
        ::CloseHandle(h);
        error = make_error_code(LayerError::NotRegularFile);
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(h);
        error = make_error_code(LayerError::NotRegularFile);
        return false;
    }
    handle_ = h;
    error.clear();
    return true;
}

bool File::createNew(const std::filesystem::path &path, std::error_code &error)
{
    close();
    // "nul.jpg" would "succeed" into the null device and "a:b" into a stream of "a": refused before the
    // system is asked, so a write that lands nowhere is never counted as a file.
    if (windowsRefusesName(path.filename().native())) {
        error = make_error_code(LayerError::NameWindowsRefuses);
        return false;
    }
    // CREATE_NEW fails on anything at path; FILE_FLAG_OPEN_REPARSE_POINT keeps a link there from being
    // followed.
    const HANDLE h = ::CreateFileW(win32::systemPath(path).c_str(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = win32::lastError();
        return false;
    }
    handle_ = h;
    error.clear();
    return true;
}

bool File::size(std::uint64_t &bytes, std::error_code &error) const
{
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle_, &size)) {
        error = win32::lastError();
        return false;
    }
    bytes = std::uint64_t(size.QuadPart);
    return true;
}

std::int64_t File::readAt(std::uint64_t offset, void *out, std::size_t n, std::error_code &error)
{
    auto *to = static_cast<char *>(out);
    std::size_t done = 0;
    while (done < n) {
        const std::uint64_t at = offset + done;
        OVERLAPPED where{};
        where.Offset = DWORD(at & 0xFFFFFFFFu);
        where.OffsetHigh = DWORD(at >> 32);
        DWORD got = 0;
        const DWORD want = DWORD(std::min(n - done, MaxPiece));
        if (!::ReadFile(handle_, to + done, want, &got, &where)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            error = win32::lastError();
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    return std::int64_t(done);
}

std::int64_t File::read(void *out, std::size_t n, std::error_code &error)
{
    DWORD got = 0;
    if (!::ReadFile(handle_, out, DWORD(std::min(n, MaxPiece)), &got, nullptr)) {
        if (::GetLastError() == ERROR_HANDLE_EOF)
            return 0;
        error = win32::lastError();
        return -1;
    }
    return got;
}

bool File::writeAll(const void *data, std::size_t n, std::error_code &error)
{
    const auto *from = static_cast<const char *>(data);
    while (n > 0) {
        DWORD written = 0;
        if (!::WriteFile(handle_, from, DWORD(std::min(n, MaxPiece)), &written, nullptr)) {
            error = win32::lastError();
            return false;
        }
        if (written == 0) {
            error = std::make_error_code(std::errc::no_space_on_device);
            return false;
        }
        from += written;
        n -= written;
    }
    return true;
}

bool File::writeAllAt(std::uint64_t offset, const void *data, std::size_t n, std::error_code &error)
{
    const auto *from = static_cast<const char *>(data);
    while (n > 0) {
        OVERLAPPED where{};
        where.Offset = DWORD(offset & 0xFFFFFFFFu);
        where.OffsetHigh = DWORD(offset >> 32);
        DWORD written = 0;
        if (!::WriteFile(handle_, from, DWORD(std::min(n, MaxPiece)), &written, &where)) {
            error = win32::lastError();
            return false;
        }
        if (written == 0) {
            error = std::make_error_code(std::errc::no_space_on_device);
            return false;
        }
        from += written;
        offset += written;
        n -= written;
    }
    return true;
}

bool File::flush(std::error_code &error)
{
    if (!::FlushFileBuffers(handle_)) {
        error = win32::lastError();
        return false;
    }
    return true;
}

bool File::setModificationTime(FileTime time, std::error_code &error)
{
    const FILETIME ft = win32::toFiletime(time);
    if (!::SetFileTime(handle_, nullptr, nullptr, &ft)) {
        error = win32::lastError();
        return false;
    }
    return true;
}

bool File::close(std::error_code &error)
{
    if (handle_ == Closed)
        return true;
    const bool ok = ::CloseHandle(handle_);
    handle_ = Closed;
    if (!ok) {
        error = win32::lastError();
        return false;
    }
    return true;
}

} // namespace vx::os
