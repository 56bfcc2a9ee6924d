#include "archive/RecoveryScan.h"

#include "archive/ByteCursor.h"
#include "archive/CentralDirectory.h"
#include "archive/NameDecoding.h"
#include "archive/SignatureSearch.h"
#include "archive/ZipError.h"
#include "archive/ZipFormat.h"

namespace vx::zip {
namespace {

constexpr qint64 ScanWindow = 65535;
// Longer extra fields are taken for a false signature inside compressed data.
constexpr int MaxPlausibleExtraLength = 260;

} // namespace

QList<TDirItem> recoverEntries(ArchiveFile &file, bool oemNames, bool endRecordFound)
{
    QList<TDirItem> table;
    // The last descriptor search: its answer holds for every later start up to the position it found,
    // so a file full of descriptor-flagged headers is still scanned once rather than once per header.
    qint64 descriptorSearchFrom = -1;
    std::optional<qint64> descriptorFound;
    SignatureScanner headers(file, format::LocalHeaderSignature, ScanWindow);
    std::optional<qint64> at = headers.next(0, format::LocalHeaderSize);
    if (!at)
        throw EZipError::make(ErrInvalidArchive);
    while (at) {
        const qint64 h = *at;
        char fixed[format::LocalHeaderSize];
        if (!headers.read(h, fixed, sizeof fixed))
            break;
        ByteCursor c(fixed, sizeof fixed);
        c.u32();
        TDirItem item;
        const uint16_t version = c.u16();
        item.versionMadeBy = version;
        item.versionNeeded = version;
        item.flags = c.u16();
        item.method = c.u16();
        item.dosTime = c.u16();
        item.dosDate = c.u16();
        item.crc32 = c.u32();
        item.compressedSize32 = c.u32();
        item.uncompressedSize32 = c.u32();
        item.nameLength = c.u16();
        item.extraLength = c.u16();
        qint64 nextFrom = 4;
        if (qint64(item.compressedSize32) < file.size() && item.extraLength <= MaxPlausibleExtraLength) {
            nextFrom = format::LocalHeaderSize + item.nameLength + item.extraLength;
            item.externalAttributes =
                (item.uncompressedSize32 != 0 || (item.flags & format::FlagDataDescriptor)) ? format::AttrArchive
                                                                                          : format::AttrDirectory;
            item.localHeaderOffset32 = uint32_t(std::min<qint64>(h, format::Max32));
            const qint64 nameAt = h + format::LocalHeaderSize;
            QByteArray rawName;
            if (file.size() - nameAt >= item.nameLength)
                rawName = file.readAt(nameAt, item.nameLength);
            const QByteArray extra = file.readAt(nameAt + rawName.size(), item.extraLength);
            item.name = decodeRecoveredName(rawName, item.flags, oemNames, endRecordFound);
            finishItem(item, extra);
            // Past 4 GiB the offset cannot sit in the 32-bit field; keep it as a Zip64 value.
            if (h >= qint64(format::Max32)) {
                item.localHeaderOffset32 = format::Max32;
                item.localHeaderOffset64 = uint64_t(h);
            }
            if (item.flags & format::FlagDataDescriptor) {
                if (descriptorSearchFrom < 0 || (descriptorFound && *descriptorFound < h)) {
                    descriptorSearchFrom = h;
                    descriptorFound = findSignatureForward(file, h, format::DataDescriptorSignature, ScanWindow, 0);
                }
                if (const auto d = descriptorFound) {
                    char descriptor[format::DataDescriptorSize];
                    if (file.readExactAt(*d, descriptor, sizeof descriptor)) {
                        ByteCursor dc(descriptor, sizeof descriptor);
                        dc.u32();
                        item.crc32 = dc.u32();
                        item.compressedSize32 = dc.u32();
                        item.uncompressedSize32 = dc.u32();
                        item.compressedSize64 = item.compressedSize32;
                        item.uncompressedSize64 = item.uncompressedSize32;
                    }
                }
            }
            table.append(std::move(item));
        }
        // A header cannot begin inside the fixed part, name or extra field of the one just taken; going
        // on from there (not from h + 4) keeps a file of repeated signatures from making a row of
        // every 4 bytes, so the table stays within a small multiple of the file's size.
        at = headers.next(h + nextFrom, format::LocalHeaderSize);
    }
    return table;
}

} // namespace vx::zip
