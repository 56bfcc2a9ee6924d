#pragma once
// The record the listing fills for its caller, with the search state it needs to continue.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace vx::zip {

struct TZipArchiveItem {
    QString EntryFileName; // after the last "\" or ":"
    QString EntryFolder;   // up to and including that separator; empty at the archive root
    int64_t PackedSize = 0;
    int64_t UnpackedSize = 0;
    double PackRatio = 0;
    bool IsEncrypted = false;
    uint16_t DosDate = 0;
    uint16_t DosTime = 0;
    uint32_t EntryCrc = 0;
    uint32_t ExternalAttributes = 0;
    QByteArray EntryComment;
    // The row of the entry table this record describes: ExtractEntryToBuffer(int) and
    // ExtractEntryToFolder(int) take it to reach exactly this entry.
    int EntryIndex = -1;

    // Search state: pass the record back unchanged to FindNextEntry.
    struct SearchState {
        int position = -1; // the row of the last result
        QString mask;      // normalized
        QString excludeMask;
        uint32_t attributeFilter = 0;
        bool recurse = true;
    } search;
};

} // namespace vx::zip
