#include "platform/TemporaryFile.h"

#include "platform/Clock.h"

#include <cstdio>

namespace vx::files {

std::optional<std::filesystem::path> createTemporaryFile(const std::filesystem::path &folder, os::File &file,
                                                         std::error_code &error)
{
    // A name left by a killed run, or made by another instance at the same moment, only costs a retry.
    static std::uint32_t serial = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::uint32_t tag = clock::highResolutionCounter() * 2654435761u + ++serial;
        char name[24];
        std::snprintf(name, sizeof name, ".vx-%08x.tmp", unsigned(tag));
        const std::filesystem::path path = folder / name;
        if (file.createNew(path, error))
            return path;
        if (error != std::errc::file_exists)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace vx::files
