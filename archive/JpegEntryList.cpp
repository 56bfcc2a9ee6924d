#include "archive/JpegEntryList.h"

#include "folders/FolderWalk.h"

namespace vx::archive {

bool IsJpegEntryName(const QString &entryFileName)
{
    return photoEndings().contains(lowerExtension(entryFileName));
}

QList<JpegEntry> ListJpegEntries(vx::zip::ZipReader &reader)
{
    QList<JpegEntry> entries;
    vx::zip::TZipArchiveItem item;
    for (bool found = reader.FindFirstEntry(QStringLiteral("*.*"), QString(), vx::zip::FilterNoDirectories, item);
         found; found = reader.FindNextEntry(item)) {
        if (IsJpegEntryName(item.EntryFileName))
            entries.append(JpegEntry{item.EntryIndex, item.EntryFolder + item.EntryFileName, item.EntryFileName,
                                     item.UnpackedSize});
    }
    return entries;
}

} // namespace vx::archive
