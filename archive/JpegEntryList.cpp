#include "archive/JpegEntryList.h"

namespace vx::archive {

// The same test as the folder walk's (the extension from the last ".", lower-cased), without making the
// lower-cased copy for each of an archive's entries: neither ending holds a dot, so a name ends in one of
// them exactly when its extension is that ending.
bool IsJpegEntryName(const QString &entryFileName)
{
    return entryFileName.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
           entryFileName.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive);
}

QList<JpegEntry> ListJpegEntries(vx::zip::ZipReader &reader)
{
    QList<JpegEntry> entries;
    vx::zip::TZipArchiveItem item;
    for (bool found = reader.FindFirstEntry(QStringLiteral("*.*"), QString(), vx::zip::FilterNoDirectories, item);
         found; found = reader.FindNextEntry(item)) {
        if (IsJpegEntryName(item.EntryFileName))
            entries.append(JpegEntry{item.EntryIndex, item.EntryFolder, item.EntryFileName, item.UnpackedSize});
    }
    return entries;
}

} // namespace vx::archive
