// The scaled probes: libjpeg's header read at 1/8 scale over memory and streamed from files, the error
// texts, and the program-wide results.
#include "imaging/Probes.h"
#include "imaging/ScaledJpegSize.h"
#include "platform/Error.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/SourcePaths.h"
#include "tests/support/SystemTexts.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include <jpeglib.h>
#include <jerror.h>

using vx::JpegSize;
using vx::test::JpegOptions;

Q_DECLARE_METATYPE(vx::test::JpegOptions)

namespace {

QString jpegError(int code) { return QStringLiteral("JPEG error #%1").arg(code); }

// The message of the failure, or an empty string on success (size then holds the result).
struct Outcome {
    QString message;
    JpegSize size;
};

Outcome outcome(auto probe)
{
    try {
        return {QString(), probe()};
    } catch (const vx::Error &e) {
        return {e.message(), JpegSize{}};
    }
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Offset of the first SOS marker and of the byte behind its segment (the header's end).
std::pair<qsizetype, qsizetype> scanHeaderBounds(const QByteArray &jpeg)
{
    const qsizetype sos = jpeg.indexOf("\xFF\xDA");
    const int length = (uchar(jpeg[sos + 2]) << 8) | uchar(jpeg[sos + 3]);
    return {sos, sos + 2 + length};
}

// Delivers the first good bytes, then fails every read, like a disk with a bad sector.
class FailingDevice final : public QIODevice {
public:
    FailingDevice(const QByteArray &bytes, qint64 good) : bytes_(bytes), good_(good) { open(ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (delivered_ >= good_) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = std::min(max, good_ - delivered_);
        std::memcpy(data, bytes_.constData() + delivered_, size_t(n));
        delivered_ += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 good_;
    qint64 delivered_ = 0;
};

JpegOptions opts(bool progressive, bool thumbnail, int padding, bool gray = false)
{
    JpegOptions o;
    o.progressive = progressive;
    o.exifThumbnail = thumbnail;
    o.app1Padding = padding;
    o.grayscale = gray;
    return o;
}

} // namespace

class JpegScaledTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        vx::ProbeWidth = vx::ProbeHeight = vx::ArchiveImageWidth = vx::ArchiveImageHeight = 0;
    }

    void scaledSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<JpegOptions>("options");
        QTest::addColumn<int>("scaledWidth");
        QTest::addColumn<int>("scaledHeight");
        QTest::newRow("4000x3000") << 4000 << 3000 << JpegOptions{} << 500 << 375;
        QTest::newRow("4001x3001 rounds up") << 4001 << 3001 << JpegOptions{} << 501 << 376;
        QTest::newRow("1001x1007 equal when scaled") << 1001 << 1007 << JpegOptions{} << 126 << 126;
        QTest::newRow("progressive portrait") << 1080 << 1920 << opts(true, false, 0) << 135 << 240;
        QTest::newRow("camera-like with thumbnail") << 3000 << 2000 << opts(false, true, 0) << 375 << 250;
        QTest::newRow("64 KiB APP1 in front") << 2000 << 1500 << opts(false, false, 65533) << 250 << 188;
        QTest::newRow("two APP1 segments and thumbnail") << 640 << 480 << opts(true, true, 100000) << 80 << 60;
        QTest::newRow("grayscale 17x9") << 17 << 9 << opts(false, false, 0, true) << 3 << 2;
        QTest::newRow("1x1") << 1 << 1 << JpegOptions{} << 1 << 1;
    }

    // Every way into the probe gives the same size: data in memory, the file streamed in pages, a device
    // streamed one byte at a time, and both program-wide probes.
    void scaledSize()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(JpegOptions, options);
        QFETCH(int, scaledWidth);
        QFETCH(int, scaledHeight);
        const QByteArray jpeg = vx::test::makeJpeg(width, height, options);
        QVERIFY(!jpeg.isEmpty());
        const JpegSize expected{scaledWidth, scaledHeight};

        QCOMPARE(vx::ScaledJpegSize(jpeg), expected);

        QTemporaryDir dir;
        const QString path = dir.filePath("photo.jpg");
        QVERIFY(vx::test::writeBytes(path, jpeg));
        vx::ScaledJpegDecoder decoder;
        QCOMPARE(decoder.sizeOfFile(path), expected);

        for (int piece : {1, 7, 65536}) {
            QBuffer device;
            device.setData(jpeg);
            QVERIFY(device.open(QIODevice::ReadOnly));
            QCOMPARE(decoder.sizeOfDevice(device, piece), expected);
        }

        vx::ProbeScaledJpegSize(path);
        QCOMPARE((JpegSize{vx::ProbeWidth, vx::ProbeHeight}), expected);

        // An archive entry unpacked behind other bytes: only the bytes from the read position count.
        const QByteArray buffer = QByteArray("leading bytes") + jpeg;
        vx::ProbeScaledJpegData(buffer, 13);
        QCOMPARE((JpegSize{vx::ArchiveImageWidth, vx::ArchiveImageHeight}), expected);
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        const QByteArray jpeg = vx::test::makeJpeg(64, 48);
        const auto [sos, headerEnd] = scanHeaderBounds(jpeg);
        Q_UNUSED(headerEnd);
        const qsizetype sof = jpeg.indexOf("\xFF\xC0");
        const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000100000001008020000");
        QByteArray zeroHeight = jpeg;
        zeroHeight[sof + 5] = 0; // number of lines, big-endian
        zeroHeight[sof + 6] = 0;
        QByteArray padded = vx::test::makeJpeg(64, 48, opts(false, false, 65533));

        QTest::newRow("empty") << QByteArray() << jpegError(JERR_INPUT_EMPTY);
        QTest::newRow("one byte") << QByteArray("\xFF", 1) << jpegError(JERR_NO_SOI);
        QTest::newRow("PNG named .jpg") << png << jpegError(JERR_NO_SOI);
        QTest::newRow("SOI only") << QByteArray("\xFF\xD8", 2) << jpegError(JERR_NO_IMAGE);
        QTest::newRow("SOI and EOI") << QByteArray("\xFF\xD8\xFF\xD9", 4) << jpegError(JERR_NO_IMAGE);
        QTest::newRow("cut in front of SOS") << jpeg.left(sos) << jpegError(JERR_SOF_NO_SOS);
        QTest::newRow("cut inside a 64 KiB APP1") << padded.left(30000) << jpegError(JERR_NO_IMAGE);
        QTest::newRow("lossless SOF3") << vx::test::makeLosslessJpegHeader(16, 16)
                                       << jpegError(JERR_SOF_UNSUPPORTED);
        QTest::newRow("frame of height 0") << zeroHeight << jpegError(JERR_EMPTY_IMAGE);
        QTest::newRow("endless fill bytes after SOI")
            << QByteArray("\xFF\xD8", 2) + QByteArray(1 << 20, '\xFF') << jpegError(JERR_NO_IMAGE);
    }

