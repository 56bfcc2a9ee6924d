#pragma once
// One libjpeg header read at scale 1/8 over a data source: the size that a decode at one eighth of the full
// size would have (libjpeg's output dimensions, ceil(W/8) by ceil(H/8)). Nothing past the first scan's
// header is read and no pixel is decoded.

#include "imaging/JpegSize.h"

#include <cstdio>

#include <jpeglib.h>

namespace vx::jpeg {

// Throws vx::Error("JPEG error #%d") with libjpeg's message code when libjpeg cannot read the header
// (an image is required: reaching the end of the image before a scan is an error). The decompressor is
// destroyed before anything is thrown.
JpegSize readScaledHeader(jpeg_source_mgr &source);

} // namespace vx::jpeg
