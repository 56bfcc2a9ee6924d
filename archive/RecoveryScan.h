#pragma once
// Reading an archive without a usable central directory (a download cut short, a broken writer): the
// entries are rebuilt from the local headers found by scanning the file from its start.

#include "archive/ArchiveFile.h"
#include "archive/DirItem.h"

#include <QList>

namespace vx::zip {

// Throws EZipError 35 when the file holds no local header at all.
QList<TDirItem> recoverEntries(ArchiveFile &file, bool oemNames, bool endRecordFound);

} // namespace vx::zip
