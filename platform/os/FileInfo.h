#pragma once
// What the system knows about a path without opening it, and the changes made by name: existence,
// kind, size, modification time, attributes, deletion, and whether the path lies on a removable drive.

#include "platform/os/FileTime.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

namespace vx::os {

enum class PathKind { RegularFile, Folder, Other };

struct PathStatus {
    PathKind kind = PathKind::Other;
    bool isLink = false; // the path itself is a symbolic link or a junction (status then describes its target)
    std::uint64_t size = 0;
    FileTime modified{};
    bool readOnly = false;
};

// Status of what path names, links followed; a link that leads nowhere is described as itself, with
// kind Other. Nothing when nothing is there or the path cannot be examined.
std::optional<PathStatus> pathStatus(const std::filesystem::path &path);
// True when anything at all is at path, a link that leads nowhere included.
bool pathExists(const std::filesystem::path &path);

// Deletes a file (or a link, never what it points at); folders are not removed.
bool removeFile(const std::filesystem::path &path, std::error_code &error);
bool createFolder(const std::filesystem::path &path, std::error_code &error);

bool setModificationTime(const std::filesystem::path &path, FileTime time, std::error_code &error);

// The read-only attribute. On POSIX a file is read-only when nobody may write it; making it
// read-only takes every write bit away, making it writable gives the owner the write bit back.
bool setReadOnly(const std::filesystem::path &path, bool readOnly, std::error_code &error);
// POSIX permission bits (mode & 0777; set-uid, set-gid and sticky never). On Windows only the owner's
// write bit counts: without it the file becomes read-only.
bool setPermissions(const std::filesystem::path &path, unsigned mode, std::error_code &error);

// True when path (or the folder it would be created in) lies on a removable drive.
bool isOnRemovableDrive(const std::filesystem::path &path);

} // namespace vx::os
