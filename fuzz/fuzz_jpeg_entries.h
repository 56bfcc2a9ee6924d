#pragma once
// The bodies of the JPEG fuzz targets, shared with the replay test so that saved inputs and crashers run
// through the same code under plain CTest. Each returns false when an invariant is broken (the fuzz
// target then aborts); crashes, hangs and bad memory accesses are what the sanitizers catch.

#include <cstddef>
#include <cstdint>

namespace vx::fuzz {

// ReadJpegSizeFromStream: sizes only on success, within 16 bits; the stop position inside the buffer.
bool jpegStreamReader(const std::uint8_t *data, std::size_t size);
// The byte-wise file scan over the bytes: the same result with tiny blocks and no kept prefix as with
// the blocks ReadJpegSizeFromFile uses.
bool jpegFileScan(const std::uint8_t *data, std::size_t size);
// The libjpeg probe over memory and streamed in small pieces: the same size or the same error.
bool jpegScaledProbe(const std::uint8_t *data, std::size_t size);

} // namespace vx::fuzz
