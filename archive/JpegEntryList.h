#pragma once
// The JPEG entries of an open archive, as both archive-page runs see them: every entry outside the
// directory entries whose file name ends in ".jpg" or ".jpeg" in any letter case, in directory order.
// Each keeps its table row, so the runs reach exactly that entry however its name reads; a name that no
// 8-bit code page can spell, or that another folder of the archive repeats, still finds its own entry.

#include "archive/ZipReader.h"

#include <QList>
#include <QString>

#include <cstdint>

namespace vx::archive {

struct JpegEntry {
    int index = -1;   // row of the reader's entry table
    QString folder;   // EntryFolder ("\" between folders, one at the end; empty at the archive root)
    QString fileName; // EntryFileName
    int64_t unpackedSize = 0;

    // EntryFolder followed by EntryFileName. Composed on demand: an archive lists thousands of entries
    // and only ties between equal sizes need it.
    QString name() const { return folder + fileName; }
};

// ".jpg" and ".jpeg" only: other extensions that JPEG data goes by (".jpe", ".jfif") are not photos of a
// release, as the folder walk has it.
bool IsJpegEntryName(const QString &entryFileName);

// Lists the open archive with mask "*.*", no exclusion mask and the attribute filter that leaves out
// directory entries. Throws what the listing throws.
QList<JpegEntry> ListJpegEntries(vx::zip::ZipReader &reader);

} // namespace vx::archive
