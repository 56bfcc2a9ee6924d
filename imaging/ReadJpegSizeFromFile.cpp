#include "imaging/BlockedByteReader.h"
#include "imaging/ByteSource.h"
#include "imaging/FrameMarkerScan.h"
#include "imaging/JpegMarkers.h"
#include "platform/Error.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"

#include <QDir>
#include <QFile>

namespace vx {

JpegSize ReadJpegSizeFromFile(const QString &path) { return ReadJpegSizeFromFile(nativePath(path)); }

JpegSize ReadJpegSizeFromFile(const std::filesystem::path &path)
{
    QFile file;
    files::openForReading(file, path);
    jpeg::FileByteSource source(file);
    return ReadJpegSizeFromSource(source, path);
}

JpegSize ReadJpegSizeFromSource(jpeg::ByteSource &source, const std::filesystem::path &path)
{
    jpeg::BlockedByteReader bytes(source);
    const std::optional<JpegSize> size = jpeg::scanFrameMarkers(bytes, source.size());
    if (!size)
        // The values behind a frame marker at the very end of the file would be garbage; the technical
        // data skip this photo like one they cannot open.
        throw vx::Error(QStringLiteral("Unexpected end of file \"%1\".").arg(shownText(path)));
    return *size;
}

} // namespace vx
