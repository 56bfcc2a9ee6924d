#include "tests/support/ZipWriter.h"

#include <QFile>

#include <zlib.h>

namespace vx::test {
namespace {

void put16(QByteArray &out, uint16_t v) { out += ZipWriter::le16(v); }
void put32(QByteArray &out, uint32_t v) { out += ZipWriter::le32(v); }
void put64(QByteArray &out, uint64_t v) { out += ZipWriter::le64(v); }

struct Prepared {
    QByteArray payload;
    uint32_t crc;
    uint64_t compressed;
    uint64_t uncompressed;
    uint16_t flags;
};

Prepared prepare(const ZipEntrySpec &e)
{
    Prepared p;
    p.flags = e.flags;
    if (e.payload)
        p.payload = *e.payload;
    else if (e.method == 8)
        p.payload = ZipWriter::deflateRaw(e.data);
    else
        p.payload = e.data;
    p.crc = e.crc.value_or(ZipWriter::crc32Of(e.data));
    if (e.dataDescriptor)
        p.flags |= 0x0008;
    if (e.pkwarePassword) {
        p.flags |= 0x0001;
        const uint8_t check = e.dataDescriptor ? uint8_t(e.dosTime >> 8) : uint8_t(p.crc >> 24);
        p.payload = ZipWriter::pkwareEncrypt(p.payload, *e.pkwarePassword, check);
    }
    p.compressed = e.compressedSize.value_or(uint64_t(p.payload.size()));
    p.uncompressed = e.uncompressedSize.value_or(uint64_t(e.data.size()));
    return p;
}

} // namespace

QByteArray ZipWriter::le16(uint16_t v)
{
    const char bytes[2] = {char(v & 0xFF), char(v >> 8)};
    return QByteArray(bytes, 2);
}
QByteArray ZipWriter::le32(uint32_t v) { return le16(uint16_t(v & 0xFFFF)) + le16(uint16_t(v >> 16)); }
QByteArray ZipWriter::le64(uint64_t v) { return le32(uint32_t(v & 0xFFFFFFFF)) + le32(uint32_t(v >> 32)); }

ZipWriter &ZipWriter::add(const ZipEntrySpec &entry)
{
    entries_.append(entry);
    return *this;
}

ZipWriter &ZipWriter::addStored(const QByteArray &name, const QByteArray &data)
{
    ZipEntrySpec e;
    e.name = name;
    e.data = data;
    return add(e);
}

ZipWriter &ZipWriter::addDeflated(const QByteArray &name, const QByteArray &data)
{
    ZipEntrySpec e;
    e.name = name;
    e.data = data;
    e.method = 8;
    return add(e);
}

ZipWriter &ZipWriter::addDirectory(const QByteArray &name, bool withDirectoryBit)
{
    ZipEntrySpec e;
    e.name = name;
    e.externalAttributes = withDirectoryBit ? 0x10 : 0;
    return add(e);
}

ZipWriter &ZipWriter::setPrefix(const QByteArray &bytes)
{
    prefix_ = bytes;
    return *this;
}
ZipWriter &ZipWriter::setOffsetsCountPrefix(bool counted)
{
    offsetsCountPrefix_ = counted;
    return *this;
}
ZipWriter &ZipWriter::setArchiveComment(const QByteArray &comment)
{
    archiveComment_ = comment;
    return *this;
}
ZipWriter &ZipWriter::setZip64EndRecords(bool on)
{
    zip64End_ = on;
    return *this;
}
ZipWriter &ZipWriter::setTrailer(const QByteArray &bytes)
{
    trailer_ = bytes;
    return *this;
}

QByteArray ZipWriter::build(ZipLayout *layout) const
{
    QByteArray out = prefix_;
    const qint64 base = offsetsCountPrefix_ ? 0 : qint64(prefix_.size());
    QByteArray directory;
    ZipLayout where;
    for (const ZipEntrySpec &e : entries_) {
        const Prepared p = prepare(e);
        const qint64 offset = out.size();
        where.localHeaders << offset;
        const uint64_t recordedOffset = uint64_t(offset - base);
        QByteArray zip64Local, zip64Central;
        if (e.zip64) {
            zip64Local = extraRecord(0x0001, le64(p.uncompressed) + le64(p.compressed));
            zip64Central = extraRecord(0x0001, le64(p.uncompressed) + le64(p.compressed) + le64(recordedOffset));
        }
        // local header
        put32(out, 0x04034B50);
        put16(out, e.versionNeeded);
        put16(out, p.flags);
        put16(out, e.method);
        put16(out, e.dosTime);
        put16(out, e.dosDate);
        put32(out, e.dataDescriptor ? 0 : p.crc);
        put32(out, e.dataDescriptor ? 0 : (e.zip64 ? 0xFFFFFFFF : uint32_t(p.compressed)));
        put32(out, e.dataDescriptor ? 0 : (e.zip64 ? 0xFFFFFFFF : uint32_t(p.uncompressed)));
        const QByteArray localExtra = zip64Local + e.localExtra;
        put16(out, uint16_t(e.name.size()));
        put16(out, uint16_t(localExtra.size()));
        out += e.name;
        out += localExtra;
        out += p.payload;
        if (e.dataDescriptor) {
            put32(out, 0x08074B50);
            put32(out, p.crc);
            put32(out, uint32_t(p.compressed));
            put32(out, uint32_t(p.uncompressed));
        }
        // central header
        const QByteArray centralExtra = zip64Central + e.centralExtra;
        put32(directory, 0x02014B50);
        put16(directory, e.versionMadeBy);
        put16(directory, e.versionNeeded);
        put16(directory, p.flags);
        put16(directory, e.method);
        put16(directory, e.dosTime);
        put16(directory, e.dosDate);
        put32(directory, p.crc);
        put32(directory, e.zip64 ? 0xFFFFFFFF : uint32_t(p.compressed));
        put32(directory, e.zip64 ? 0xFFFFFFFF : uint32_t(p.uncompressed));
        put16(directory, uint16_t(e.name.size()));
        put16(directory, uint16_t(centralExtra.size()));
        put16(directory, uint16_t(e.comment.size()));
        put16(directory, 0);
        put16(directory, 0);
        put32(directory, e.externalAttributes);
        put32(directory, e.zip64 ? 0xFFFFFFFF : uint32_t(recordedOffset));
        directory += e.name;
        directory += centralExtra;
        directory += e.comment;
    }
    where.directoryStart = out.size();
    if (writeCentralDirectory)
        out += directory;
    const uint64_t dirOffset = uint64_t(where.directoryStart - base);
    const uint64_t count = uint64_t(entries_.size());
    if (zip64End_) {
        const qint64 zip64At = out.size();
        put32(out, 0x06064B50);
        put64(out, 44);
        put16(out, 45);
        put16(out, 45);
        put32(out, 0);
        put32(out, 0);
        put64(out, count);
        put64(out, count);
        put64(out, uint64_t(directory.size()));
        put64(out, dirOffset);
        put32(out, 0x07064B50);
        put32(out, 0);
        put64(out, uint64_t(zip64At - base));
        put32(out, 1);
    }
    where.endRecord = out.size();
    if (writeEndRecord) {
        put32(out, 0x06054B50);
        put16(out, endThisDisk.value_or(0));
        put16(out, endDirectoryDisk.value_or(0));
        put16(out, endEntriesOnDisk.value_or(zip64End_ ? 0xFFFF : uint16_t(count)));
        put16(out, endTotalEntries.value_or(zip64End_ ? 0xFFFF : uint16_t(count)));
        put32(out, endDirectorySize.value_or(zip64End_ ? 0xFFFFFFFF : uint32_t(directory.size())));
        put32(out, endDirectoryOffset.value_or(zip64End_ ? 0xFFFFFFFF : uint32_t(dirOffset)));
        put16(out, uint16_t(archiveComment_.size()));
        out += archiveComment_;
    }
    out += trailer_;
    if (layout)
        *layout = where;
    return out;
}

bool ZipWriter::writeTo(const QString &path, ZipLayout *layout) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = build(layout);
    return f.write(bytes) == bytes.size();
}

