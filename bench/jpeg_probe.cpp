// The probes of the JPEG benchmark over a list of photos, one process for all, like the peers.
// Usage: jpeg_bench_probe scaled|markers|bytes LIST
//   scaled:  ProbeScaledJpegSize on each photo, prints "W H" (the scaled size)
//   markers: ReadJpegSizeFromFile on each photo, prints "W H"
//   bytes:   prints "scaled BYTES" and "markers BYTES", the file bytes each probe read over all photos
#include "imaging/BlockedByteReader.h"
#include "imaging/ByteSource.h"
#include "imaging/FrameMarkerScan.h"
#include "imaging/JpegMarkers.h"
#include "imaging/Probes.h"
#include "imaging/ScaledJpegSize.h"
#include "platform/Error.h"

#include <QFile>
#include <QStringList>

#include <cstdio>
#include <string>

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
        if (mode == "scaled") {
            for (const QString &path : paths) {
                vx::ProbeScaledJpegSize(path);
                std::printf("%d %d\n", vx::ProbeWidth, vx::ProbeHeight);
            }
        } else if (mode == "markers") {
            for (const QString &path : paths) {
                const vx::JpegSize size = vx::ReadJpegSizeFromFile(path);
                std::printf("%d %d\n", size.width, size.height);
            }
        } else if (mode == "bytes") {
            vx::ScaledJpegDecoder decoder;
            std::uint64_t markers = 0;
            for (const QString &path : paths) {
                decoder.sizeOfFile(path);
                // The same reading as ReadJpegSizeFromFile, with its count of bytes.
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly))
                    return 1;
                vx::jpeg::FileByteSource source(file);
                vx::jpeg::BlockedByteReader bytes(source);
                vx::jpeg::scanFrameMarkers(bytes, source.size());
                markers += bytes.bytesRead();
            }
            std::printf("scaled %llu\nmarkers %llu\n", static_cast<unsigned long long>(decoder.bytesRead()),
                        static_cast<unsigned long long>(markers));
        } else {
            return 2;
        }
    } catch (const vx::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
