// Writes the photo set of the JPEG probe benchmark: COUNT photos of 2 to 12 megapixels, landscape and
// portrait, each with a 64 KiB EXIF-like APP1 segment in front of its frame header, as camera photos
// have. Each size is encoded once; the copies differ in a counter patched into the APP1 payload.
// Usage: jpeg_bench_generate FOLDER COUNT   (prints the paths written, one per line)
#include "tests/support/JpegFixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: jpeg_bench_generate FOLDER COUNT\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);
    QDir().mkpath(folder);
    std::vector<QByteArray> bases;
    vx::test::JpegOptions options;
    options.quality = 10;
    options.app1Padding = 65533; // one full-length APP1 segment
    for (const PhotoSize &s : kSizes) {
        bases.push_back(vx::test::makeJpeg(s.width, s.height, options));
        if (bases.back().isEmpty())
            return 1;
    }
    for (int i = 0; i < count; ++i) {
        QByteArray photo = bases[std::size_t(i) % bases.size()];
        const qsizetype app1 = photo.indexOf("\xFF\xE1");
        // Behind "Exif\0\0" in the payload: the photo's number, so that no two files are equal.
        const QByteArray stamp = QByteArray::number(i).rightJustified(8, '0');
        photo.replace(app1 + 4 + 6, stamp.size(), stamp);
        const QString path = QDir(folder).filePath(QStringLiteral("photo%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        if (!vx::test::writeBytes(path, photo))
            return 1;
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
