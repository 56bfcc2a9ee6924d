// Writes the archive page benchmark's releases, in a folder per set, each archive holding a text file and
// a folder entry that are no photos beside its photos:
// - "photos": ARCHIVES archives of PHOTOS camera-like photos of 1 to 8 MB each;
// - "rows": with ROWS > 0 instead, each archive holds the same PHOTOS large photos as "photos" would
//   (same sizes, same bytes, same stored/deflated choice) plus ROWS - PHOTOS small photos of 20 to 70 KB
//   whose sizes' decimal texts sort between the large photos' (which start with 1 and with 7), so that
//   the two ends the technical data unpack are the same whatever ROWS is: two such releases differ in the
//   number of rows to list and order and in nothing else.
// A photo is a real JPEG header (an EXIF thumbnail in front of a frame header patched to a camera size)
// followed by random entropy-coded data (every 0xFF stuffed with 0x00, as an encoder writes it) and the
// EOI marker: incompressible, as users' photos are. Most entries are deflated (zlib's stored blocks,
// which is what a deflater writes for such data), a few stored; in turn the smallest or the largest
// photo is stored.
// Usage: archive_page_generate FOLDER ARCHIVES PHOTOS [ROWS]   (prints the archive paths, one per line)
#include "tests/support/JpegFixtures.h"
#include "tests/support/ZipWriter.h"

#include <QCoreApplication>
#include <QDir>

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// One archive's deterministic draws: the same archive number gives the same photos in both kinds.
class Draws {
public:
    explicit Draws(quint64 seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    quint64 next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    qint64 between(qint64 low, qint64 high) { return low + qint64(next() % quint64(high - low)); }

private:
    quint64 state_;
};

QByteArray cameraHead(int width, int height)
{
    vx::test::JpegOptions options;
    options.quality = 30;
    options.exifThumbnail = true;
    QByteArray jpeg = vx::test::makeJpeg(std::max(width / 8, 1), std::max(height / 8, 1), options);
    // The main frame header is the last SOF0 (the thumbnail's comes first): height and width behind its
    // length and precision.
    const qsizetype sof = jpeg.lastIndexOf(QByteArray("\xFF\xC0", 2));
    const char size[4] = {char(height >> 8), char(height), char(width >> 8), char(width)};
    jpeg.replace(sof + 5, 4, QByteArray(size, 4));
    // The tiny picture's own scan stays; random scan data follows it up to the photo's length.
    return jpeg.left(jpeg.size() - 2);
}

QByteArray photo(const QByteArray &head, qint64 size, Draws &draws)
{
    QByteArray bytes = head;
    const qint64 start = bytes.size();
    bytes.resize(size);
    char *p = bytes.data();
    for (qint64 i = start; i + 8 <= size - 2; i += 8) {
        const quint64 v = draws.next();
        std::memcpy(p + i, &v, 8);
    }
    for (qint64 i = start; i < size - 2; ++i)
        if (uchar(p[i]) == 0xFF)
            p[++i] = 0; // stuffed; at size - 2 the EOI's own 0xFF follows
    p[size - 2] = char(0xFF);
    p[size - 1] = char(0xD9);
    return bytes;
}

// Raw deflate at level 0: stored blocks, as zlib writes them for data it cannot shrink.
QByteArray deflateStoredBlocks(const QByteArray &data)
{
    z_stream z{};
    deflateInit2(&z, 0, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&z, uLong(data.size())) + 64), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.truncate(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}

void add(vx::test::ZipWriter &writer, const QByteArray &name, const QByteArray &bytes, bool stored)
{
    if (stored) {
        writer.addStored(name, bytes);
        return;
    }
    vx::test::ZipEntrySpec deflated;
    deflated.name = name;
    deflated.method = 8;
    deflated.payload = deflateStoredBlocks(bytes);
    deflated.crc = uint32_t(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
    deflated.uncompressedSize = quint64(bytes.size());
    writer.add(deflated);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: archive_page_generate FOLDER ARCHIVES PHOTOS [ROWS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int archives = std::atoi(argv[2]);
    const int photos = std::max(std::atoi(argv[3]), 2);
    const int rows = argc == 5 ? std::max(std::atoi(argv[4]), photos) : photos;
    QDir().mkpath(folder);

    std::vector<QByteArray> heads;
    for (const auto &[w, h] : std::vector<std::pair<int, int>>{
             {4000, 3000}, {3000, 4000}, {3264, 2448}, {2448, 3264}, {4608, 3456}, {2592, 1944}})
        heads.push_back(cameraHead(w, h));
    const QByteArray smallHead = cameraHead(640, 480);
    const QStringList endings = {QStringLiteral("jpg"), QStringLiteral("JPG"), QStringLiteral("jpeg")};

    for (int a = 0; a < archives; ++a) {
        Draws draws(quint64(a) + 1);
        Draws smallDraws(quint64(a) + 100001);
        const QString set = QStringLiteral("set%1").arg(a, 3, 10, QLatin1Char('0'));
        vx::test::ZipWriter writer;
        writer.addDirectory((set + QLatin1Char('/')).toUtf8());
        writer.addDeflated((set + QStringLiteral("/info.txt")).toUtf8(), QByteArray("camera set\n").repeated(20));
        const auto nameOf = [&](int e) {
            return QStringLiteral("%1/IMG_%2_%3.%4")
                .arg(set)
                .arg(a, 3, 10, QLatin1Char('0'))
                .arg(e, 5, 10, QLatin1Char('0'))
                .arg(endings[e % endings.size()])
                .toUtf8();
        };
        // The large photos are spread over the rows at the same places in every kind of archive.
        const int spacing = rows / photos;
        for (int e = 0, large = 0; e < rows; ++e) {
            if (e % spacing == 0 && large < photos) {
                // The one size text starting with 1 is the smallest, the one starting with 7 the largest.
                const qint64 size = large == 0   ? draws.between(1'000'000, 1'500'000)
                                    : large == 1 ? draws.between(7'500'000, 8'000'000)
                                                 : draws.between(2'000'000, 7'000'000);
                const QByteArray &head = heads[draws.next() % heads.size()];
                const bool stored = (large == 0 && a % 2 == 0) || (large == 1 && a % 2 == 1) || large == photos / 2;
                add(writer, nameOf(e), photo(head, size, draws), stored);
                ++large;
                continue;
            }
            add(writer, nameOf(e), photo(smallHead, smallDraws.between(20'000, 70'000), smallDraws), false);
        }
        const QString path = QStringLiteral("%1/%2.zip").arg(folder, set);
        if (!writer.writeTo(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
