// The frame-marker readers: the byte-wise file scan with its thumbnail rule, and the segment walk over a
// buffer; and all three readers against each other.
#include "imaging/BlockedByteReader.h"
#include "imaging/ByteSource.h"
#include "imaging/FrameMarkerScan.h"
#include "imaging/JpegMarkers.h"
#include "imaging/ScaledJpegSize.h"
#include "platform/Error.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/SourcePaths.h"
#include "tests/support/SystemTexts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using vx::JpegSize;
using vx::test::JpegOptions;

Q_DECLARE_METATYPE(vx::test::JpegOptions)

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(text); } // spaces are skipped

// A frame header's first 9 bytes: marker, length 17, precision 8, height, width.
QByteArray frame(int code, int width, int height)
{
    QByteArray out;
    out.append(char(0xFF)).append(char(code)).append(char(0)).append(char(17)).append(char(8));
    out.append(char(height >> 8)).append(char(height & 0xFF)).append(char(width >> 8)).append(char(width & 0xFF));
    return out;
}

QString text(const JpegSize &s) { return QStringLiteral("%1x%2").arg(s.width).arg(s.height); }

// bytes with data written at offset (zero-filled up to it).
QByteArray place(QByteArray bytes, qsizetype offset, const QByteArray &data)
{
    if (bytes.size() < offset + data.size())
        bytes.resize(offset + data.size(), '\0');
    bytes.replace(offset, data.size(), data);
    return bytes;
}

QString readFile(const QString &path)
{
    try {
        return text(vx::ReadJpegSizeFromFile(path));
    } catch (const vx::Error &e) {
        return QStringLiteral("error: ") + e.message();
    }
}

// Bytes in memory whose reads fail from offset failAt on, like a disk with a bad sector.
class FailingSource final : public vx::jpeg::ByteSource {
public:
    FailingSource(const QByteArray &bytes, qint64 failAt) : inner_(bytes), failAt_(failAt) {}
    qint64 size() const override { return inner_.size(); }
    qint64 readAt(qint64 offset, char *target, qint64 count) override
    {
        if (offset + count > failAt_)
            return -1;
        return inner_.readAt(offset, target, count);
    }

private:
    vx::jpeg::MemoryByteSource inner_;
    qint64 failAt_;
};

JpegOptions opts(bool progressive, bool thumbnail, int padding)
{
    JpegOptions o;
    o.progressive = progressive;
    o.exifThumbnail = thumbnail;
    o.app1Padding = padding;
    return o;
}

} // namespace

