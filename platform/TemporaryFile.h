#pragma once
// A file being written before it takes its final name. Its name (".vx-" hex digits ".tmp") ends in
// neither .jpg nor .jpeg, so no scan, probe or upload ever takes a half-written example, and it starts
// with a dot, so file managers on Linux hide what a kill may leave behind.

#include "platform/os/File.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace vx::files {

// Creates a new file in folder under a fresh temporary name (exclusively, never over anything) and opens
// it for writing in file. Nothing when it cannot be made; error says why.
std::optional<std::filesystem::path> createTemporaryFile(const std::filesystem::path &folder, os::File &file,
                                                         std::error_code &error);

} // namespace vx::files
