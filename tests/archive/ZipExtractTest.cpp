// Extraction to memory: methods, sizes and check sums, the output bounds, passwords (traditional and
// WinZip AES) and the password dialog.
#include "archive/EntryExtractor.h"
#include "archive/OutputSink.h"
#include "archive/ZipReader.h"
#include "platform/NativePath.h"
#include "tests/archive/ZipTestHelpers.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ZipWriter.h"

#include <QTemporaryDir>
#include <QTest>

#include <openssl/evp.h>


#include <zlib.h>

using namespace vx::zip;
using vx::test::ScriptedDesktop;
using vx::test::Shown;
using vx::test::ZipEntrySpec;
using vx::test::ZipLayout;
using vx::test::ZipWriter;

namespace {

// WinZip AES payload (salt, verifier, encrypted data, 10-byte code) made with OpenSSL directly, so
// the reader's decryption is checked against an independent encryption.
QByteArray aesPayload(const QByteArray &plain, const QByteArray &password, int keyBits, bool tamper = false)
{
    const int keyLength = keyBits / 8;
    const int saltLength = keyBits / 16;
    QByteArray salt(saltLength, Qt::Uninitialized);
    for (int i = 0; i < saltLength; ++i)
        salt[i] = char(0x30 + i * 7);
    unsigned char derived[66];
    PKCS5_PBKDF2_HMAC_SHA1(password.constData(), int(password.size()), reinterpret_cast<const unsigned char *>(salt.constData()),
                           saltLength, 1000, 2 * keyLength + 2, derived);
    const EVP_CIPHER *cipher = keyBits == 128 ? EVP_aes_128_ecb() : keyBits == 192 ? EVP_aes_192_ecb() : EVP_aes_256_ecb();
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex(ctx, cipher, nullptr, derived, nullptr);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    QByteArray data = plain;
    unsigned char counter[16] = {}, block[16];
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i % 16 == 0) {
            for (int b = 0; b < 16 && ++counter[b] == 0; ++b) {
            }
            int n = 0;
            EVP_EncryptUpdate(ctx, block, &n, counter, 16);
        }
        data[i] = char(uint8_t(data[i]) ^ block[i % 16]);
    }
    EVP_CIPHER_CTX_free(ctx);
    unsigned char mac[EVP_MAX_MD_SIZE];
    size_t macLength = 0;
    EVP_Q_mac(nullptr, "HMAC", nullptr, "SHA1", nullptr, derived + keyLength, size_t(keyLength),
              reinterpret_cast<const unsigned char *>(data.constData()), size_t(data.size()), mac, sizeof mac, &macLength);
    QByteArray code(reinterpret_cast<const char *>(mac), 10);
    if (tamper)
        code[0] = char(code[0] ^ 1);
    return salt + QByteArray(reinterpret_cast<const char *>(derived + 2 * keyLength), 2) + data + code;
}

ZipEntrySpec aesEntry(const QByteArray &name, const QByteArray &plain, const QByteArray &password, int keyBits,
                      int actualMethod = 8, int vendorVersion = 2, bool tamper = false)
{
    ZipEntrySpec e;
    e.name = name;
    e.data = plain;
    e.method = 99;
    e.flags = 1;
    const QByteArray inner = actualMethod == 8 ? ZipWriter::deflateRaw(plain) : plain;
    e.payload = aesPayload(inner, password, keyBits, tamper);
    if (vendorVersion == 2)
        e.crc = 0; // AE-2 leaves the CRC out
    const uint8_t strength = keyBits == 128 ? 1 : keyBits == 192 ? 2 : 3;
    e.centralExtra = ZipWriter::extraRecord(0x9901, ZipWriter::le16(uint16_t(vendorVersion)) + QByteArray("AE") +
                                                        QByteArray(1, char(strength)) + ZipWriter::le16(uint16_t(actualMethod)));
    e.localExtra = e.centralExtra;
    return e;
}

