// The probes of the JPEG benchmark over a list of photos, one process for all, like the peers.
// Usage: jpeg_bench_probe scaled|markers|bytes LIST
//   scaled:  the scaled probe of the example runs on each photo, prints "W H" (the scaled size)
//   markers: ReadJpegSizeFromFile on each photo, prints "W H"
//   bytes:   both readers again, each through a source that counts the file bytes handed to it; prints
//            "W H SW SH MARKER_BYTES SCALED_BYTES" per photo, so the script can check that the counted
//            readers saw what the timed ones saw
#include "imaging/ByteSource.h"
#include "imaging/JpegMarkers.h"
#include "imaging/Probes.h"
#include "imaging/ScaledJpegSize.h"
#include "platform/Error.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"
#include "platform/os/File.h"

#include <QFile>
#include <QStringList>

#include <cstdio>
#include <string>

namespace {

// The file bytes the marker scan asks for.
class CountingByteSource final : public vx::jpeg::ByteSource {
public:
    explicit CountingByteSource(vx::jpeg::ByteSource &inner) : inner_(inner) {}
    qint64 size() const override { return inner_.size(); }
    qint64 readAt(qint64 offset, char *target, qint64 count) override
    {
        const qint64 got = inner_.readAt(offset, target, count);
        if (got > 0)
            bytes += got;
        return got;
    }
    qint64 bytes = 0;

private:
    vx::jpeg::ByteSource &inner_;
};

// The file bytes libjpeg's source pulls through the scaled probe; unbuffered, so nothing is read ahead
// on the probe's behalf. Seeks (libjpeg skipping a segment) pass through uncounted, as they read nothing.
class CountingDevice final : public QIODevice {
public:
    explicit CountingDevice(QIODevice &inner) : inner_(inner) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return inner_.isSequential(); }
    qint64 size() const override { return inner_.size(); }
    bool seek(qint64 position) override { return QIODevice::seek(position) && inner_.seek(position); }
    qint64 bytes = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 got = inner_.read(data, maxSize);
        if (got > 0)
            bytes += got;
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &inner_;
};

// The marker reader and the scaled probe as the product runs them, each over a counting source.
bool measureBytes(const QString &path)
{
    vx::os::File markerFile;
    vx::files::openForReading(markerFile, vx::nativePath(path));
    vx::jpeg::FileByteSource markerSource(markerFile);
    CountingByteSource markerCount(markerSource);
    const vx::JpegSize size = vx::ReadJpegSizeFromSource(markerCount, vx::nativePath(path));

    QFile scaledFile;
    vx::files::openForReading(scaledFile, path);
    CountingDevice scaledCount(scaledFile);
    vx::ScaledJpegDecoder decoder;
    const vx::JpegSize scaled = decoder.sizeOfDevice(scaledCount);
    // The decoder keeps its own count of what it read: the two must agree, or one of them lies.
    if (decoder.bytesRead() != std::uint64_t(scaledCount.bytes)) {
        std::fprintf(stderr, "%s: the decoder counted %llu bytes, its source handed over %lld\n", qPrintable(path),
                     static_cast<unsigned long long>(decoder.bytesRead()), static_cast<long long>(scaledCount.bytes));
        return false;
    }
    std::printf("%d %d %d %d %lld %lld\n", size.width, size.height, scaled.width, scaled.height,
                static_cast<long long>(markerCount.bytes), static_cast<long long>(scaledCount.bytes));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: jpeg_bench_probe scaled|markers|bytes LIST\n");
        return 2;
    }
    const std::string mode = argv[1];
    QFile list(QString::fromLocal8Bit(argv[2]));
    if (!list.open(QIODevice::ReadOnly))
        return 1;
    const QStringList paths = QString::fromLocal8Bit(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    try {
        for (const QString &path : paths) {
            if (mode == "scaled") {
                vx::ProbeScaledJpegSize(path);
                std::printf("%d %d\n", vx::ProbeWidth, vx::ProbeHeight);
            } else if (mode == "markers") {
                const vx::JpegSize size = vx::ReadJpegSizeFromFile(path);
                std::printf("%d %d\n", size.width, size.height);
            } else if (mode == "bytes") {
                if (!measureBytes(path))
                    return 1;
            } else {
                return 2;
            }
        }
    } catch (const vx::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
