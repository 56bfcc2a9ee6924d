#pragma once
// Finding the end of central directory record (and the Zip64 records before it) and from it the
// position and length of the central directory.

#include "archive/ArchiveFile.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace vx::zip {

struct EndRecord {
    qint64 position = 0; // P: where the 22-byte record starts
    uint16_t thisDisk = 0;
    uint16_t directoryDisk = 0;
    uint16_t entriesOnDisk = 0;
    uint16_t totalEntries = 0;
    uint32_t directorySize = 0;
    uint32_t directoryOffset = 0;
    uint16_t commentLength = 0;
    QByteArray comment;
};

// Scans the last 65,600 bytes from the end backwards; the first hit nearest the end that passes every
// check is the record. A fake signature inside an archive comment fails the checks and is stepped over.
std::optional<EndRecord> findEndRecord(ArchiveFile &file);

// Where the directory lies according to the end record.
struct DirectoryLocation {
    enum Kind { Found, NeedsRecovery } kind = Found;
    qint64 start = 0;       // may be negative for a lying size: reading it then fails
    uint64_t entries = 0;
    bool zip64 = false;
    uint32_t lastDisk = 0;  // the number of the last disk of the set
};

// Locates the directory from the end record's position and size, not from the recorded offset (which
// does not count data in front of the archive). Throws EZipError 40 for a Zip64 locator without its
// record.
DirectoryLocation locateDirectory(ArchiveFile &file, const EndRecord &end);

} // namespace vx::zip