// A raw deflate stream of n MiB of zero bytes. One MiB is compressed with a full flush, which ends
// the segment on a byte boundary with a fresh dictionary, so the segment repeated n times and closed
// with an empty final block is a valid stream: a 1 GiB stream costs one MiB of compression.
QByteArray deflatedZeroMebibytes(int n)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    QByteArray zeros(1 << 20, '\0');
    QByteArray segment(1 << 16, Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef *>(zeros.data());
    z.avail_in = uInt(zeros.size());
    z.next_out = reinterpret_cast<Bytef *>(segment.data());
    z.avail_out = uInt(segment.size());
    deflate(&z, Z_FULL_FLUSH);
    segment.resize(segment.size() - qsizetype(z.avail_out));
    QByteArray last(64, Qt::Uninitialized);
    z.next_out = reinterpret_cast<Bytef *>(last.data());
    z.avail_out = uInt(last.size());
    deflate(&z, Z_FINISH);
    last.resize(last.size() - qsizetype(z.avail_out));
    deflateEnd(&z);
    return segment.repeated(n) + last;
}

struct Opened {
    QTemporaryDir dir;
    ScriptedDesktop desktop;
    ZipReader reader{&desktop};
    explicit Opened(const QByteArray &archive)
    {
        reader.FileName = vx::test::writeArchive(dir, archive);
        reader.OpenReadOnly();
    }
};

QByteArray single(const ZipEntrySpec &e, const QByteArray &after = {})
{
    ZipWriter w;
    w.add(e);
    if (!after.isEmpty())
        w.addStored("after.txt", after);
    return w.build();
}

} // namespace

class ZipExtractTest : public QObject {
    Q_OBJECT

private slots:
    void toBuffer_data();
    void toBuffer();
    void oneGibStreamDeclaredTenBytes();
    void hugeDeclaredSizeRefusedBeforeAllocating();
    void appendsAtBufferPosition();
    void findsByOtherSpellings_data();
    void findsByOtherSpellings();
    void notFoundMessage();
    void byIndex();
    void passwords_data();
    void passwords();
    void passwordRememberedForNextEntry();
    void fullDiskIsCode65();
};

void ZipExtractTest::toBuffer_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("content");
    const QByteArray photo = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(70000, 'p') + QByteArray(3000, 'q');
    auto row = [](const char *tag, const ZipEntrySpec &e, int code, const QByteArray &content, const QByteArray &after = {}) {
        QTest::newRow(tag) << single(e, after) << QString::fromLatin1(e.name) << code << content;
    };
    ZipEntrySpec e;
    e.name = "photo.jpg";
    e.data = photo;
    row("stored, more than one piece", e, -1, photo);
    e.method = 8;
    row("deflated", e, -1, photo);
    e.dataDescriptor = true;
    row("deflated with data descriptor", e, -1, photo);
    e.dataDescriptor = false;
    e.zip64 = true;
    row("zip64 sizes", e, -1, photo);
    e.zip64 = false;
    {
        ZipEntrySpec empty;
        empty.name = "empty.txt";
        row("empty", empty, -1, QByteArray());
    }
    {
        ZipEntrySpec c = e;
        c.crc = ZipWriter::crc32Of(photo) ^ 0x10;
        row("deflated, CRC wrong", c, 8, {});
        c.method = 0;
        row("stored, CRC wrong", c, 8, {});
    }
    {
        ZipEntrySpec c = e;
        c.uncompressedSize = quint64(photo.size() - 1);
        row("output passes the declared size", c, 8, {});
        c.uncompressedSize = quint64(photo.size() + 1);
        row("output short of the declared size", c, 8, {});
    }
    {
        // The compressed size runs past the directory: cut there, and inflate still ends at its end.
        ZipEntrySpec c = e;
        c.compressedSize = 0x7FFFFFF0;
        row("compressed size past the directory, deflated", c, -1, photo, "after");
        c.method = 0;
        c.compressedSize = quint64(photo.size() + 10);
        row("compressed size past the data, stored", c, 8, {}, "after");
    }
    {
        ZipEntrySpec c = e;
        QByteArray broken = ZipWriter::deflateRaw(photo);
        broken[2] = char(0xFF); // not a valid block any more
        broken[3] = char(0xFF);
        c.payload = broken;
        row("inflate error", c, 8, {});
        c.payload = ZipWriter::deflateRaw(photo).left(ZipWriter::deflateRaw(photo).size() / 2);
        row("deflate stream cut short", c, 8, {});
    }
    {
        ZipEntrySpec c;
        c.name = "d64.bin";
        c.data = "x";
        c.method = 9;
        c.payload = QByteArray("\x03\x00", 2);
        row("Deflate64", c, 55, {});
        c.method = 6;
        row("imploded", c, 8, {});
        c.method = 1;
        row("shrunk", c, 8, {});
        c.method = 12;
        row("bzip2", c, 8, {});
    }
    {
        // The local header's own name and extra lengths decide where the data starts.
        ZipEntrySpec c = e;
        c.localExtra = QByteArray(300, 'E');
        row("long local extra field", c, -1, photo);
    }
}

