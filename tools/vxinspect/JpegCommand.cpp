// vxinspect jpeg FILE...: what each JPEG probe makes of each file, one tab-separated line per file:
// path, scaled size (libjpeg at 1/8), ReadJpegSizeFromFile, ReadJpegSizeFromStream over the whole file.
// Regression tests compare this output byte for byte; keep the format stable.
#include "tools/vxinspect/Commands.h"

#include "imaging/JpegMarkers.h"
#include "imaging/ScaledJpegSize.h"
#include "platform/Error.h"
#include "platform/FileOps.h"

#include <QFile>

#include <cstdio>

namespace {

QString sizeText(const vx::JpegSize &size) { return QStringLiteral("%1x%2").arg(size.width).arg(size.height); }

template <typename Probe>
QString probeText(Probe probe)
{
    try {
        return sizeText(probe());
    } catch (const vx::Error &e) {
        return QStringLiteral("error: ") + e.message();
    }
}

// Read through the open that refuses pipes and devices: a pipe would hold the tool for ever, and a link
// to /dev/zero would never end.
QString streamText(const std::filesystem::path &path)
{
    QFile file;
    QString reason;
    if (!vx::files::openForReading(file, path, reason))
        return QStringLiteral("none");
    const QByteArray bytes = file.readAll();
    int width = 0, height = 0;
    if (!vx::ReadJpegSizeFromStream(bytes, width, height))
        return QStringLiteral("none");
    return sizeText({width, height});
}

int jpegCommand(const QStringList &args)
{
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: vxinspect jpeg FILE...\n");
        return 2;
    }
    vx::ScaledJpegDecoder decoder;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const std::filesystem::path path = vxinspect::argumentPath(args, i);
        const QString line = QStringList{args[i], probeText([&] { return decoder.sizeOfFile(path); }),
                                         probeText([&] { return vx::ReadJpegSizeFromFile(path); }), streamText(path)}
                                 .join(QLatin1Char('\t'));
        std::fputs(line.toUtf8().constData(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}

const vxinspect::CommandRegistration registration("jpeg", "FILE...", &jpegCommand);

} // namespace
