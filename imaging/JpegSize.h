#pragma once
// A JPEG photo's size in pixels, width first. The readers fill it from 16-bit header fields, so each value
// lies in 0..65535; the scaled probes give the size of a decode at one eighth scale.

namespace vx {

struct JpegSize {
    int width = 0;
    int height = 0;
};

inline bool operator==(const JpegSize &a, const JpegSize &b) { return a.width == b.width && a.height == b.height; }

} // namespace vx
