#include "archive/CentralDirectory.h"

#include "archive/ByteCursor.h"
#include "archive/ExtraField.h"
#include "archive/NameDecoding.h"
#include "archive/ZipFormat.h"

#include <algorithm>

namespace vx::zip {

void finishItem(TDirItem &item, QByteArrayView extra)
{
    item.uncompressedSize64 = item.uncompressedSize32;
    item.compressedSize64 = item.compressedSize32;
    item.localHeaderOffset64 = item.localHeaderOffset32;
    item.diskNumberStart32 = item.diskNumberStart16;
    item.actualMethod = item.method;
    item.encryption = Encryption::None;
    const ExtraFieldInfo info = applyExtraField(extra, item);
    if (item.isEncrypted() && item.encryption == Encryption::None)
        item.encryption = Encryption::Pkware;
    if (info.unicodeName)
        item.name = *info.unicodeName;
}

std::optional<QList<TDirItem>> readCentralDirectory(ArchiveFile &file, qint64 start, uint64_t count, bool oemNames)
{
    if (start < 0 || start > file.size())
        return std::nullopt;
    // Every entry takes at least its fixed part, so a count the rest of the file cannot hold is a lie;
    // checking it here keeps the table's reservation honest.
    if (count > uint64_t(file.size() - start) / format::CentralHeaderSize)
        return std::nullopt;
    QList<TDirItem> table;
    // A row takes about three times its 46 bytes on disk, so even a count the file could hold may not
    // size the table up front without a cap (a file of zeros can claim millions of rows); beyond it the
    // table grows with the rows actually read.
    constexpr uint64_t MaxUpfrontRows = uint64_t(1) << 14;
    table.reserve(qsizetype(std::min(count, MaxUpfrontRows)));
    SequentialReader reader(file, start);
    for (uint64_t i = 0; i < count; ++i) {
        // Views into the reader's window: a row costs no allocation but its decoded name (and its
        // comment, where it has one).
        QByteArrayView fixed;
        if (!reader.view(format::CentralHeaderSize, fixed))
            return std::nullopt;
        ByteCursor c(fixed);
        TDirItem item;
        // No writer leaves a row without its signature; a directory of zeros or of another file's bytes
        // would otherwise be read row by row for as many rows as the end record claims. The first such
        // row makes the directory unusable, and the recovery scan decides.
        if (c.u32() != format::CentralHeaderSignature)
            return std::nullopt;
        item.versionMadeBy = c.u16();
        item.versionNeeded = c.u16();
        item.flags = c.u16();
        item.method = c.u16();
        item.dosTime = c.u16();
        item.dosDate = c.u16();
        item.crc32 = c.u32();
        item.compressedSize32 = c.u32();
        item.uncompressedSize32 = c.u32();
        item.nameLength = c.u16();
        item.extraLength = c.u16();
        item.commentLength = c.u16();
        item.diskNumberStart16 = c.u16();
        item.internalAttributes = c.u16();
        item.externalAttributes = c.u32();
        item.localHeaderOffset32 = c.u32();
        QByteArrayView variable;
        if (!reader.view(qint64(item.nameLength) + item.extraLength + item.commentLength, variable))
            return std::nullopt;
        item.name = decodeDirectoryName(variable.first(item.nameLength), item.flags, oemNames);
        if (item.commentLength > 0)
            item.comment = variable.last(item.commentLength).toByteArray();
        finishItem(item, variable.sliced(item.nameLength, item.extraLength));
        table.append(std::move(item));
    }
    return table;
}

} // namespace vx::zip
