#include "imaging/JpegMemorySource.h"

#include "imaging/JpegEndOfImage.h"

#include <jerror.h>

namespace vx::jpeg {
namespace {

MemorySource *self(j_decompress_ptr cinfo) { return reinterpret_cast<MemorySource *>(cinfo->src); }

void initSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo)
{
    MemorySource *source = self(cinfo);
    if (!source->delivered && source->size > 0) {
        source->delivered = true;
        source->base.next_input_byte = source->data;
        source->base.bytes_in_buffer = source->size;
        return TRUE;
    }
    if (!source->delivered)
        ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source->base.next_input_byte = kEndOfImage;
    source->base.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count)
{
    MemorySource *source = self(cinfo);
    if (count <= 0)
        return;
    if (static_cast<unsigned long>(count) <= source->base.bytes_in_buffer) {
        source->base.next_input_byte += count;
        source->base.bytes_in_buffer -= static_cast<std::size_t>(count);
        return;
    }
    // A segment length that runs past the data: the data are used up, the next fill ends the image.
    source->delivered = true;
    source->base.bytes_in_buffer = 0;
}

void termSource(j_decompress_ptr) {}

} // namespace

MemorySource::MemorySource(const void *bytes, std::size_t count)
    : data(static_cast<const JOCTET *>(bytes)), size(count)
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
