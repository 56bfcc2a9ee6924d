// Writes the archive page benchmark's release: ARCHIVES archives of ENTRIES camera-like JPEG entries each
// (2 to 8 MB unpacked, each with an EXIF thumbnail in front of its frame header, sizes distinct within an
// archive), in a folder per set, plus a text file and a folder entry that are no photos. Most entries are
// deflated; a few per archive are stored, and in turn the smallest or the largest photo is among them,
// since those two are the ones the technical data unpack.
//
// A photo is a small encoded picture whose frame header is patched to a camera size, followed by zero
// filler up to its length: the unpacked sizes are a user's while the archives stay small. The filler is
// deflated once in flushed pieces of 1 MiB and 64 KiB that are strung together, so that thousands of
// multi-megabyte entries cost milliseconds.
// Usage: archive_page_generate FOLDER ARCHIVES ENTRIES   (prints the archive paths, one per line)
#include "tests/support/JpegFixtures.h"
#include "tests/support/ZipWriter.h"

#include <QCoreApplication>
#include <QDir>

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

constexpr qint64 kMinSize = 2'000'000;
constexpr qint64 kMaxSize = 8'000'000;

// Raw deflate of data from a fresh stream; flush Z_FULL_FLUSH leaves it open and byte-aligned with no
// reference to earlier bytes, so such pieces can be strung together and ended by a Z_FINISH piece.
QByteArray deflatePiece(const QByteArray &data, int flush)
{
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&z, uLong(data.size())) + 64), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, flush);
    out.truncate(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}

uLong crcOf(const QByteArray &data) { return crc32(0, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())); }

struct Piece {
    qint64 length;
    QByteArray packed;
    uLong crc;
};

struct Photo {
    QByteArray head; // everything but the closing EOI marker
    Piece packedHead;
};

Photo cameraPhoto(int width, int height)
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
    Photo photo;
    photo.head = jpeg.left(jpeg.size() - 2);
    photo.packedHead = {photo.head.size(), deflatePiece(photo.head, Z_FULL_FLUSH), crcOf(photo.head)};
    return photo;
}

class ZeroFiller {
public:
    ZeroFiller()
    {
        for (qint64 length : {qint64(1) << 20, qint64(1) << 16}) {
            const QByteArray zeros(length, '\0');
            pieces_.push_back({length, deflatePiece(zeros, Z_FULL_FLUSH), crcOf(zeros)});
        }
    }

    // The photo's head, `length` zeros and the EOI marker, deflated; crc receives the CRC-32 of it all.
    QByteArray deflated(const Photo &photo, qint64 length, uLong &crc) const
    {
        QByteArray out = photo.packedHead.packed;
        crc = photo.packedHead.crc;
        for (const Piece &piece : pieces_) {
            for (; length >= piece.length; length -= piece.length) {
                out += piece.packed;
                crc = crc32_combine(crc, piece.crc, z_off_t(piece.length));
            }
        }
        const QByteArray rest = QByteArray(length, '\0') + QByteArray("\xFF\xD9", 2);
        out += deflatePiece(rest, Z_FINISH);
        crc = crc32_combine(crc, crcOf(rest), z_off_t(rest.size()));
        return out;
    }

private:
    std::vector<Piece> pieces_;
};

} // namespace

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

    std::vector<Photo> photos;
    for (const auto &[w, h] : std::vector<std::pair<int, int>>{
             {4000, 3000}, {3000, 4000}, {3264, 2448}, {2448, 3264}, {4608, 3456}, {2592, 1944}})
        photos.push_back(cameraPhoto(w, h));
    const ZeroFiller filler;
    const QStringList endings = {QStringLiteral("jpg"), QStringLiteral("JPG"), QStringLiteral("jpeg")};

    unsigned state = 20261209;
    const auto next = [&state] { return state = state * 1103515245u + 12345u, state >> 4; };
    for (int a = 0; a < archives; ++a) {
        // Distinct sizes, so that the smallest and the largest photo are one entry each.
        std::vector<qint64> sizes;
        std::set<qint64> taken;
        while (int(sizes.size()) < entries) {
            const qint64 size = kMinSize + qint64((quint64(next()) << 12 ^ next()) % quint64(kMaxSize - kMinSize));
            if (taken.insert(size).second)
                sizes.push_back(size);
        }
        const qint64 smallest = *taken.begin();
        const qint64 largest = *taken.rbegin();
        const QString set = QStringLiteral("set%1").arg(a, 3, 10, QLatin1Char('0'));
        vx::test::ZipWriter writer;
        writer.addDirectory((set + QLatin1Char('/')).toUtf8());
        writer.addDeflated((set + QStringLiteral("/info.txt")).toUtf8(), QByteArray("camera set\n").repeated(20));
        for (int e = 0; e < entries; ++e) {
            const Photo &photo = photos[next() % photos.size()];
            const qint64 size = sizes[std::size_t(e)];
            const qint64 zeros = size - photo.head.size() - 2;
            const QByteArray name = QStringLiteral("%1/IMG_%2_%3.%4")
                                        .arg(set)
                                        .arg(a, 3, 10, QLatin1Char('0'))
                                        .arg(e, 5, 10, QLatin1Char('0'))
                                        .arg(endings[e % endings.size()])
                                        .toUtf8();
            const bool stored = (size == smallest && a % 2 == 0) || (size == largest && a % 2 == 1) || e == entries / 2;
            if (stored) {
                writer.addStored(name, photo.head + QByteArray(zeros, '\0') + QByteArray("\xFF\xD9", 2));
                continue;
            }
            uLong crc = 0;
            vx::test::ZipEntrySpec deflated;
            deflated.name = name;
            deflated.method = 8;
            deflated.payload = filler.deflated(photo, zeros, crc);
            deflated.crc = uint32_t(crc);
            deflated.uncompressedSize = quint64(size);
            writer.add(deflated);
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
