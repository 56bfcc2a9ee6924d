// libFuzzer target for the ZIP reader: open, list, extract every entry to memory and to a folder.
#include "fuzz/fuzz_zip_reader_run.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Each run writes the input and its extractions; a memory file system keeps that cheap.
    static QTemporaryDir scratch(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/vx_fuzz_zip_XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/vx_fuzz_zip_XXXXXX"));
    const vx::fuzz::ZipRunSummary summary = vx::fuzz::runZipReaderInput(data, size, scratch.path());
    if (summary.escaped)
        std::abort(); // a file landed outside the output folder
    return 0;
}
