#pragma once
// JPEG photos of exact sizes for tests and benchmarks, made with libjpeg's compressor. The picture is a
// cheap gradient at low quality, so even a 12-megapixel photo encodes in a few tens of milliseconds.

#include <QByteArray>
#include <QString>

namespace vx::test {

struct JpegOptions {
    bool progressive = false;   // SOF2 with libjpeg's simple progression instead of baseline SOF0
    int quality = 20;           // 1..100
    bool exifThumbnail = false; // camera-like: no JFIF, an APP1 "Exif" segment whose IFD1 holds a 160x120 JPEG
    int app1Padding = 0;        // payload bytes of extra APP1 segments before the frame header (65533 per segment)
    bool grayscale = false;     // one component instead of YCbCr
};

// A complete JPEG of width x height (1..65500 each); empty when the size is out of range.
QByteArray makeJpeg(int width, int height, const JpegOptions &options = {});
bool writeJpeg(const QString &path, int width, int height, const JpegOptions &options = {});

// A JFIF file whose only frame header is a lossless SOF3 (which libjpeg 6b cannot read): SOI, APP0 (length
// 16), SOF3, SOS, a few bytes of scan data, EOI.
QByteArray makeLosslessJpegHeader(int width, int height);

// Writes bytes to path, replacing the file; false on any failure.
bool writeBytes(const QString &path, const QByteArray &bytes);

} // namespace vx::test
