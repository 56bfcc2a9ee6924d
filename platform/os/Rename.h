#pragma once
// Giving a finished file its final name. Examples are written under a temporary name and renamed once
// complete, so that a photo never appears half written under its own name, whatever stops the write
// (a full disk, a kill, a power cut).

#include <filesystem>
#include <system_error>

namespace vx::os {

// Renames from to to (same folder or at least same drive) unless anything stands at to, a link that leads
// nowhere included: then it fails with std::errc::file_exists and both stay as they were. The test and
// the rename are one step where the file system allows, so a file that appears meanwhile is not lost.
bool renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error);

// Renames from to to, replacing a file or link standing at to (never what a link points at) in one step:
// whoever looks finds the old file or the new one, never neither.
bool renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error);

} // namespace vx::os
