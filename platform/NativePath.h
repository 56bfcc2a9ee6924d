#pragma once
// File names as the system keeps them and as the lists show them. A listed file is always reached
// through its native path (bytes on Linux, UTF-16 on Windows); the text beside it is only for showing
// and comparing. This is the one place that decides how a native name reads.

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace vx {

// The text shown for one name as the system gives it (no separators inside). On Linux a name is bytes:
// valid UTF-8 reads as UTF-8, anything else as code page 1251 - photo sets unpacked from Windows
// archives carry 1251 (or 866) bytes, and 1251 is what the people who use the program write in.
QString shownName(const std::filesystem::path::string_type &name);
// The text shown for a whole path: every part read on its own, so a 1251 folder under a UTF-8 home
// folder reads right on both sides.
QString shownText(const std::filesystem::path &path);

// The native path of a text typed or chosen by the user (a dialog's folder). Such texts are Unicode, so
// the conversion loses nothing: UTF-8 bytes on Linux, UTF-16 with "\" as the separator on Windows.
std::filesystem::path nativePath(const QString &text);

// The file-name part of a path in the system's 8-bit encoding, as an upload names the file: the
// name's own bytes on Linux, code page 1251 on Windows.
QByteArray eightBitFileName(const std::filesystem::path &path);

// One entry of a page list or of the upload window's files: the native path every operation uses, and
// the text the list shows.
struct ListEntry {
    std::filesystem::path path;
    QString text;
};

// The entry of a native path, its text decided here.
ListEntry listEntry(const std::filesystem::path &path);

} // namespace vx
