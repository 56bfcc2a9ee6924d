#pragma once
// The frame-marker scan behind ReadJpegSizeFromFile, over any random-access bytes.
//
// A camera photo carries a thumbnail, itself a complete JPEG image, inside a metadata segment in front of
// the main frame header. The scan does not follow segment lengths; it counts the SOI markers met before the
// first SOS (n), then takes the n-th frame marker (SOF0, SOF1 or SOF2), or the last one when there are
// fewer (or n is 0). Both walks are byte-wise: each 0xFF found while at least 8 bytes are left unread is
// followed by a code byte, which is consumed even when it is 0xFF itself. Height and width are the two
// big-endian words 3 bytes behind the code. Without any frame marker they are read at offsets 2 to 5: in
// a file that opens with SOI and an APP0 segment that gives height 65504 (0xFFE0) and the segment's length
// as width, a pair the technical data discard by their 20000 limit.

#include "imaging/BlockedByteReader.h"
#include "imaging/JpegSize.h"

#include <optional>

namespace vx::jpeg {

// nullopt when the four size bytes lie (partly) past the end: a frame marker in the last 8 bytes, or a
// file shorter than 6 bytes without one, or a failed read.
std::optional<JpegSize> scanFrameMarkers(BlockedByteReader &bytes, qint64 size);

} // namespace vx::jpeg
