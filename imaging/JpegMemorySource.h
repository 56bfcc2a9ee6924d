#pragma once
// libjpeg data source over bytes held in memory. The bytes go to libjpeg in one piece; when they are used up
// the source hands over an end-of-image marker with a warning (so a photo cut off in its scan data still
// yields its header), and on empty data it raises libjpeg's empty-input error.

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace vx::jpeg {

struct MemorySource {
    jpeg_source_mgr base; // first member: libjpeg hands back a pointer to it
    const JOCTET *data = nullptr;
    std::size_t size = 0;
    bool delivered = false; // the bytes have been handed over once

    MemorySource(const void *bytes, std::size_t count);
};

} // namespace vx::jpeg
