#include "imaging/Probes.h"

#include "imaging/ScaledJpegSize.h"
#include "platform/Error.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"

#include <algorithm>

namespace vx {

int ProbeWidth = 0;
int ProbeHeight = 0;
int ArchiveImageWidth = 0;
int ArchiveImageHeight = 0;

void ProbeScaledJpegSize(const QString &path) { ProbeScaledJpegSize(nativePath(path)); }

void ProbeScaledJpegSize(const std::filesystem::path &path)
{
    // A photo deleted since the scan is not an error here; the caller's copy will fail on it. Asked
    // only once the probe failed: a status call per photo costs a run of thousands more than the test.
    JpegSize size;
    try {
        size = ScaledJpegDecoder().sizeOfFile(path);
    } catch (const vx::Error &) {
        if (!files::exists(path))
            return;
        throw;
    }
    ProbeWidth = size.width;
    ProbeHeight = size.height;
}

void ProbeScaledJpegData(const QByteArray &buffer, qsizetype readPosition)
{
    // A position outside the buffer leaves no data, which libjpeg reports as empty input.
    const qsizetype start = std::clamp<qsizetype>(readPosition, 0, buffer.size());
    const JpegSize size = ScaledJpegDecoder().sizeOfData(buffer.constData() + start,
                                                         static_cast<std::size_t>(buffer.size() - start));
    ArchiveImageWidth = size.width;
    ArchiveImageHeight = size.height;
}

} // namespace vx
