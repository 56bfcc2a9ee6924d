#include "tests/support/JpegFixtures.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace vx::test {
namespace {

constexpr int kMaxSegmentPayload = 65533; // 16-bit length minus its own two bytes
constexpr int kMaxSide = 65500;           // libjpeg's JPEG_MAX_DIMENSION

void putU16le(QByteArray &out, unsigned v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void putU32le(QByteArray &out, unsigned v)
{
    putU16le(out, v & 0xFFFF);
    putU16le(out, v >> 16);
}

void putIfdEntry(QByteArray &out, unsigned tag, unsigned type, unsigned value)
{
    putU16le(out, tag);
    putU16le(out, type);
    putU32le(out, 1);
    putU32le(out, value);
}

// "Exif\0\0" and a little-endian TIFF block: IFD0 with an orientation tag (1, as stored), IFD1 with the
// thumbnail's offset and length, then the thumbnail, as cameras write it.
QByteArray exifWithThumbnail()
{
    JpegOptions thumbOptions;
    thumbOptions.quality = 60;
    const QByteArray thumbnail = makeJpeg(160, 120, thumbOptions);
    QByteArray tiff("II*\0", 4);
    putU32le(tiff, 8);
    const unsigned ifd1 = 8 + 2 + 12 + 4;
    putU16le(tiff, 1);
    putIfdEntry(tiff, 0x0112, 3, 1);
    putU32le(tiff, ifd1);
    const unsigned thumbAt = ifd1 + 2 + 2 * 12 + 4;
    putU16le(tiff, 2);
    putIfdEntry(tiff, 0x0201, 4, thumbAt);
    putIfdEntry(tiff, 0x0202, 4, unsigned(thumbnail.size()));
    putU32le(tiff, 0);
    tiff.append(thumbnail);
    return QByteArray("Exif\0\0", 6) + tiff;
}

// Metadata-like filler without any 0xFF byte, so it holds no marker-like pair.
QByteArray padding(int size)
{
    QByteArray out(size, Qt::Uninitialized);
    unsigned state = 0x2545F491u;
    for (int i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        out[i] = char((state >> 24) % 0xFF);
    }
    if (size >= 6)
        out.replace(0, 6, QByteArray("Exif\0\0", 6));
    return out;
}

void writeMarker(jpeg_compress_struct &cinfo, const QByteArray &payload)
{
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>(payload.constData()),
                      unsigned(payload.size()));
}

} // namespace

QByteArray makeJpeg(int width, int height, const JpegOptions &options)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return {};
    const QByteArray exif = options.exifThumbnail ? exifWithThumbnail() : QByteArray();
    if (exif.size() > kMaxSegmentPayload)
        return {};

    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors); // the parameters are checked above; libjpeg has nothing to refuse
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    const int components = options.grayscale ? 1 : 3;
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = options.grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, std::clamp(options.quality, 1, 100), TRUE);
    cinfo.dct_method = JDCT_IFAST;
    cinfo.write_JFIF_header = options.exifThumbnail ? FALSE : TRUE;
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    if (!exif.isEmpty())
        writeMarker(cinfo, exif);
    for (int left = options.app1Padding; left > 0; left -= kMaxSegmentPayload)
        writeMarker(cinfo, padding(std::min(left, kMaxSegmentPayload)));

    // A horizontal gradient in every row, with bands every 64 rows so that the picture is not flat.
    std::vector<JSAMPLE> row(std::size_t(width) * std::size_t(components));
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < components; ++c)
            row[std::size_t(x) * components + c] = JSAMPLE((x * 255 / width + c * 60) & 0xFF);
    std::vector<JSAMPLE> banded(row);
    for (auto &v : banded)
        v = JSAMPLE(255 - v);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW line = (cinfo.next_scanline / 64) % 2 ? banded.data() : row.data();
        jpeg_write_scanlines(&cinfo, &line, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray result(reinterpret_cast<const char *>(out), qsizetype(outSize));
    std::free(out);
    return result;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

bool writeJpeg(const QString &path, int width, int height, const JpegOptions &options)
{
    const QByteArray bytes = makeJpeg(width, height, options);
    return !bytes.isEmpty() && writeBytes(path, bytes);
}

QByteArray makeLosslessJpegHeader(int width, int height)
{
    const auto hi = [](int v) { return char((v >> 8) & 0xFF); };
    const auto lo = [](int v) { return char(v & 0xFF); };
    QByteArray out;
    out.append("\xFF\xD8", 2);
    out.append("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    // SOF3: length 11, precision 8, height, width, one component (id 1, sampling 1x1, table 0).
    out.append("\xFF\xC3\x00\x0B\x08", 5);
    out.append(hi(height)).append(lo(height)).append(hi(width)).append(lo(width));
    out.append("\x01\x01\x11\x00", 4);
    // SOS: one component, predictor 1, point transform 0.
    out.append("\xFF\xDA\x00\x08\x01\x01\x00\x01\x00\x00", 10);
    out.append("\x12\x34\x56\x78", 4);
    out.append("\xFF\xD9", 2);
    return out;
}

} // namespace vx::test
