#pragma once
// The work of one fuzz input for the ZIP reader, shared by the libFuzzer target and the replay test:
// open the bytes as an archive, list every entry, extract each to memory and to a scratch folder with
// a password at hand. Any failure must come out as an EZipError; anything else is a fault.

#include <QString>

#include <cstddef>
#include <cstdint>

namespace vx::fuzz {

struct ZipRunSummary {
    bool opened = false;
    int entries = 0;
    int extracted = 0; // to memory
    int written = 0;   // files written to the scratch folder
    bool escaped = false; // a file appeared outside the scratch folder's output
};

// scratch: a folder the run may use (the archive file and an output folder go inside it).
ZipRunSummary runZipReaderInput(const uint8_t *data, size_t size, const QString &scratch);

} // namespace vx::fuzz
