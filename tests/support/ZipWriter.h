#pragma once
// A small ZIP writer for test fixtures: stored and deflated entries with chosen name bytes, flags,
// times, extra fields and comments, data descriptors, Zip64 records, traditional encryption and data
// in front. Every field can be set to a lie, so damaged archives are built from a good description.

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace vx::test {

struct ZipEntrySpec {
    QByteArray name;             // the bytes as stored
    QByteArray data;             // the uncompressed content
    uint16_t method = 0;         // 0 stored, 8 deflated; anything else stores payload as given
    uint16_t flags = 0;          // bit 0 and bit 3 are added when pkwarePassword or dataDescriptor ask
    uint16_t versionMadeBy = 20; // high byte 3 for a Unix writer
    uint16_t versionNeeded = 20;
    uint16_t dosTime = 0x6000;   // 12:00:00
    uint16_t dosDate = 0x5821;   // 2024-01-01
    uint32_t externalAttributes = 0x20;
    QByteArray localExtra;
    QByteArray centralExtra;
    QByteArray comment;
    bool dataDescriptor = false; // sizes and CRC after the data (zeros in the local header)
    bool zip64 = false;          // sizes and offset through the 0x0001 record (0xFFFFFFFF in the fields)
    std::optional<QByteArray> pkwarePassword; // encrypt with the traditional cipher
    // Overrides for lies: the payload as stored (already compressed or encrypted), the CRC and sizes
    // that the headers record.
    std::optional<QByteArray> payload;
    std::optional<uint32_t> crc;
    std::optional<uint64_t> compressedSize;
    std::optional<uint64_t> uncompressedSize;
};

struct ZipLayout {
    QList<qint64> localHeaders; // file positions
    qint64 directoryStart = 0;
    qint64 endRecord = 0;
};

class ZipWriter {
public:
    ZipWriter &add(const ZipEntrySpec &entry);
    ZipWriter &addStored(const QByteArray &name, const QByteArray &data);
    ZipWriter &addDeflated(const QByteArray &name, const QByteArray &data);
    // A folder entry: name should end in "/"; withDirectoryBit sets attribute 0x10.
    ZipWriter &addDirectory(const QByteArray &name, bool withDirectoryBit = true);

    ZipWriter &setPrefix(const QByteArray &bytes);          // data in front of the archive
    ZipWriter &setOffsetsCountPrefix(bool counted);         // false: offsets recorded as if it was absent
    ZipWriter &setArchiveComment(const QByteArray &comment);
    ZipWriter &setZip64EndRecords(bool on);                 // write the Zip64 end record and locator
    ZipWriter &setTrailer(const QByteArray &bytes);         // junk after the end record
    // End record field lies (nullopt: the true value).
    std::optional<uint16_t> endTotalEntries, endEntriesOnDisk, endThisDisk, endDirectoryDisk;
    std::optional<uint32_t> endDirectorySize, endDirectoryOffset;
    bool writeEndRecord = true;
    bool writeCentralDirectory = true;

    QByteArray build(ZipLayout *layout = nullptr) const;
    bool writeTo(const QString &path, ZipLayout *layout = nullptr) const;

    // Helpers for fixtures.
    static QByteArray deflateRaw(const QByteArray &data, int level = 6);
    static uint32_t crc32Of(const QByteArray &data);
    static QByteArray extraRecord(uint16_t id, const QByteArray &data);
    static QByteArray unicodeNameRecord(const QString &name); // the 0x554E record, signature included
    static QByteArray pkwareEncrypt(const QByteArray &payload, const QByteArray &password, uint8_t checkByte);
    static QByteArray le16(uint16_t v);
    static QByteArray le32(uint32_t v);
    static QByteArray le64(uint64_t v);

private:
    QList<ZipEntrySpec> entries_;
    QByteArray prefix_;
    bool offsetsCountPrefix_ = true;
    QByteArray archiveComment_;
    bool zip64End_ = false;
    QByteArray trailer_;
};

} // namespace vx::test
