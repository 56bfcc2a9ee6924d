// Hostile archives through the same run as the fuzz target: every failure must come out as an
// EZipError, nothing may be written outside the output folder, and some cases have a known result.
#include "archive/ZipReader.h"
#include "fuzz/fuzz_zip_reader_run.h"
#include "tests/archive/ZipTestHelpers.h"
#include "tests/support/ZipWriter.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vx::zip;
using vx::test::ZipEntrySpec;
using vx::test::ZipLayout;
using vx::test::ZipWriter;

namespace {

QByteArray smallArchive()
{
    ZipWriter w;
    w.addStored("a.jpg", "stored entry");
    w.addDeflated("dir/b.jpg", QByteArray(600, 'b') + "deflated");
    ZipEntrySpec pk;
    pk.name = "c.jpg";
    pk.data = "secret";
    pk.pkwarePassword = QByteArray("foo");
    w.add(pk);
    w.addDirectory("dir/");
    w.setArchiveComment("comment");
    return w.build();
}

vx::fuzz::ZipRunSummary runBytes(const QByteArray &bytes, const QTemporaryDir &scratch)
{
    return vx::fuzz::runZipReaderInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()),
                                       scratch.path());
}

} // namespace

class ZipHostileInputTest : public QObject {
    Q_OBJECT

private slots:
    void truncationAtEveryOffset();
    void extraFieldLengthsPastTheEnd_data();
    void extraFieldLengthsPastTheEnd();
    void overlappingEntries();
    void entriesPointingAtTheDirectory();
    void namesThatEscape();
    void zip64CountLie();
    void repeatedSignaturesStayBounded();
};

void ZipHostileInputTest::truncationAtEveryOffset()
{
    const QByteArray whole = smallArchive();
    QTemporaryDir scratch;
    int opened = 0;
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
        const vx::fuzz::ZipRunSummary s = runBytes(whole.left(cut), scratch);
        QVERIFY2(!s.escaped, qPrintable(QStringLiteral("cut at %1").arg(cut)));
        opened += s.opened ? 1 : 0;
        // Data is never invented: at most the three files are written.
        QVERIFY(s.written <= 3);
    }
    // The whole archive reads fully; a cut before the first local header's 30 bytes does not open.
    const vx::fuzz::ZipRunSummary full = runBytes(whole, scratch);
    QCOMPARE(full.entries, 4);
    QCOMPARE(full.extracted, 4); // "foo" is the stored password
    QCOMPARE(full.written, 3);
    QVERIFY(!runBytes(whole.left(29), scratch).opened);
    QVERIFY(opened > whole.size() / 2);
}

void ZipHostileInputTest::extraFieldLengthsPastTheEnd_data()
{
    QTest::addColumn<QByteArray>("extra");
    QTest::newRow("record longer than the field") << ZipWriter::le16(0x0001) + ZipWriter::le16(0xFFFF) + ZipWriter::le64(5);
    QTest::newRow("three bytes left") << QByteArray("\x01\x00\x08", 3);
    QTest::newRow("AES record cut") << ZipWriter::le16(0x9901) + ZipWriter::le16(7) + QByteArray("\x02\x00", 2);
    QTest::newRow("Unicode record cut in its signature") << ZipWriter::le16(0x554E) + ZipWriter::le16(9) + QByteArray("NU", 2);
    QTest::newRow("many empty records") << QByteArray(4000, '\0');
}

void ZipHostileInputTest::extraFieldLengthsPastTheEnd()
{
    QFETCH(QByteArray, extra);
    ZipEntrySpec e;
    e.name = "x.jpg";
    e.data = "content";
    e.centralExtra = extra;
    e.localExtra = extra;
    ZipWriter w;
    w.add(e);
    QTemporaryDir dir;
    ZipReader reader;
    reader.FileName = vx::test::writeArchive(dir, w.build());
    reader.OpenReadOnly();
    QVERIFY(!reader.ReadByRecoveryScan());
    QCOMPARE(reader.Entry(0).name, QStringLiteral("x.jpg"));
    // The local header's extra length still places the data right.
    QCOMPARE(vx::test::extracted(reader, QStringLiteral("x.jpg")), QByteArray("content"));
}

