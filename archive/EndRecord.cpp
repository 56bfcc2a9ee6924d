#include "archive/EndRecord.h"

#include "archive/ByteCursor.h"
#include "archive/ZipError.h"
#include "archive/ZipFormat.h"

#include <algorithm>
#include <cstring>

namespace vx::zip {
namespace {

std::optional<EndRecord> validate(const QByteArray &tail, qint64 tailStart, qint64 index, qint64 fileSize)
{
    const qint64 p = tailStart + index;
    if (fileSize - p < format::EndRecordSize)
        return std::nullopt;
    ByteCursor c(tail.constData() + index, tail.size() - index);
    c.u32();
    EndRecord r;
    r.position = p;
    r.thisDisk = c.u16();
    r.directoryDisk = c.u16();
    r.entriesOnDisk = c.u16();
    r.totalEntries = c.u16();
    r.directorySize = c.u32();
    r.directoryOffset = c.u32();
    r.commentLength = c.u16();
    if (c.failed())
        return std::nullopt;
    if (r.directoryDisk > r.thisDisk || r.entriesOnDisk > r.totalEntries)
        return std::nullopt;
    const qint64 recordEnd = p + format::EndRecordSize;
    if (r.directorySize != format::Max32 && qint64(r.directorySize) >= recordEnd)
        return std::nullopt;
    if (!(r.directoryDisk < r.thisDisk || r.directoryOffset == format::Max32 ||
          qint64(r.directoryOffset) < recordEnd - qint64(r.directorySize)))
        return std::nullopt;
    if (r.commentLength > fileSize - recordEnd)
        return std::nullopt;
    r.comment = c.bytes(r.commentLength);
    return r;
}

} // namespace

std::optional<EndRecord> findEndRecord(ArchiveFile &file)
{
    const qint64 span = std::min<qint64>(file.size(), format::EndRecordSearchSpan);
    const qint64 tailStart = file.size() - span;
    const QByteArray tail = file.readAt(tailStart, span);
    static constexpr char sig[4] = {0x50, 0x4B, 0x05, 0x06};
    for (qint64 i = qint64(tail.size()) - 4; i >= 0; --i) {
        if (std::memcmp(tail.constData() + i, sig, 4) != 0)
            continue;
        if (auto record = validate(tail, tailStart, i, file.size()))
            return record;
    }
    return std::nullopt;
}

DirectoryLocation locateDirectory(ArchiveFile &file, const EndRecord &end)
{
    DirectoryLocation loc;
    const qint64 p = end.position;
    char locator[format::Zip64LocatorSize];
    if (p > format::Zip64LocatorSize && file.readExactAt(p - format::Zip64LocatorSize, locator, sizeof locator)) {
        ByteCursor lc(locator, sizeof locator);
        if (lc.u32() == format::Zip64LocatorSignature) {
            lc.u32(); // disk holding the Zip64 record
            const uint64_t recordOffset = lc.u64();
            const uint32_t totalDisks = lc.u32();
            char record[format::Zip64EndRecordSize];
            // An offset beyond the file (a lie near 2^63 included) cannot hold the record.
            if (recordOffset > uint64_t(file.size()) ||
                !file.readExactAt(qint64(recordOffset), record, sizeof record))
                throw EZipError::make(ErrNoZip64EndRecord);
            ByteCursor rc(record, sizeof record);
            if (rc.u32() != format::Zip64EndRecordSignature)
                throw EZipError::make(ErrNoZip64EndRecord);
            rc.u64(); // record size
            rc.u16(); // made by
            rc.u16(); // needed
            rc.u32(); // this disk
            rc.u32(); // directory disk
            rc.u64(); // entries on this disk
            const uint64_t total = rc.u64();
            const uint64_t size = rc.u64();
            loc.zip64 = true;
            loc.entries = total;
            // The directory ends where the Zip64 record starts (its extensible sector is not expected).
            const qint64 dirEnd = p - format::Zip64LocatorSize - format::Zip64EndRecordSize;
            loc.start = size > uint64_t(std::max<qint64>(dirEnd, 0)) ? -1 : dirEnd - qint64(size);
            loc.lastDisk = end.thisDisk == format::Max16 ? totalDisks - 1 : end.thisDisk;
            return loc;
        }
    }
    if (end.totalEntries == format::Max16) {
        loc.kind = DirectoryLocation::NeedsRecovery;
        return loc;
    }
    loc.start = p - qint64(end.directorySize);
    loc.entries = end.totalEntries;
    loc.lastDisk = end.thisDisk;
    return loc;
}

} // namespace vx::zip
