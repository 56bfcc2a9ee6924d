#pragma once
// File helpers that the operations need beyond QFile: copy that never overwrites, delete, times,
// attributes and the removable-drive test, on the operating-system layer (platform/os) for the texts the
// windows hold.

#include <QFile>
#include <QString>

#include <filesystem>

namespace vx::os {
class File;
}

namespace vx::files {

// Full path of a name inside a folder: the native separator is appended only when the folder does not
// already end in one (a root such as "/" or "C:\").
QString joinPath(const QString &folder, const QString &name);

// The file-name part of a path (after the last separator).
QString fileNamePart(const QString &path);

bool exists(const QString &path);
// Opens file for reading or throws vx::Error "Cannot open file \"%s\". %s". Release folders are walked
// by name, so a named pipe, a socket or a device can stand in a list as "x.jpg": opening a pipe waits for a
// writer that never comes and a device may never end, so anything but a regular file is refused first.
void openForReading(QFile &file, const QString &path);          // a file (not a folder) exists at path
// Fails when target exists (whatever stands there, a link included) or source is no regular file.
bool copyNoOverwrite(const QString &source, const QString &target);
bool copyNoOverwrite(const std::filesystem::path &source, const std::filesystem::path &target);
bool remove(const QString &path);          // true when the file is gone afterwards
bool remove(const std::filesystem::path &path);
bool clearReadOnly(const QString &path);
bool setReadOnly(const QString &path);
bool setUnixPermissions(const QString &path, unsigned mode); // mode & 0777 only
bool isOnRemovableDrive(const QString &path);

// Files that a list names, by native path: a name that is not valid UTF-8 on Linux reaches its file
// only by its own bytes.
bool exists(const std::filesystem::path &path);
// Refuses anything but a regular file before reading, like the text form; the message names shownText.
void openForReading(QFile &file, const std::filesystem::path &path);
// The same without throwing: false with the reason ("Not a regular file", the system's text).
bool openForReading(QFile &file, const std::filesystem::path &path, QString &reason);
// The same for the OS layer's file, for readers that read at offsets themselves: no QFile per photo.
void openForReading(os::File &file, const std::filesystem::path &path);

} // namespace vx::files
