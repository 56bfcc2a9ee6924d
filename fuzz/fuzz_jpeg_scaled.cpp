// libFuzzer target: see fuzz/fuzz_jpeg_entries.h.
#include "fuzz/fuzz_jpeg_entries.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (!vx::fuzz::jpegScaledProbe(data, size))
        std::abort();
    return 0;
}
