// Writes the archive page benchmark's release: ARCHIVES archives of ENTRIES small JPEG entries each,
// stored, in a folder per set inside the archive, with sizes spread so that the size texts order them in
// no simple way. A handful of photos is encoded once and padded to different lengths.
// Usage: archive_page_generate FOLDER ARCHIVES ENTRIES   (prints the archive paths, one per line)
#include "tests/support/JpegFixtures.h"
#include "tests/support/ZipWriter.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: archive_page_generate FOLDER ARCHIVES ENTRIES\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int archives = std::atoi(argv[2]);
    const int entries = std::atoi(argv[3]);
    QDir().mkpath(folder);

    std::vector<QByteArray> photos;
    for (const auto &[w, h] : std::vector<std::pair<int, int>>{{48, 32}, {32, 48}, {64, 48}, {48, 64}, {40, 40}, {80, 60}})
        photos.push_back(vx::test::makeJpeg(w, h));

    unsigned state = 20261209;
    for (int a = 0; a < archives; ++a) {
        vx::test::ZipWriter writer;
        for (int e = 0; e < entries; ++e) {
            state = state * 1103515245u + 12345u;
            const QByteArray &photo = photos[(state >> 8) % photos.size()];
            const int padding = int((state >> 16) % 1500);
            writer.addStored(QStringLiteral("set%1/IMG_%2.jpg").arg(a, 3, 10, QLatin1Char('0')).arg(e, 5, 10, QLatin1Char('0')).toUtf8(),
                             photo + QByteArray(padding, '\0'));
        }
        const QString path = QStringLiteral("%1/set%2.zip").arg(folder).arg(a, 3, 10, QLatin1Char('0'));
        if (!writer.writeTo(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
