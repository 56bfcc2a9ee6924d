#pragma once
// libjpeg data source that streams from an open device (a photo file) in small pieces, on demand. libjpeg
// reads only the header, so a probe touches a few kilobytes of a multi-megabyte photo; segments that libjpeg
// skips (EXIF blocks with their thumbnails) are skipped by seeking, not read. libjpeg sees exactly the byte
// stream that the whole file in memory would give it: end-of-image with a warning when the data run out,
// the empty-input error when the first piece is empty.

#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

class QIODevice;

namespace vx::jpeg {

struct DeviceSource {
    // A page: small enough that a header probe reads little, large enough that libjpeg seldom refills.
    static constexpr int kDefaultPiece = 4096;
    static constexpr int kMaxPiece = 65536;

    jpeg_source_mgr base; // first member: libjpeg hands back a pointer to it
    QIODevice *device = nullptr;
    int piece = kDefaultPiece;
    bool started = false;       // some bytes of the device have been handed over
    bool readFailed = false;    // the device reported an error (not a plain end of data)
    std::uint64_t bytesRead = 0;
    JOCTET buffer[kMaxPiece];

    // piece: bytes per read, clamped to 1..kMaxPiece (tests use tiny pieces to cross every boundary).
    explicit DeviceSource(QIODevice &from, int pieceSize = kDefaultPiece);
};

} // namespace vx::jpeg