QByteArray ZipWriter::deflateRaw(const QByteArray &data, int level)
{
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&z, uLong(data.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}

uint32_t ZipWriter::crc32Of(const QByteArray &data)
{
    return uint32_t(crc32_z(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(data.constData()), size_t(data.size())));
}

QByteArray ZipWriter::extraRecord(uint16_t id, const QByteArray &data)
{
    return le16(id) + le16(uint16_t(data.size())) + data;
}

QByteArray ZipWriter::unicodeNameRecord(const QString &name)
{
    QByteArray data = le32(0x5843554E) + le32(uint32_t(name.size()));
    for (const QChar c : name)
        data += le16(c.unicode());
    return extraRecord(0x554E, data);
}

QByteArray ZipWriter::pkwareEncrypt(const QByteArray &payload, const QByteArray &password, uint8_t checkByte)
{
    const z_crc_t *table = get_crc_table();
    uint32_t k0 = 0x12345678, k1 = 0x23456789, k2 = 0x34567890;
    auto crcStep = [&](uint32_t c, uint8_t b) { return uint32_t(table[(c ^ b) & 0xFF] ^ (c >> 8)); };
    auto update = [&](uint8_t plain) {
        k0 = crcStep(k0, plain);
        k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1;
        k2 = crcStep(k2, uint8_t(k1 >> 24));
    };
    auto stream = [&] {
        const uint32_t t = (k2 | 2) & 0xFFFF;
        return uint8_t((t * (t ^ 1)) >> 8);
    };
    for (const char c : password)
        update(uint8_t(c));
    QByteArray plain;
    for (int i = 0; i < 11; ++i)
        plain += char(0x5A ^ (i * 37)); // fixed "random" header: fixtures stay reproducible
    plain += char(checkByte);
    plain += payload;
    QByteArray out(plain.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const uint8_t p = uint8_t(plain[i]);
        out[i] = char(p ^ stream());
        update(p);
    }
    return out;
}

} // namespace vx::test