void ZipExtractTest::toBuffer()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, name);
    QFETCH(int, code);
    QFETCH(QByteArray, content);
    Opened o(archive);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QString message;
    QCOMPARE(vx::test::errorCodeOf([&] { o.reader.ExtractEntryToBuffer(name, buffer); }, &message), code);
    if (code == 55)
        QCOMPARE(message, QStringLiteral("Deflate64 compression method is not supported - Native error: 00055"));
    else if (code == 8)
        QCOMPARE(message, QStringLiteral("ZipReader1: Invalid size or check sum of file or unsupported compression "
                                         "format - Native error: 00008"));
    QCOMPARE(buffer.data(), content);
    QVERIFY(o.reader.IsOpen());
}

void ZipExtractTest::oneGibStreamDeclaredTenBytes()
{
    ZipEntrySpec e;
    e.name = "bomb.bin";
    e.data = QByteArray(10, '\0');
    e.method = 8;
    e.payload = deflatedZeroMebibytes(1024);
    Opened o(single(e));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QCOMPARE(vx::test::errorCodeOf([&] { o.reader.ExtractEntryToBuffer(QStringLiteral("bomb.bin"), buffer); }), 8);
    // Stopped at the declared size: nothing like the stream's size was ever held.
    QVERIFY(buffer.buffer().capacity() < (1 << 20));
    QVERIFY(buffer.data().isEmpty());
    // The stream itself is sound: declared with its true size and CRC it would extract (checked on
    // 64 MiB, within the in-memory bound).
    ZipEntrySpec honest;
    honest.name = "zeros.bin";
    honest.data = QByteArray(64 << 20, '\0');
    honest.method = 8;
    honest.payload = deflatedZeroMebibytes(64);
    Opened p(single(honest));
    QCOMPARE(vx::test::extracted(p.reader, QStringLiteral("zeros.bin")).size(), qsizetype(64 << 20));
}

void ZipExtractTest::hugeDeclaredSizeRefusedBeforeAllocating()
{
    ZipEntrySpec e;
    e.name = "huge.bin";
    e.data = "abc";
    e.method = 8;
    e.zip64 = true;
    e.uncompressedSize = (quint64(512) << 20) + 1;
    Opened o(single(e));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QCOMPARE(vx::test::errorCodeOf([&] { o.reader.ExtractEntryToBuffer(QStringLiteral("huge.bin"), buffer); }), 8);
    QVERIFY(buffer.buffer().capacity() < (1 << 20));
    // 512 MiB exactly is allowed, but a 3-byte stream cannot justify reserving it.
    ZipEntrySpec limit = e;
    limit.uncompressedSize = quint64(512) << 20;
    Opened p(single(limit));
    QBuffer second;
    second.open(QIODevice::ReadWrite);
    QCOMPARE(vx::test::errorCodeOf([&] { p.reader.ExtractEntryToBuffer(QStringLiteral("huge.bin"), second); }), 8);
    QVERIFY(second.buffer().capacity() < (1 << 20));
}

