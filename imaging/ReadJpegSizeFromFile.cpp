#include "imaging/BlockedByteReader.h"
#include "imaging/ByteSource.h"
#include "imaging/FrameMarkerScan.h"
#include "imaging/JpegMarkers.h"
#include "platform/Error.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"

#include "platform/os/File.h"

namespace vx {

JpegSize ReadJpegSizeFromFile(const QString &path) { return ReadJpegSizeFromFile(nativePath(path)); }

JpegSize ReadJpegSizeFromFile(const std::filesystem::path &path)
{
    os::File file;
    files::openForReading(file, path);
    jpeg::FileByteSource source(file);
    return ReadJpegSizeFromSource(source, path);
}

JpegSize ReadJpegSizeFromSource(jpeg::ByteSource &source, const std::filesystem::path &path)
{
    // The runs probe photo after photo on one thread: their blocks are allocated once.
    thread_local jpeg::BlockedByteReader::Storage storage;
    jpeg::BlockedByteReader bytes(source, jpeg::BlockedByteReader::kDefaultFirstBlock,
                                  jpeg::BlockedByteReader::kDefaultLaterBlock, jpeg::BlockedByteReader::kDefaultKept,
                                  &storage);
    const std::optional<JpegSize> size = jpeg::scanFrameMarkers(bytes, source.size());
    if (!size)
        // The values behind a frame marker at the very end of the file would be garbage; the technical
        // data skip this photo like one they cannot open.
        throw vx::Error(QStringLiteral("Unexpected end of file \"%1\".").arg(shownText(path)));
    return *size;
}

} // namespace vx
