// Writes the photo sets of the JPEG probe and report benchmarks: COUNT camera-like photos of 2 to 12
// megapixels, landscape and portrait. Each carries an EXIF segment whose IFD1 holds a 160x120 thumbnail
// (a complete JPEG in front of the main frame header, as cameras write it) and a 64 KiB metadata segment
// whose payload holds runs of 0xFF bytes (maker notes and -1 fields are full of them), so that a reader
// which scans bytes rather than following segment lengths meets both. Each size is encoded once; the
// copies differ in a counter patched into the metadata payload.
//
// With FOLDERS > 1 the photos are spread over that many sub-folders in runs, as a release's sets are.
// With BROKEN_EVERY > 0 every BROKEN_EVERY-th photo is damaged as users' photos are, in turn: an empty
// file, a file cut inside its metadata (before any frame header), a PNG named ".jpg", and a file cut in
// its scan data (whose header is whole, so it is not broken for a header test).
// Usage: jpeg_bench_generate FOLDER COUNT [FOLDERS [BROKEN_EVERY]]   (prints the paths, one per line)
#include "tests/support/JpegFixtures.h"

#include <QCoreApplication>
#include <QDir>

#include <zlib.h>

#include <cstdio>
#include <vector>

namespace {

struct PhotoSize {
    int width;
    int height;
};

const std::vector<PhotoSize> kSizes = {
    {1632, 1224}, {2048, 1536}, {1536, 2048}, {2592, 1944}, {3000, 2000},
    {2448, 3264}, {3264, 2448}, {3456, 2304}, {3648, 2736}, {4000, 3000},
};

enum class Damage { None, Empty, CutInMetadata, PngNamedJpeg, CutInScan };

QByteArray be32(quint32 v)
{
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(b, 4);
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray typed = QByteArray(type, 4) + data;
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size())));
    return be32(quint32(data.size())) + typed + be32(crc);
}

// A valid 2x2 grey PNG: what a user's screenshot saved under a ".jpg" name looks like to a reader.
QByteArray smallPng()
{
    const QByteArray header = be32(2) + be32(2) + QByteArray("\x08\x00\x00\x00\x00", 5); // 8-bit grey
    const QByteArray rows("\x00\x80\x80\x00\x80\x80", 6); // filter byte, two pixels, per row
    uLongf packedSize = compressBound(uLong(rows.size()));
    QByteArray packed(qsizetype(packedSize), '\0');
    compress(reinterpret_cast<Bytef *>(packed.data()), &packedSize, reinterpret_cast<const Bytef *>(rows.constData()),
             uLong(rows.size()));
    packed.truncate(qsizetype(packedSize));
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", packed)
        + pngChunk("IEND", {});
}

// The metadata segment's payload (behind its "Exif\0\0"): the photo's number, then 0xFF runs.
void stampMetadata(QByteArray &photo, int number)
{
    const qsizetype segment = photo.indexOf(QByteArray("\xFF\xE1\xFF\xFF", 4)); // the full-length APP1
    const qsizetype payload = segment + 4;
    photo.replace(payload + 6, 8, QByteArray::number(number).rightJustified(8, '0'));
    for (qsizetype at = payload + 64; at + 8 < payload + 65533; at += 509)
        photo.replace(at, 6, QByteArray("\xFF\xFF\xFF\xFF\xFF\x00", 6));
}

QByteArray damaged(const QByteArray &photo, Damage damage)
{
    switch (damage) {
    case Damage::None:
        return photo;
    case Damage::Empty:
        return {};
    case Damage::CutInMetadata:
        return photo.left(40); // SOI and the start of the EXIF segment
    case Damage::PngNamedJpeg:
        return smallPng();
    case Damage::CutInScan: {
        const qsizetype scan = photo.lastIndexOf(QByteArray("\xFF\xDA", 2));
        return photo.left(scan + (photo.size() - scan) / 2);
    }
    }
    return photo;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: jpeg_bench_generate FOLDER COUNT [FOLDERS [BROKEN_EVERY]]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);
    const int folders = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    const int brokenEvery = argc > 4 ? std::atoi(argv[4]) : 0;
    std::vector<QByteArray> bases;
    vx::test::JpegOptions options;
    options.quality = 10;
    options.exifThumbnail = true;
    options.app1Padding = 65533; // one full-length metadata segment
    for (const PhotoSize &s : kSizes) {
        bases.push_back(vx::test::makeJpeg(s.width, s.height, options));
        if (bases.back().isEmpty())
            return 1;
    }
    for (int i = 0; i < count; ++i) {
        QByteArray photo = bases[std::size_t(i) % bases.size()];
        stampMetadata(photo, i);
        Damage damage = Damage::None;
        if (brokenEvery > 0 && i % brokenEvery == brokenEvery / 2)
            damage = Damage(1 + (i / brokenEvery) % 4);
        QDir target(folder);
        if (folders > 1)
            target.setPath(target.filePath(QStringLiteral("set%1").arg(qint64(i) * folders / count, 3, 10, QLatin1Char('0'))));
        QDir().mkpath(target.path());
        const QString path = target.filePath(QStringLiteral("photo%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        if (!vx::test::writeBytes(path, damaged(photo, damage)))
            return 1;
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