void ZipHostileInputTest::overlappingEntries()
{
    // Two directory rows share one local header and data: each extracts the same bytes, and nothing
    // about the overlap confuses sizes.
    ZipWriter w;
    w.addDeflated("one.jpg", QByteArray(4000, 'o'));
    w.addStored("two.jpg", "two");
    ZipLayout layout;
    QByteArray bytes = w.build(&layout);
    // Second row's offset := first row's offset (0); its sizes and CRC stay those of "two.jpg".
    const qsizetype secondRow = bytes.indexOf(QByteArray("PK\x01\x02", 4), qsizetype(layout.directoryStart) + 4);
    bytes.replace(secondRow + 42, 4, ZipWriter::le32(0));
    QTemporaryDir dir;
    ZipReader reader;
    reader.FileName = vx::test::writeArchive(dir, bytes);
    reader.OpenReadOnly();
    QCOMPARE(vx::test::extracted(reader, QStringLiteral("one.jpg")), QByteArray(4000, 'o'));
    QCOMPARE(vx::test::errorCodeOf([&] { vx::test::extracted(reader, QStringLiteral("two.jpg")); }), 8);
    QTemporaryDir scratch;
    QVERIFY(!runBytes(bytes, scratch).escaped);
}

void ZipHostileInputTest::entriesPointingAtTheDirectory()
{
    // An entry whose local header offset points into the central directory: the data start lies past
    // DirectoryStart, so its size is cut to nothing and the check fails.
    ZipWriter w;
    w.addStored("a.jpg", "0123456789");
    ZipLayout layout;
    QByteArray bytes = w.build(&layout);
    bytes.replace(qsizetype(layout.directoryStart) + 42, 4, ZipWriter::le32(uint32_t(layout.directoryStart)));
    QTemporaryDir dir;
    ZipReader reader;
    reader.FileName = vx::test::writeArchive(dir, bytes);
    reader.OpenReadOnly();
    QCOMPARE(vx::test::errorCodeOf([&] { vx::test::extracted(reader, QStringLiteral("a.jpg")); }), 8);
}

void ZipHostileInputTest::namesThatEscape()
{
    ZipWriter w;
    for (const QByteArray &name : {QByteArray("../x.jpg"), QByteArray("..\\x.jpg"), QByteArray("/x.jpg"),
                                   QByteArray("C:\\x.jpg"), QByteArray("C:x.jpg"), QByteArray("a/../../x.jpg"),
                                   QByteArray("."), QByteArray(".."), QByteArray("d/"), QByteArray(),
                                   QByteArray("n\0ul.jpg", 8)})
        w.addStored(name, "escape attempt");
    ZipEntrySpec unicode;
    unicode.name = "ok.jpg";
    unicode.data = "u";
    unicode.centralExtra = ZipWriter::unicodeNameRecord(QString::fromUtf16(u"../\u0000.jpg", 8));
    w.add(unicode);
    QTemporaryDir scratch;
    const vx::fuzz::ZipRunSummary s = runBytes(w.build(), scratch);
    QVERIFY(s.opened);
    QCOMPARE(s.entries, 12);
    QVERIFY(!s.escaped);
    QCOMPARE(s.written, 6); // the six names whose last part is x.jpg, all as out/x.jpg
}

void ZipHostileInputTest::zip64CountLie()
{
    // The Zip64 record claims 2^62 entries: no reservation is made from it, the recovery scan reads.
    ZipWriter w;
    w.addStored("a.jpg", "a");
    w.setZip64EndRecords(true);
    ZipLayout layout;
    QByteArray bytes = w.build(&layout);
    const qsizetype record = bytes.indexOf(QByteArray("PK\x06\x06", 4));
    bytes.replace(record + 24, 8, ZipWriter::le64(quint64(1) << 62));
    bytes.replace(record + 32, 8, ZipWriter::le64(quint64(1) << 62));
    QTemporaryDir dir;
    ZipReader reader;
    reader.FileName = vx::test::writeArchive(dir, bytes);
    reader.OpenReadOnly();
    QVERIFY(reader.ReadByRecoveryScan());
    QCOMPARE(vx::test::extracted(reader, QStringLiteral("a.jpg")), QByteArray("a"));
}

void ZipHostileInputTest::repeatedSignaturesStayBounded()
{
    // A signature every 8 bytes, each the start of a plausible header (small sizes, short extra field)
    // overlapping the next. The recovery scan takes one row per 30 bytes at most, not one per 8.
    const QByteArray bytes = QByteArray("PK\x03\x04\0\0\0\0", 8).repeated(32 << 10);
    QTemporaryDir dir;
    ZipReader reader;
    reader.FileName = vx::test::writeArchive(dir, bytes);
    reader.OpenReadOnly();
    QVERIFY(reader.ReadByRecoveryScan());
    QVERIFY(reader.EntryCount() > 0);
    QVERIFY(reader.EntryCount() <= bytes.size() / 30);
}

QTEST_GUILESS_MAIN(ZipHostileInputTest)
#include "ZipHostileInputTest.moc"
