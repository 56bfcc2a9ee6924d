#include "archive/ExtraField.h"

#include "archive/ByteCursor.h"
#include "archive/ZipFormat.h"

namespace vx::zip {
namespace {

void applyZip64(ByteCursor data, TDirItem &item)
{
    // Only the fields that overflowed are present, always in this order; a short record gives what it has.
    if (item.uncompressedSize32 == format::Max32 && data.has(8))
        item.uncompressedSize64 = data.u64();
    if (item.compressedSize32 == format::Max32 && data.has(8))
        item.compressedSize64 = data.u64();
    if (item.localHeaderOffset32 == format::Max32 && data.has(8))
        item.localHeaderOffset64 = data.u64();
    if (item.diskNumberStart16 == format::Max16 && data.has(4))
        item.diskNumberStart32 = data.u32();
}

void applyAes(ByteCursor data, TDirItem &item)
{
    // vendor version (2), vendor ID "AE" (2), strength (1), actual method (2)
    if (!(item.flags & format::FlagEncrypted) || !data.has(7))
        return;
    data.u16();
    data.u16();
    const uint8_t strength = data.u8();
    item.actualMethod = data.u16();
    switch (strength) {
    case 1: item.encryption = Encryption::Aes128; break;
    case 2: item.encryption = Encryption::Aes192; break;
    case 3: item.encryption = Encryption::Aes256; break;
    default: item.encryption = Encryption::AesUnknownStrength; break;
    }
}

std::optional<QString> unicodeName(ByteCursor data)
{
    if (!data.has(8) || data.u32() != format::UnicodeNameSignature)
        return std::nullopt;
    const uint32_t count = data.u32();
    // The count is the writer's claim; the units present bound it.
    const qint64 units = std::min<qint64>(count, data.remaining() / 2);
    QString name(qsizetype(units), Qt::Uninitialized);
    for (qint64 i = 0; i < units; ++i)
        name[qsizetype(i)] = QChar(data.u16());
    return name;
}

} // namespace

ExtraFieldInfo applyExtraField(QByteArrayView extra, TDirItem &item)
{
    ExtraFieldInfo info;
    ByteCursor cursor(extra);
    while (cursor.remaining() >= format::ExtraRecordHeaderSize) {
        const uint16_t id = cursor.u16();
        const uint16_t declared = cursor.u16();
        const qint64 length = std::min<qint64>(declared, cursor.remaining());
        ByteCursor data = cursor.sub(length);
        switch (id) {
        case format::Zip64ExtraId: applyZip64(data, item); break;
        case format::AesExtraId: applyAes(data, item); break;
        case format::UnicodeNameExtraId:
            if (auto name = unicodeName(data))
                info.unicodeName = std::move(name);
            break;
        default: break;
        }
    }
    return info;
}

} // namespace vx::zip
