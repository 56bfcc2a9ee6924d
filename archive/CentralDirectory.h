#pragma once
// Reading the central directory into the entry table.

#include "archive/ArchiveFile.h"
#include "archive/DirItem.h"

#include <QList>

#include <cstdint>
#include <optional>

namespace vx::zip {

// Reads count entries one after the other from start. Returns nullopt when the directory cannot be read
// whole (it runs past the end of the file, or start is no position in it); the caller then falls back
// to the recovery scan.
std::optional<QList<TDirItem>> readCentralDirectory(ArchiveFile &file, qint64 start, uint64_t count, bool oemNames);

// Derives the encryption kind, actual method, Zip64 values and the final name from the raw variable
// parts; shared with the recovery scan.
void finishItem(TDirItem &item, QByteArrayView extra);

} // namespace vx::zip