void ZipExtractTest::appendsAtBufferPosition()
{
    ZipWriter w;
    w.addDeflated("a.txt", "AAAA");
    ZipEntrySpec bad;
    bad.name = "bad.txt";
    bad.data = "BBBB";
    bad.crc = 1;
    w.add(bad);
    Opened o(w.build());
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    buffer.write("head:");
    QVERIFY(o.reader.ExtractEntryToBuffer(QStringLiteral("a.txt"), buffer));
    QCOMPARE(buffer.data(), QByteArray("head:AAAA"));
    QCOMPARE(buffer.pos(), qint64(9));
    // A failed extraction leaves nothing of itself behind.
    QCOMPARE(vx::test::errorCodeOf([&] { o.reader.ExtractEntryToBuffer(QStringLiteral("bad.txt"), buffer); }), 8);
    QCOMPARE(buffer.data(), QByteArray("head:AAAA"));
    QVERIFY(o.reader.ExtractEntryToBuffer(QStringLiteral("a.txt"), buffer));
    QCOMPARE(buffer.data(), QByteArray("head:AAAAAAAA"));
}

void ZipExtractTest::findsByOtherSpellings_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("as stored") << "sub/photo.jpg" << QByteArray("sub");
    QTest::newRow("backslash") << "sub\\photo.jpg" << QByteArray("sub");
    QTest::newRow("upper case") << "SUB/PHOTO.JPG" << QByteArray("sub");
    QTest::newRow("drive prefix") << "C:\\sub\\photo.jpg" << QByteArray("sub");
    // Recurse is off for the fallback search: the bare name finds the root entry, not sub's.
    QTest::newRow("root name") << "PHOTO.jpg" << QByteArray("root");
    QTest::newRow("wildcard in a folder") << "sub/*.jpg" << QByteArray("sub");
}

void ZipExtractTest::findsByOtherSpellings()
{
    QFETCH(QString, asked);
    QFETCH(QByteArray, content);
    ZipWriter w;
    w.addStored("sub/photo.jpg", "sub");
    w.addStored("photo.jpg", "root");
    Opened o(w.build());
    QCOMPARE(vx::test::extracted(o.reader, asked), content);
}

void ZipExtractTest::notFoundMessage()
{
    ZipWriter w;
    w.addStored("sub/photo.jpg", "sub");
    Opened o(w.build());
    QString message;
    // With Recurse treated as off, a bare name does not reach into folders.
    QCOMPARE(vx::test::errorCodeOf([&] { vx::test::extracted(o.reader, QStringLiteral("photo.jpg")); }, &message), 15);
    QCOMPARE(message, QStringLiteral("ZipReader1: File \"photo.jpg\" not found - Native error: 00015"));
    o.reader.Name = QStringLiteral("OtherReader");
    QCOMPARE(vx::test::errorCodeOf([&] { vx::test::extracted(o.reader, QStringLiteral("x")); }, &message), 15);
    QCOMPARE(message, QStringLiteral("OtherReader: File \"x\" not found - Native error: 00015"));
}

void ZipExtractTest::byIndex()
{
    // Two entries of exactly the same name: the index reaches each one.
    ZipWriter w;
    w.addStored("same.jpg", "first");
    w.addStored("same.jpg", "second");
    Opened o(w.build());
    QBuffer a, b;
    QVERIFY(o.reader.ExtractEntryToBuffer(0, a));
    QVERIFY(o.reader.ExtractEntryToBuffer(1, b));
    QCOMPARE(a.data(), QByteArray("first"));
    QCOMPARE(b.data(), QByteArray("second"));
    QCOMPARE(vx::test::extracted(o.reader, QStringLiteral("same.jpg")), QByteArray("first"));
    QBuffer c;
    QCOMPARE(vx::test::errorCodeOf([&] { o.reader.ExtractEntryToBuffer(2, c); }), 15);
    QCOMPARE(vx::test::errorCodeOf([&] { o.reader.ExtractEntryToBuffer(-1, c); }), 15);
}

