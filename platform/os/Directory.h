#pragma once
// Folder enumeration: the entries of one folder, one at a time, in the order NTFS lists them (names
// compared as upper-cased UTF-16 code units, "." and ".." first): Windows' own order, which the POSIX
// side makes by sorting what the file system returns in its hash order, so lists read the same on both.
// Nothing is filtered: hidden and system entries come as they are, and so do "." and ".." where the
// system lists them, so a caller that counts or checks every listed entry sees them all.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

namespace vx::os {

enum class EntryKind {
    File,       // a regular file, or a symbolic link to one
    Folder,     // a folder that is not a link
    FolderLink, // a symbolic link to a folder; on Windows also a junction
    Other,      // pipes, sockets, devices, links that lead nowhere
};

struct DirectoryEntry {
    // The entry's name as the system gives it: bytes on Linux, UTF-16 on Windows. Kept as the path's
    // own string so that one entry object can be reused for a whole folder without allocating.
    std::filesystem::path::string_type name;
    EntryKind kind = EntryKind::Other;
    bool isLink = false; // a symbolic link (or a junction), whatever it points at

    bool isDotOrDotDot() const
    {
        return !name.empty() && name[0] == '.' && (name.size() == 1 || (name.size() == 2 && name[1] == '.'));
    }
};

// What makes a folder the same folder under two names: device and inode on POSIX, volume serial
// number and the 128-bit file id on Windows (ReFS keeps only that one unique; where a file system
// refuses it, the 64-bit file index).
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t indexHigh = 0;
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of what path names, links followed; nothing when it cannot be read.
std::optional<FileIdentity> identityOf(const std::filesystem::path &path);

class Directory {
public:
    Directory() = default;
    ~Directory() { close(); }
    Directory(Directory &&other) noexcept;
    Directory &operator=(Directory &&other) noexcept;
    Directory(const Directory &) = delete;
    Directory &operator=(const Directory &) = delete;

    // Opens a folder (a link to a folder is followed) for enumeration.
    bool open(const std::filesystem::path &folder, std::error_code &error);
    // Opens the entry name of the open folder parent (a link to a folder is followed). On POSIX relative
    // to the parent's descriptor, so a tree deeper than PATH_MAX is walked to its bottom; on Windows by
    // the joined path in its extended-length form.
    bool open(const Directory &parent, const std::filesystem::path::string_type &name, std::error_code &error);
    bool isOpen() const { return handle_ != nullptr; }
    // The identity of the open folder (the one a link led to, when it was opened through a link).
    std::optional<FileIdentity> identity() const;
    // True when the open folder lies on one of Linux's kernel file systems (/proc, /sys and the like):
    // their links (/proc/<pid>/root, cwd, /sys's device links) lead back into the whole tree.
    bool onKernelFileSystem() const;
    // The next entry; false at the end (or when the system fails to list more, error then says why).
    bool next(DirectoryEntry &entry, std::error_code &error);
    bool next(DirectoryEntry &entry)
    {
        std::error_code ignored;
        return next(entry, ignored);
    }
    void close();

    struct State; // the system's handle and what each side keeps with it

private:
    State *handle_ = nullptr;
};

namespace testing {
// Makes every enumeration report each entry's type as unknown, as some file systems do (older XFS,
// network and FUSE mounts leave it to a lookup of the entry), so tests reach that path.
void reportEntryTypesAsUnknown(bool unknown);
} // namespace testing

} // namespace vx::os
