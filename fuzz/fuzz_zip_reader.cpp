// libFuzzer target for the ZIP reader: open, list, extract every entry to memory and to a folder.
#include "fuzz/fuzz_zip_reader_run.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir scratch;
    const vx::fuzz::ZipRunSummary summary = vx::fuzz::runZipReaderInput(data, size, scratch.path());
    if (summary.escaped)
        std::abort(); // a file landed outside the output folder
    return 0;
}
