#pragma once
// Whether a photo of the list counts as broken: its header cannot be read at one eighth scale, or it
// gives a side of 0. Damage behind the header (in the scan data) is not seen.

#include <QString>

#include <filesystem>

namespace vx {
class ScaledJpegDecoder;
}

namespace vx::reports {

// Never throws: a file that cannot be opened, is empty or is no JPEG is broken.
bool IsBrokenPhoto(vx::ScaledJpegDecoder &decoder, const std::filesystem::path &path);

} // namespace vx::reports
