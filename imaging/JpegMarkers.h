#pragma once
// The marker readers: the full-size width and height read straight from a frame header, without libjpeg.
// They serve the resolution ranges of the technical data.

#include "imaging/ByteSource.h"
#include "imaging/JpegSize.h"

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace vx {

// Byte-wise scan of a file with the thumbnail rule (see imaging/FrameMarkerScan.h). Always a pair, which
// is no real size when the file has no SOF0-SOF2 marker. Throws vx::Error "Cannot open file \"%s\". %s"
// when the file cannot be opened, and "Unexpected end of file \"%s\"." when the size bytes lie past its end.
JpegSize ReadJpegSizeFromFile(const std::filesystem::path &path);
JpegSize ReadJpegSizeFromFile(const QString &path);
// The same scan over bytes already at hand (a file opened by the caller, or a source that counts what is
// read); path only names the file in the error message.
JpegSize ReadJpegSizeFromSource(jpeg::ByteSource &source, const std::filesystem::path &path);

// Walk of an in-memory JPEG (an archive entry) that follows segment lengths from SOI to the first frame
// header, SOF3 included; a thumbnail inside a metadata segment is skipped with its segment. Reads from the
// buffer's start. True with both sizes set when a frame header was reached; false, sizes untouched, on
// anything else. *readPosition receives the offset where the walk stopped. Never throws.
bool ReadJpegSizeFromStream(const QByteArray &buffer, int &width, int &height, qsizetype *readPosition = nullptr);

} // namespace vx
