#include "imaging/ScaledHeaderRead.h"

#include "imaging/JpegErrorManager.h"
#include "platform/Error.h"

#include <cstring>

namespace vx::jpeg {
namespace {

// The only frame that calls setjmp. It holds no object with a destructor, so libjpeg's longjmp back into
// it skips nothing that C++ would have to unwind; the caller cleans up after it returned.
bool readHeaderAtOneEighth(jpeg_decompress_struct *cinfo, ErrorManager *errors, jpeg_source_mgr *source,
                           JpegSize *size)
{
    if (setjmp(errors->landing))
        return false;
    jpeg_create_decompress(cinfo);
    cinfo->src = source;
    jpeg_read_header(cinfo, TRUE);
    cinfo->scale_num = 1;
    cinfo->scale_denom = 8;
    // Settings for a fast decode; they do not change the output dimensions.
    cinfo->dct_method = JDCT_IFAST;
    cinfo->dither_mode = JDITHER_ORDERED;
    cinfo->two_pass_quantize = FALSE;
    jpeg_calc_output_dimensions(cinfo);
    size->width = static_cast<int>(cinfo->output_width);
    size->height = static_cast<int>(cinfo->output_height);
    return true;
}

} // namespace

JpegSize readScaledHeader(jpeg_source_mgr &source)
{
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo); // jpeg_destroy_decompress is safe even if creation failed
    ErrorManager errors;
    cinfo.err = errors.install();
    JpegSize size;
    const bool ok = readHeaderAtOneEighth(&cinfo, &errors, &source, &size);
    jpeg_destroy_decompress(&cinfo);
    if (!ok)
        throw vx::Error(QStringLiteral("JPEG error #%1").arg(errors.messageCode));
    return size;
}

} // namespace vx::jpeg
