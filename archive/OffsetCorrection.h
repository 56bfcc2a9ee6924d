#pragma once
// Archives with data in front (a stub, a second archive glued on) whose writer recorded the offsets
// as if the archive started at 0: finds how much lies in front and moves the entries' offsets.

#include "archive/ArchiveFile.h"
#include "archive/DirItem.h"

#include <QList>

namespace vx::zip {

// Returns LeadingDataSize and corrects the table's local header offsets where needed. endPosition is
// the end record's position (the leading data of an archive without entries).
qint64 correctOffsets(ArchiveFile &file, QList<TDirItem> &table, qint64 endPosition);

} // namespace vx::zip
