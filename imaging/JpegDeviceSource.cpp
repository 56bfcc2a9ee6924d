#include "imaging/JpegDeviceSource.h"

#include "imaging/JpegEndOfImage.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

#include <jerror.h>

namespace vx::jpeg {
namespace {

DeviceSource *self(j_decompress_ptr cinfo) { return reinterpret_cast<DeviceSource *>(cinfo->src); }

void initSource(j_decompress_ptr) {}

// Nothing with a destructor may be alive in this frame when ERREXIT jumps out of it.
boolean fillInputBuffer(j_decompress_ptr cinfo)
{
    DeviceSource *source = self(cinfo);
    const qint64 got = source->device->read(reinterpret_cast<char *>(source->buffer), source->piece);
    if (got > 0) {
        source->started = true;
        source->bytesRead += static_cast<std::uint64_t>(got);
        source->base.next_input_byte = source->buffer;
        source->base.bytes_in_buffer = static_cast<std::size_t>(got);
        return TRUE;
    }
    if (got < 0)
        source->readFailed = true;
    if (!source->started)
        ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    std::memcpy(source->buffer, kEndOfImage, sizeof kEndOfImage);
    source->base.next_input_byte = source->buffer;
    source->base.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count)
{
    DeviceSource *source = self(cinfo);
    if (count <= 0)
        return;
    if (static_cast<unsigned long>(count) <= source->base.bytes_in_buffer) {
        source->base.next_input_byte += count;
        source->base.bytes_in_buffer -= static_cast<std::size_t>(count);
        return;
    }
    qint64 remaining = count - static_cast<qint64>(source->base.bytes_in_buffer);
    source->base.bytes_in_buffer = 0;
    QIODevice *device = source->device;
    if (!device->isSequential()) {
        // Never seek past the end: the next read then finds the end and the image ends there.
        const qint64 target = std::min(device->pos() + remaining, device->size());
        if (!device->seek(target))
            source->readFailed = true;
        return;
    }
    char scratch[4096];
    while (remaining > 0) {
        const qint64 got = device->read(scratch, std::min<qint64>(remaining, sizeof scratch));
        if (got <= 0) {
            if (got < 0)
                source->readFailed = true;
            return;
        }
        source->bytesRead += static_cast<std::uint64_t>(got);
        remaining -= got;
    }
}

void termSource(j_decompress_ptr) {}

} // namespace

DeviceSource::DeviceSource(QIODevice &from, int pieceSize)
    : device(&from), piece(std::clamp(pieceSize, 1, kMaxPiece))
{
    base.next_input_byte = nullptr;
    base.bytes_in_buffer = 0;
    base.init_source = initSource;
    base.fill_input_buffer = fillInputBuffer;
    base.skip_input_data = skipInputData;
    base.resync_to_restart = jpeg_resync_to_restart;
    base.term_source = termSource;
}

} // namespace vx::jpeg