class JpegMarkersTest : public QObject {
    Q_OBJECT

private slots:
    void fileReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected"); // "WxH", or "end" for the read past the end
        QTest::newRow("baseline 4000x3000") << vx::test::makeJpeg(4000, 3000) << "4000x3000";
        QTest::newRow("progressive SOF2") << vx::test::makeJpeg(1024, 768, opts(true, false, 0)) << "1024x768";
        // Two SOI before the thumbnail's scan: the second frame header is the main image's.
        QTest::newRow("camera thumbnail") << vx::test::makeJpeg(3000, 2000, opts(false, true, 0)) << "3000x2000";
        // SOF3 is no frame marker here: offsets 2-5 are read, the APP0 marker and its length 16.
        QTest::newRow("only SOF3") << vx::test::makeLosslessJpegHeader(640, 480) << "16x65504";
        QTest::newRow("six bytes SOI APP0") << hex("ffd8 ffe0 0010") << "16x65504";
        QTest::newRow("APP1 first, no frame") << place(hex("ffd8 ffe1 1234"), 24, {}) << "4660x65505";
        QTest::newRow("empty") << QByteArray() << "end";
        QTest::newRow("five bytes") << hex("ffd8 ffe0 00") << "end";
        // The last byte of the width is the file's last byte.
        QTest::newRow("frame 9 bytes from the end") << hex("ffd8 000000 ffc0 0011 08 0102 0304") << "772x258";
        QTest::newRow("frame in the last 8 bytes") << hex("ffd8 000000 ffc0 0011 08 0102 03") << "end";
        // Only bytes with 8 or more behind them are read: this marker is never seen.
        QTest::newRow("frame in the last 7 bytes") << hex("ffd8 000000 ffc0 0011 08 01") << "255x0";
        QTest::newRow("no SOI: last frame") << frame(0xC0, 10, 20) + frame(0xC1, 30, 40) + QByteArray(8, 0) << "30x40";
        QTest::newRow("three SOI, two frames: last")
            << hex("ffd8 ffd8 ffd8") + frame(0xC0, 1, 2) + frame(0xC2, 3, 4) + hex("ffda") + QByteArray(8, 0) << "3x4";
        QTest::newRow("SOI after the first scan not counted")
            << hex("ffd8") + frame(0xC0, 5, 6) + hex("ffda ffd8") + frame(0xC0, 7, 8) + QByteArray(8, 0) << "5x6";
        // A code byte 0xFF is consumed as the code: the C0 behind it is a plain byte.
        QTest::newRow("0xFF as code byte") << hex("ffd8 ffff") + frame(0xC0, 9, 9).mid(1) + frame(0xC2, 32, 16)
                                                  + QByteArray(8, 0)
                                           << "32x16";
        // Marker-like pairs in metadata count: an "SOI" inside APP1 raises the count, the frame wanted
        // is then the second one, here a pair inside the scan data.
        QTest::newRow("SOI-like pair in metadata")
            << hex("ffd8 ffe1 0008 00ffd8000000") + frame(0xC0, 100, 50) + hex("ffda 0008 0000000000 12")
                   + frame(0xC1, 200, 75) + QByteArray(8, 0)
            << "200x75";
        QTest::newRow("marker across a block boundary")
            << place(hex("ffd8"), 16383, frame(0xC0, 1234, 567) + QByteArray(8, 0)) << "1234x567";
        QTest::newRow("code at a block's first byte")
            << place(hex("ffd8"), 16384 * 3 - 1, frame(0xC0, 1, 7) + QByteArray(8, 0)) << "1x7";
        // Second SOI at 10, the scan at 300000: the wanted frame lies past the kept first blocks.
        QByteArray far = place(hex("ffd8"), 10, hex("ffd8"));
        far = place(far, 200000, frame(0xC0, 11, 12));
        far = place(far, 270000, frame(0xC0, 13, 14));
        far = place(far, 300000, hex("ffda") + QByteArray(100, 0));
        QTest::newRow("wanted frame past the kept prefix") << far << "13x14";
    }

    void fileReader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("photo.jpg");
        QVERIFY(vx::test::writeBytes(path, bytes));
        const QString endError = QStringLiteral("error: Unexpected end of file \"%1\".").arg(QDir::toNativeSeparators(path));
        QCOMPARE(readFile(path), expected == "end" ? endError : expected);

        // The block-wise reading must keep the byte-wise rules at every block size and kept prefix.
        for (qint64 block : {1, 2, 5, 4096}) {
            for (qint64 later : {block, qint64(3), qint64(65536)}) {
                for (qint64 kept : {0, 3, 256 * 1024}) {
                    vx::jpeg::MemoryByteSource source(bytes);
                    vx::jpeg::BlockedByteReader reader(source, block, later, kept);
                    const std::optional<JpegSize> size = vx::jpeg::scanFrameMarkers(reader, source.size());
                    QCOMPARE(size ? text(*size) : QStringLiteral("end"), expected);
                }
            }
        }
    }

    void fileReaderOpenFailure()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("missing.jpg");
        QCOMPARE(readFile(missing), QStringLiteral("error: Cannot open file \"%1\". %2")
                                        .arg(QDir::toNativeSeparators(missing), vx::test::fileNotFoundText()));
        QVERIFY(readFile(dir.path()).startsWith(QStringLiteral("error: Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(dir.path()))));
    }

    // An ordinary photo with a 64 KiB EXIF block: the scan stops at the scan's start, the second walk reads
    // nothing again.
    void fileReaderReadsLittle()
    {
        const QByteArray jpeg = vx::test::makeJpeg(4000, 3000, opts(false, true, 65533));
        vx::jpeg::MemoryByteSource source(jpeg);
        vx::jpeg::BlockedByteReader reader(source);
        QCOMPARE(text(*vx::jpeg::scanFrameMarkers(reader, source.size())), QStringLiteral("4000x3000"));
        QVERIFY2(reader.bytesRead() <= 96 * 1024, qPrintable(QString::number(reader.bytesRead())));
    }

    // A failed read gives no size, unless the size was settled before the failing block was needed.
    void failedReads()
    {
        QByteArray bytes = place(hex("ffd8"), 10, frame(0xC0, 640, 480));
        bytes = place(bytes, 40000, QByteArray(8, 0));
        {
            FailingSource source(bytes, 16384);
            vx::jpeg::BlockedByteReader reader(source);
            QVERIFY(!vx::jpeg::scanFrameMarkers(reader, source.size())); // no SOS: the count runs into the failure
            QVERIFY(reader.failed());
        }
        bytes = place(bytes, 100, hex("ffda"));
        FailingSource source(bytes, 16384);
        vx::jpeg::BlockedByteReader reader(source);
        QCOMPARE(text(vx::jpeg::scanFrameMarkers(reader, source.size()).value()), QStringLiteral("640x480"));
    }

    void streamReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("stop"); // read position afterwards; -1: not checked
        const QByteArray tail(8, 0);
        QTest::newRow("8 bytes") << hex("ffd8 ffc0 0011 08 01") << false << "" << 0;
        QTest::newRow("frame behind SOI, 11 bytes") << hex("ffd8 ffc0 0011 08 0102 0304") << false << "" << 3;
        QTest::newRow("frame behind SOI, 12 bytes") << hex("ffd8 ffc0 0011 08 0102 0304 00") << true << "772x258" << 11;
        QTest::newRow("no SOI") << hex("ffd9") + frame(0xC0, 1, 1) + tail << false << "" << 2;
        QTest::newRow("byte that is no marker") << hex("ffd8 00") + frame(0xC0, 1, 1) + tail << false << "" << 3;
        QTest::newRow("fill bytes") << hex("ffd8 ffffff") + frame(0xC0, 64, 32).mid(1) + tail << true << "64x32" << 13;
        QTest::newRow("TEM and RST0-RST7") << hex("ffd8 ff01 ffd0 ffd7") + frame(0xC1, 5, 6) + tail << true << "5x6" << -1;
        QTest::newRow("EOI and SOI") << hex("ffd8 ffd9 ffd8") + frame(0xC2, 7, 8) + tail << true << "7x8" << -1;
        QTest::newRow("APP0 skipped by length") << hex("ffd8 ffe0 0004 ffc0") + frame(0xC0, 9, 10) + tail << true << "9x10" << -1;
        QTest::newRow("empty segment, length 2") << hex("ffd8 ffe0 0002") + frame(0xC0, 3, 4) + tail << true << "3x4" << -1;
        QTest::newRow("lossless SOF3") << vx::test::makeLosslessJpegHeader(640, 480) << true << "640x480" << 29;
        QTest::newRow("segment length 0") << hex("ffd8 ffe0 0000") + frame(0xC0, 1, 1) + tail << false << "" << -1;
        QTest::newRow("segment length 1") << hex("ffd8 ffe0 0001") + frame(0xC0, 1, 1) + tail << false << "" << -1;
        QTest::newRow("length past the end") << hex("ffd8 ffe1 ffff") + frame(0xC0, 1, 1) + tail << false << "" << 23;
        QTest::newRow("length to the end") << hex("ffd8 ffe1 0012") + QByteArray(16, 0) << false << "" << 22;
        QTest::newRow("frame in the last 8 bytes") << hex("ffd8 ffe0 0004 0000") + frame(0xC0, 1, 1).left(8) << false << "" << -1;
        QTest::newRow("endless fill run") << hex("ffd8") + QByteArray(1 << 20, '\xFF') << false << "" << -1;
        QTest::newRow("thumbnail skipped with its segment")
            << vx::test::makeJpeg(2048, 1536, opts(false, true, 70000)) << true << "2048x1536" << -1;
    }

    void streamReader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, found);
        QFETCH(QString, size);
        QFETCH(int, stop);
        int width = -7, height = -9;
        qsizetype position = -1;
        QCOMPARE(vx::ReadJpegSizeFromStream(bytes, width, height, &position), found);
        if (found)
            QCOMPARE(text({width, height}), size);
        else
            QVERIFY(width == -7 && height == -9); // untouched
        if (stop >= 0)
            QCOMPARE(position, qsizetype(stop));
        QVERIFY(position >= 0 && position <= bytes.size());
    }

    void readersAgree_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<JpegOptions>("options");
        for (auto [w, h] : {std::pair{4000, 3000}, {4001, 3001}, {1001, 1007}, {1, 1}, {65500, 8}, {9, 4097}})
            QTest::addRow("%dx%d", w, h) << w << h << JpegOptions{};
        QTest::newRow("progressive") << 777 << 555 << opts(true, false, 0);
        QTest::newRow("thumbnail") << 1600 << 1200 << opts(false, true, 0);
        QTest::newRow("thumbnail, progressive, padding") << 1200 << 1600 << opts(true, true, 65533 * 2);
    }

    // On every fixture the three readers tell the same size (the scaled one at 1/8).
    void readersAgree()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(JpegOptions, options);
        const QByteArray jpeg = vx::test::makeJpeg(width, height, options);
        QTemporaryDir dir;
        const QString path = dir.filePath("x.jpg");
        QVERIFY(vx::test::writeBytes(path, jpeg));
        int w = 0, h = 0;
        QVERIFY(vx::ReadJpegSizeFromStream(jpeg, w, h));
        QCOMPARE((JpegSize{w, h}), (JpegSize{width, height}));
        QCOMPARE(vx::ReadJpegSizeFromFile(path), (JpegSize{w, h}));
        QCOMPARE(vx::ScaledJpegSize(jpeg), (JpegSize{(w + 7) / 8, (h + 7) / 8}));
    }

    void testdataPhotos_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("fromFile");
        QTest::addColumn<QString>("fromStream");
        const QString dir = vx::test::testDataPath("jpeg/");
        QTest::newRow("Canon_40D") << dir + "Canon_40D.jpg" << "100x68" << "100x68";
        QTest::newRow("DSCN0010") << dir + "gps-DSCN0010.jpg" << "640x480" << "640x480";
        QTest::newRow("orientation-portrait_6") << dir + "orientation-portrait_6.jpg" << "600x450" << "600x450";
        QTest::newRow("invalid-image01137") << dir + "invalid-image01137.jpg" << "88x64" << "88x64";
        QTest::newRow("corrupted") << dir + "corrupted.jpg" << "3648x2736" << "3648x2736";
        // The maker note holds a byte pair FF D8, so the byte-wise count finds 2 images before the first
        // scan and takes the second frame header, the thumbnail's (the main frame is the third). The walk
        // that follows segment lengths finds the main frame.
        QTest::newRow("nikon-e950") << dir + "exif-org-nikon-e950.jpg" << "112x84" << "800x600";
    }

    void testdataPhotos()
    {
        QFETCH(QString, path);
        QFETCH(QString, fromFile);
        QFETCH(QString, fromStream);
        QCOMPARE(readFile(path), fromFile);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        int w = 0, h = 0;
        QVERIFY(vx::ReadJpegSizeFromStream(file.readAll(), w, h));
        QCOMPARE(text({w, h}), fromStream);
    }
};

QTEST_GUILESS_MAIN(JpegMarkersTest)
#include "tst_jpeg_markers.moc"
