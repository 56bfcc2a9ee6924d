#pragma once
// The end-of-image marker that the data sources hand to libjpeg when the data run out.

#include <cstdio>

#include <jpeglib.h>

namespace vx::jpeg {

inline constexpr JOCTET kEndOfImage[2] = {0xFF, 0xD9};

} // namespace vx::jpeg
