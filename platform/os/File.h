#pragma once
// An open file: reading at 64-bit offsets, exclusive creation, writing, flushing and the file's own
// modification time. Every open for reading refuses what is not a regular file before it reads a byte
// and without waiting: a named pipe called "x.jpg" would otherwise hold the open (or the first read)
// until a writer comes, and a device may never end.

#include "platform/os/FileTime.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace vx::os {

// Errors of this layer that the system has no code for.
enum class LayerError {
    NotRegularFile = 1,
    NameWindowsRefuses = 2, // a reserved device name, a forbidden character, a trailing dot or space
};
const std::error_category &layerCategory();
std::error_code make_error_code(LayerError e);

// Which other opens a file held open for reading allows while it is open. On Windows these are the
// FILE_SHARE_* modes; Linux has no mandatory locks, so there both open the file normally.
enum class Sharing {
    ReadersOnly,       // other programs may read the file, but not write it
    ReadersAndWriters, // nobody is shut out
};

class File {
public:
    File() = default;
    ~File() { close(); }
    File(File &&other) noexcept : handle_(other.handle_) { other.handle_ = Closed; }
    File &operator=(File &&other) noexcept;
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    // Opens an existing regular file for reading (links followed). Anything else fails with
    // LayerError::NotRegularFile before any read, without blocking.
    bool openForReading(const std::filesystem::path &path, Sharing sharing, std::error_code &error);
    // Creates a new file for writing, failing when anything exists at path: a file, a folder, or a
    // symbolic link (which is never followed, so it cannot carry the write elsewhere). On Windows a name
    // the system cannot hold as a file (windowsRefusesName) fails with LayerError::NameWindowsRefuses.
    bool createNew(const std::filesystem::path &path, std::error_code &error);

    bool isOpen() const { return handle_ != Closed; }
    // The size of the open file; false on failure.
    bool size(std::uint64_t &bytes, std::error_code &error) const;

    // Reads up to n bytes at offset. Returns the count read: fewer than n only at the end of the file,
    // 0 at or past it; -1 on failure.
    std::int64_t readAt(std::uint64_t offset, void *out, std::size_t n, std::error_code &error);
    // Reads up to n bytes from the current position; 0 at the end, -1 on failure.
    std::int64_t read(void *out, std::size_t n, std::error_code &error);
    // Writes every byte at the current position or fails.
    bool writeAll(const void *data, std::size_t n, std::error_code &error);
    // Writes every byte at offset (the current position is left undefined) or fails.
    bool writeAllAt(std::uint64_t offset, const void *data, std::size_t n, std::error_code &error);
    // Flushes the file's data to the device.
    bool flush(std::error_code &error);
    bool setModificationTime(FileTime time, std::error_code &error);
    // Closes; a failure here can mean that written data never reached the disk.
    bool close(std::error_code &error);
    void close()
    {
        std::error_code ignored;
        close(ignored);
    }

private:
#ifdef _WIN32
    using Handle = void *;
    static inline void *const Closed = reinterpret_cast<void *>(-1); // INVALID_HANDLE_VALUE
#else
    using Handle = int;
    static constexpr int Closed = -1;
#endif
    Handle handle_ = Closed;
};

} // namespace vx::os

template <> struct std::is_error_code_enum<vx::os::LayerError> : std::true_type {};