    // Failures carry libjpeg's code, the same whether the data come from memory or a stream.
    void failures()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        QCOMPARE(outcome([&] { return vx::ScaledJpegSize(data); }).message, message);
        QBuffer device;
        device.setData(data);
        QVERIFY(device.open(QIODevice::ReadOnly));
        vx::ScaledJpegDecoder decoder;
        QCOMPARE(outcome([&] { return decoder.sizeOfDevice(device, 3); }).message, message);

        // A failed probe writes nothing: the previous values stay.
        vx::ArchiveImageWidth = 11;
        vx::ArchiveImageHeight = 22;
        QCOMPARE(outcome([&] { vx::ProbeScaledJpegData(data); return JpegSize{}; }).message, message);
        QCOMPARE(vx::ArchiveImageWidth, 11);
        QCOMPARE(vx::ArchiveImageHeight, 22);
    }

    // Cut at every offset: before the first scan the header is unreadable; once the scan's header is in,
    // damage behind it is invisible and the size is right.
    void everyTruncation()
    {
        // No thumbnail: its own SOS would be the first one found.
        const QByteArray jpeg = vx::test::makeJpeg(333, 222, opts(false, false, 3000));
        const auto [sos, headerEnd] = scanHeaderBounds(jpeg);
        for (qsizetype cut = 0; cut <= jpeg.size(); ++cut) {
            const auto [message, size] = outcome([&] { return vx::ScaledJpegSize(jpeg.left(cut)); });
            if (cut < sos)
                QVERIFY2(message.startsWith("JPEG error #"), qPrintable(QString::number(cut)));
            else if (cut >= headerEnd)
                QVERIFY2(message.isEmpty() && size == (JpegSize{42, 28}), qPrintable(QString::number(cut)));
        }
    }

    void testdataPhotos_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("scaledWidth");
        QTest::addColumn<int>("scaledHeight");
        const QString dir = vx::test::testDataPath("jpeg/");
        QTest::newRow("Canon_40D 100x68") << dir + "Canon_40D.jpg" << 13 << 9;
        QTest::newRow("nikon-e950 800x600") << dir + "exif-org-nikon-e950.jpg" << 100 << 75;
        QTest::newRow("DSCN0010 640x480") << dir + "gps-DSCN0010.jpg" << 80 << 60;
        // Stored landscape with a quarter-turn tag: the tag is not consulted.
        QTest::newRow("orientation-portrait_6") << dir + "orientation-portrait_6.jpg" << 75 << 57;
        // Both damaged files keep a readable header; their damage lies in the scan data.
        QTest::newRow("invalid-image01137 88x64") << dir + "invalid-image01137.jpg" << 11 << 8;
        QTest::newRow("corrupted 3648x2736") << dir + "corrupted.jpg" << 456 << 342;
    }

    void testdataPhotos()
    {
        QFETCH(QString, path);
        QFETCH(int, scaledWidth);
        QFETCH(int, scaledHeight);
        const JpegSize expected{scaledWidth, scaledHeight};
        vx::ScaledJpegDecoder decoder;
        QCOMPARE(decoder.sizeOfFile(path), expected);
        QCOMPARE(vx::ScaledJpegSize(readAll(path)), expected);
        // Only the header is read, however large the photo.
        QVERIFY2(decoder.bytesRead() <= 64 * 1024, qPrintable(QString::number(decoder.bytesRead())));
    }

    // A probe reads the header only: an EXIF block in front of it is skipped by seeking, not read.
    void fileProbeReadsOnlyTheHeader()
    {
        QTemporaryDir dir;
        const QString big = dir.filePath("big.jpg");
        const QString small = dir.filePath("small.jpg");
        QVERIFY(vx::test::writeJpeg(big, 4000, 3000, opts(false, true, 65533)));
        QVERIFY(vx::test::writeJpeg(small, 30, 40));
        vx::ScaledJpegDecoder decoder; // one decoder serves many probes, each with its own result
        QCOMPARE(decoder.sizeOfFile(big), (JpegSize{500, 375}));
        const std::uint64_t afterBig = decoder.bytesRead();
        QVERIFY2(afterBig < 16 * 1024, qPrintable(QString::number(afterBig)));
        QCOMPARE(decoder.sizeOfFile(small), (JpegSize{4, 5}));
        QVERIFY(decoder.bytesRead() > afterBig);
    }

    void fileProbeOnMissingAndUnopenable()
    {
        QTemporaryDir dir;
        const QString photo = dir.filePath("gone.jpg");
        QVERIFY(vx::test::writeJpeg(photo, 80, 160));
        vx::ProbeScaledJpegSize(photo);
        QCOMPARE(vx::ProbeWidth, 10);
        QCOMPARE(vx::ProbeHeight, 20);
        QVERIFY(QFile::remove(photo));
        vx::ProbeScaledJpegSize(photo); // deleted since: nothing written, no error
        QCOMPARE(vx::ProbeWidth, 10);
        QCOMPARE(vx::ProbeHeight, 20);
        vx::ProbeScaledJpegSize(dir.path()); // a folder is no file either
        QCOMPARE(vx::ProbeWidth, 10);

        const QString message = outcome([&] { return vx::ScaledJpegDecoder().sizeOfFile(dir.path()); }).message;
        const QString prefix = QStringLiteral("Cannot open file \"%1\". ").arg(QDir::toNativeSeparators(dir.path()));
        QVERIFY2(message.startsWith(prefix) && message.size() > prefix.size(), qPrintable(message));
        QCOMPARE(outcome([&] { return vx::ScaledJpegDecoder().sizeOfFile(photo); }).message,
                 QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(photo), vx::test::fileNotFoundText()));

        // A broken photo fails the file probe and leaves the previous values.
        const QString broken = dir.filePath("broken.jpg");
        QVERIFY(vx::test::writeBytes(broken, QByteArray("\xFF\xD8\xFF\xE0", 4)));
        QCOMPARE(outcome([&] { vx::ProbeScaledJpegSize(broken); return JpegSize{}; }).message,
                 jpegError(JERR_NO_IMAGE));
        QCOMPARE(vx::ProbeWidth, 10);
        QCOMPARE(vx::ProbeHeight, 20);
    }

    // A failing disk is reported as such, not as a broken header; a failure behind the header is harmless.
    void deviceReadFailure()
    {
        const QByteArray jpeg = vx::test::makeJpeg(400, 300, opts(false, false, 20000));
        FailingDevice early(jpeg, 10000);
        const QString message = outcome([&] { return vx::ScaledJpegDecoder().sizeOfDevice(early); }).message;
        QVERIFY2(message.startsWith("Cannot read file") && message.endsWith("Input/output error"), qPrintable(message));
        FailingDevice late(jpeg, jpeg.size() - 10);
        QCOMPARE(vx::ScaledJpegDecoder().sizeOfDevice(late), (JpegSize{50, 38}));
    }

    void readPositionOutsideTheBuffer()
    {
        const QByteArray jpeg = vx::test::makeJpeg(16, 8);
        QCOMPARE(outcome([&] { vx::ProbeScaledJpegData(jpeg, jpeg.size() + 5); return JpegSize{}; }).message,
                 jpegError(JERR_INPUT_EMPTY));
        vx::ProbeScaledJpegData(jpeg, -3);
        QCOMPARE((JpegSize{vx::ArchiveImageWidth, vx::ArchiveImageHeight}), (JpegSize{2, 1}));
    }
};

QTEST_GUILESS_MAIN(JpegScaledTest)
#include "tst_jpeg_scaled.moc"
