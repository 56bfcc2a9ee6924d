#include "reports/BrokenPhotoTest.h"

#include "imaging/ScaledJpegSize.h"

#include <exception>

namespace vx::reports {

bool IsBrokenPhoto(vx::ScaledJpegDecoder &decoder, const std::filesystem::path &path)
{
    try {
        const JpegSize size = decoder.sizeOfFile(path);
        return size.width == 0 || size.height == 0;
    } catch (const std::exception &) {
        // vx::Error for an open failure or a libjpeg error; anything else (memory) ends only this test too.
        return true;
    }
}

} // namespace vx::reports