void ZipExtractTest::passwords_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("stored");            // Password before the extraction
    QTest::addColumn<QStringList>("typed");         // dialog answers; "<cancel>" cancels
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<bool>("extractedOk");
    const QByteArray plain = QByteArray("secret photo bytes ") + QByteArray(2000, 's');
    ZipEntrySpec pk;
    pk.name = "secret.jpg";
    pk.data = plain;
    pk.method = 8;
    pk.pkwarePassword = QByteArray("foo");
    QTest::newRow("PKWARE, stored password right") << single(pk) << "foo" << QStringList() << -1 << 0 << true;
    QTest::newRow("PKWARE, typed after a wrong one") << single(pk) << "bar" << QStringList{"baz", "foo"} << -1 << 2 << true;
    QTest::newRow("PKWARE, empty password asks") << single(pk) << "" << QStringList{"foo"} << -1 << 1 << true;
    QTest::newRow("PKWARE, cancelled") << single(pk) << "bar" << QStringList{"<cancel>"} << -1 << 1 << false;
    // "пароль" in code page 1251, the bytes a writer encrypts with when the program's text is ANSI text.
    const QByteArray cyrillic("\xEF\xE0\xF0\xEE\xEB\xFC");
    {
        ZipEntrySpec ru = pk;
        ru.pkwarePassword = cyrillic;
        QTest::newRow("PKWARE, Cyrillic password typed") << single(ru) << "" << QStringList{"пароль"} << -1 << 1 << true;
    }
    QTest::newRow("AES, Cyrillic password typed") << single(aesEntry("secret.jpg", plain, cyrillic, 256)) << ""
                                                  << QStringList{"пароль"} << -1 << 1 << true;
    {
        ZipEntrySpec dd = pk;
        dd.dataDescriptor = true; // the check byte is the time's high byte then
        QTest::newRow("PKWARE with data descriptor") << single(dd) << "foo" << QStringList() << -1 << 0 << true;
    }
    {
        ZipEntrySpec stored = pk;
        stored.method = 0;
        QTest::newRow("PKWARE stored") << single(stored) << "foo" << QStringList() << -1 << 0 << true;
    }
    {
        ZipEntrySpec shortOne = pk;
        shortOne.payload = QByteArray(11, 'e');
        shortOne.flags = 1;
        shortOne.pkwarePassword.reset();
        QTest::newRow("PKWARE shorter than its header") << single(shortOne, "x") << "foo" << QStringList() << 8 << 0 << false;
    }
    for (const int bits : {128, 192, 256}) {
        const QByteArray tag = "AES-" + QByteArray::number(bits);
        QTest::newRow(tag + ", AE-2 deflated") << single(aesEntry("secret.jpg", plain, "pw", bits)) << "pw" << QStringList() << -1 << 0 << true;
        QTest::newRow(tag + ", wrong then right") << single(aesEntry("secret.jpg", plain, "pw", bits)) << "no" << QStringList{"pw"} << -1 << 1 << true;
    }
    QTest::newRow("AES AE-1 stored, CRC kept") << single(aesEntry("secret.jpg", plain, "pw", 256, 0, 1)) << "pw" << QStringList() << -1 << 0 << true;
    QTest::newRow("AES, empty password asks") << single(aesEntry("secret.jpg", plain, "pw", 128)) << "" << QStringList{"pw"} << -1 << 1 << true;
    QTest::newRow("AES, code tampered") << single(aesEntry("secret.jpg", plain, "pw", 128, 8, 2, true)) << "pw" << QStringList() << 8 << 0 << false;
    {
        ZipEntrySpec shortAes = aesEntry("secret.jpg", plain, "pw", 256);
        shortAes.payload = shortAes.payload->left(16 + 2 + 9); // salt, verifier and 9 bytes
        QTest::newRow("AES shorter than salt, verifier and code") << single(shortAes, "x") << "pw" << QStringList() << 8 << 0 << false;
    }
    {
        ZipEntrySpec badStrength = aesEntry("secret.jpg", plain, "pw", 128);
        badStrength.centralExtra[4 + 4] = char(7);
        QTest::newRow("AES with unknown strength") << single(badStrength) << "pw" << QStringList() << 8 << 0 << false;
    }
}

