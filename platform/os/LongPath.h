#pragma once
// Windows parses a path of more than MAX_PATH (260) UTF-16 units only in its extended-length form,
// "\\?\C:\..." or "\\?\UNC\server\share\...", which reaches the file system as it is: no "/" turned
// into "\", no "." or ".." resolved, no trailing dots or spaces cut off. The Win32 side hands every path
// to the system through this one conversion. Plain string logic, so it is tested on every system.

#include <string>
#include <string_view>

namespace vx::os {

// The extended-length form of an absolute path: a drive path gets "\\?\", a share "\\?\UNC\", "/"
// becomes "\", repeated separators fold and "." and ".." are resolved (never above the drive or the
// share). A path already in that form, a device path ("\\.\pipe\x") and a relative path (also "C:x"
// and "\x") keep their text, only "/" becomes "\" in the last two.
std::wstring extendedLengthPath(std::wstring_view path);

// Whether Windows refuses name as the last part of a path it creates: a reserved device name (CON, PRN,
// AUX, NUL, COM1-COM9, LPT1-LPT9, in any case, with or without an extension), one of < > : " | ? * or a
// control character, or a trailing dot or space. Through the extended-length form such a name would be
// created, but as a file that Explorer and most programs cannot open or delete, or (":") as a hidden
// stream of another file.
bool windowsRefusesName(std::wstring_view name);

} // namespace vx::os
