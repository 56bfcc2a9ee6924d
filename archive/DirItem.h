#pragma once
// One row of the entry table: the fixed central-directory fields as stored, then what the reader
// derived from the variable parts (the decoded name, the Zip64 values, the encryption kind).

#include <QByteArray>
#include <QTypeInfo>
#include <QString>

#include <cstdint>

namespace vx::zip {

enum class Encryption { None, Pkware, Aes128, Aes192, Aes256, AesUnknownStrength };

struct TDirItem {
    // The 46-byte fixed header, field by field (the signature is not kept: it is never checked).
    uint16_t versionMadeBy = 0;
    uint16_t versionNeeded = 0;
    uint16_t flags = 0;
    uint16_t method = 0; // as stored; 99 for AES
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc32 = 0;
    uint32_t compressedSize32 = 0;
    uint32_t uncompressedSize32 = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
    uint16_t commentLength = 0;
    uint16_t diskNumberStart16 = 0;
    uint16_t internalAttributes = 0;
    uint32_t externalAttributes = 0;
    uint32_t localHeaderOffset32 = 0;

    QString name; // decoded; separators as stored
    // The Zip64 values: start as the 32-bit fields and are replaced by the 0x0001 record where present.
    uint64_t uncompressedSize64 = 0;
    uint64_t compressedSize64 = 0;
    uint64_t localHeaderOffset64 = 0;
    uint32_t diskNumberStart32 = 0;
    Encryption encryption = Encryption::None;
    uint16_t actualMethod = 0; // the method of the data once decrypted
    QByteArray comment;        // 8-bit, not converted
    // Added to the recorded local header offset when the archive has data in front that its writer
    // did not count.
    uint64_t offsetCorrection = 0;

    uint64_t compressedSize() const { return compressedSize32 == 0xFFFFFFFFu ? compressedSize64 : compressedSize32; }
    uint64_t uncompressedSize() const
    {
        return uncompressedSize32 == 0xFFFFFFFFu ? uncompressedSize64 : uncompressedSize32;
    }
    uint64_t localHeaderOffset() const
    {
        return recordedLocalHeaderOffset() + offsetCorrection;
    }
    uint64_t recordedLocalHeaderOffset() const
    {
        return localHeaderOffset32 == 0xFFFFFFFFu ? localHeaderOffset64 : localHeaderOffset32;
    }
    bool isEncrypted() const { return flags & 0x0001; }
    bool isAes() const { return encryption != Encryption::None && encryption != Encryption::Pkware; }
};

} // namespace vx::zip

// Its members (integers, QString, QByteArray) may be moved in memory as bytes: the table grows by
// memmove rather than by moving row after row.
Q_DECLARE_TYPEINFO(vx::zip::TDirItem, Q_RELOCATABLE_TYPE);
