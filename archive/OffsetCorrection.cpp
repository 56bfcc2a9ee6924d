#include "archive/OffsetCorrection.h"

#include "archive/ByteCursor.h"
#include "archive/SignatureSearch.h"
#include "archive/ZipFormat.h"

namespace vx::zip {
namespace {

constexpr qint64 SearchWindow = 10000;

// The local header at x describes the same entry as the directory row: the fields both copies carry.
bool matchesEntry(ArchiveFile &file, SignatureScanner &scanner, qint64 x, const TDirItem &first)
{
    char fixed[format::LocalHeaderSize];
    if (!scanner.read(x, fixed, sizeof fixed))
        return false;
    ByteCursor c(fixed, sizeof fixed);
    if (c.u32() != format::LocalHeaderSignature)
        return false;
    const uint16_t versionNeeded = c.u16();
    c.u16(); // flags
    const uint16_t method = c.u16();
    const uint16_t time = c.u16();
    const uint16_t date = c.u16();
    const uint32_t crc = c.u32();
    const uint32_t compressed = c.u32();
    const uint32_t uncompressed = c.u32();
    const uint16_t nameLength = c.u16();
    if (file.size() - (x + format::LocalHeaderSize) < nameLength)
        return false;
    if (x == 0)
        return true;
    return crc == first.crc32 && versionNeeded == first.versionNeeded && method == first.method &&
           time == first.dosTime && date == first.dosDate && compressed == first.compressedSize32 &&
           uncompressed == first.uncompressedSize32;
}

} // namespace

qint64 correctOffsets(ArchiveFile &file, QList<TDirItem> &table, qint64 endPosition)
{
    if (table.isEmpty())
        return endPosition;
    qint64 leading = 0;
    const uint64_t recorded = table.first().recordedLocalHeaderOffset();
    qint64 from = recorded > uint64_t(file.size()) ? file.size() : qint64(recorded);
    SignatureScanner scanner(file, format::LocalHeaderSignature, SearchWindow);
    while (auto x = scanner.next(from, 4)) {
        if (matchesEntry(file, scanner, *x, table.first())) {
            leading = *x;
            break;
        }
        from = *x + 1;
    }
    for (const TDirItem &item : table) {
        if (item.compressedSize() == 0)
            continue;
        if (item.recordedLocalHeaderOffset() < uint64_t(leading)) {
            for (TDirItem &row : table)
                if (!(row.externalAttributes & format::AttrDirectory))
                    row.offsetCorrection = uint64_t(leading);
        }
        break;
    }
    return leading;
}

} // namespace vx::zip