void ZipExtractTest::passwords()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, stored);
    QFETCH(QStringList, typed);
    QFETCH(int, code);
    QFETCH(int, dialogs);
    QFETCH(bool, extractedOk);
    Opened o(archive);
    o.reader.Password = stored;
    for (const QString &t : typed)
        o.desktop.passwordAnswers.push_back(t == QLatin1String("<cancel>") ? std::nullopt : std::optional<QString>(t));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    bool ok = false;
    QCOMPARE(vx::test::errorCodeOf([&] { ok = o.reader.ExtractEntryToBuffer(QStringLiteral("secret.jpg"), buffer); }), code);
    QCOMPARE(ok, extractedOk);
    int shownDialogs = 0;
    for (const Shown &s : o.desktop.shown) {
        if (s.kind != Shown::Password)
            continue;
        ++shownDialogs;
        QCOMPARE(s.title, QStringLiteral("Password for \"secret.jpg\""));
        QCOMPARE(s.text, QStringLiteral("Enter password: "));
    }
    QCOMPARE(shownDialogs, dialogs);
    if (extractedOk) {
        QCOMPARE(buffer.data(), QByteArray("secret photo bytes ") + QByteArray(2000, 's'));
        QVERIFY(!o.reader.Password.isEmpty());
    } else {
        QVERIFY(buffer.data().isEmpty());
    }
}

void ZipExtractTest::passwordRememberedForNextEntry()
{
    ZipWriter w;
    for (const char *name : {"one.jpg", "two.jpg"}) {
        ZipEntrySpec pk;
        pk.name = name;
        pk.data = name;
        pk.method = 8;
        pk.pkwarePassword = QByteArray("same");
        w.add(pk);
    }
    w.add(aesEntry("three.jpg", "three", "same", 256));
    Opened o(w.build());
    o.desktop.passwordAnswers.push_back(QStringLiteral("same"));
    QCOMPARE(vx::test::extracted(o.reader, QStringLiteral("one.jpg")), QByteArray("one.jpg"));
    QCOMPARE(vx::test::extracted(o.reader, QStringLiteral("two.jpg")), QByteArray("two.jpg"));
    QCOMPARE(vx::test::extracted(o.reader, QStringLiteral("three.jpg")), QByteArray("three"));
    QCOMPARE(o.desktop.shown.size(), 1);
    // The password outlives the archive.
    o.reader.CloseReader();
    o.reader.OpenReadOnly();
    QCOMPARE(vx::test::extracted(o.reader, QStringLiteral("two.jpg")), QByteArray("two.jpg"));
    QCOMPARE(o.desktop.shown.size(), 1);
}

namespace {
class NoPasswords final : public PasswordSource {
public:
    QString password() const override { return {}; }
    bool askAgain(const QString &) override { return false; }
};
} // namespace

// A disk that fills up: it takes the first 64 KiB, then refuses every write.
class FillingDisk final : public OutputSink {
public:
    bool write(const char *, qint64 n) override
    {
        if (n > room_)
            return false;
        room_ -= n;
        return true;
    }

private:
    qint64 room_ = 64 * 1024;
};

void ZipExtractTest::fullDiskIsCode65()
{
    ZipWriter w;
    w.addDeflated("photo.jpg", QByteArray(1000000, 'f'));
    QTemporaryDir dir;
    ArchiveFile file;
    QString error;
    QVERIFY(file.open(vx::nativePath(vx::test::writeArchive(dir, w.build())), error));
    ZipReader reader;
    reader.FileName = dir.filePath(QStringLiteral("a.zip"));
    reader.OpenReadOnly();
    FillingDisk sink;
    NoPasswords none;
    QString message;
    QCOMPARE(vx::test::errorCodeOf([&] { extractEntry(file, reader.Entry(0), reader.DirectoryStart(), none, sink); }, &message), 65);
    QCOMPARE(message, QStringLiteral("Disk is full. There is not enough free space on disk. - Native error: 00065"));
}

QTEST_GUILESS_MAIN(ZipExtractTest)
#include "ZipExtractTest.moc"
