#pragma once
// Scaled probes: libjpeg reads the JPEG header and reports the size of a decode at one eighth scale,
// ceil(W/8) by ceil(H/8). Data that libjpeg cannot read up to the first scan fail with "JPEG error #%d",
// which makes the probe a health test of the header; damage in the scan data is invisible to it.

#include "imaging/JpegSize.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <filesystem>

class QIODevice;

namespace vx {

class ScaledJpegDecoder { // one object may serve many probes (the broken-photo run uses one)
public:
    // The whole JPEG data in memory.
    JpegSize sizeOfData(const char *data, std::size_t size);
    // Streamed from the file, header only. Throws vx::Error "Cannot open file \"%s\". %s" when it cannot
    // be opened, "Cannot read file \"%s\". %s" when the system fails a read, "JPEG error #%d" otherwise.
    JpegSize sizeOfFile(const std::filesystem::path &path);
    JpegSize sizeOfFile(const QString &path);
    // Streamed from an open device from its current position, in pieces of pieceSize bytes. A read
    // failure names name, or the device's file name when name is empty.
    JpegSize sizeOfDevice(QIODevice &device, int pieceSize = 4096, const QString &name = {});
    std::uint64_t bytesRead() const { return bytesRead_; } // total device bytes read so far

private:
    std::uint64_t bytesRead_ = 0;
};

JpegSize ScaledJpegSize(const QByteArray &data);

} // namespace vx
