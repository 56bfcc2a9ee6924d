// Listing: name masks, the exclusion mask, the attribute filter, Recurse, and the fields of the entry
// record.
#include "archive/NameMask.h"
#include "archive/ZipReader.h"
#include "tests/archive/ZipTestHelpers.h"
#include "tests/support/ZipWriter.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vx::zip;
using vx::test::ZipEntrySpec;
using vx::test::ZipWriter;

class ZipListTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void masks_data();
    void masks();
    void wildcardMatch_data();
    void wildcardMatch();
    void longMaskIsHarmless();
    void recordFields_data();
    void recordFields();
    void findNextAfterTheEnd();

private:
    QTemporaryDir dir_;
    QString archive_;
};

void ZipListTest::initTestCase()
{
    ZipWriter w;
    w.addStored("photo.jpg", "root photo");
    w.addStored("sub/photo.jpg", "sub photo");
    w.addStored("sub/Other.JPEG", "other");
    w.addDirectory("sub/", true);
    w.addDirectory("nobit/", false);
    w.addStored("a/Photo.JPG", "a photo");
    w.addStored("readme", "no dot");
    w.addStored("deep/er/x.jpg", "deep");
    ZipEntrySpec hidden;
    hidden.name = "hidden.jpg";
    hidden.data = "h";
    hidden.externalAttributes = 0x22; // hidden + archive
    w.add(hidden);
    archive_ = vx::test::writeArchive(dir_, w.build());
}

void ZipListTest::masks_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("exclude");
    QTest::addColumn<uint>("filter");
    QTest::addColumn<bool>("recurse");
    QTest::addColumn<QString>("expected");
    const QString all = QStringLiteral(
        "photo.jpg|sub\\photo.jpg|sub\\Other.JPEG|sub|nobit|a\\Photo.JPG|readme|deep\\er\\x.jpg|hidden.jpg");
    QTest::newRow("*.* with 10431 lists everything") << "*.*" << "" << 10431u << true << all;
    QTest::newRow("79 drops only the directory bit")
        << "*.*" << "" << 79u << true
        << "photo.jpg|sub\\photo.jpg|sub\\Other.JPEG|nobit|a\\Photo.JPG|readme|deep\\er\\x.jpg|hidden.jpg";
    QTest::newRow("filter without the hidden bit") << "*.jpg" << "" << 0x4Du << true
                                                   << "photo.jpg|sub\\photo.jpg|a\\Photo.JPG|deep\\er\\x.jpg";
    QTest::newRow("* matches names without a dot") << "*" << "" << 79u << true
                                                   << "photo.jpg|sub\\photo.jpg|sub\\Other.JPEG|nobit|a\\Photo.JPG|readme|deep\\er\\x.jpg|hidden.jpg";
    QTest::newRow("*.jpg, case ignored") << "*.jpg" << "" << 79u << true
                                         << "photo.jpg|sub\\photo.jpg|a\\Photo.JPG|deep\\er\\x.jpg|hidden.jpg";
    QTest::newRow("file-name part in every folder") << "photo.jpg" << "" << 79u << true
                                                    << "photo.jpg|sub\\photo.jpg|a\\Photo.JPG";
    QTest::newRow("backslashes and upper case") << "SUB\\PHOTO.JPG" << "" << 79u << true << "sub\\photo.jpg";
    QTest::newRow("drive prefix removed") << "C:\\sub\\photo.jpg" << "" << 79u << true << "sub\\photo.jpg";
    QTest::newRow("drive prefix without separator") << "c:photo.jpg" << "" << 79u << true
                                                    << "photo.jpg|sub\\photo.jpg|a\\Photo.JPG";
    QTest::newRow("network share prefix removed") << "\\\\server\\share\\sub\\Other.jpeg" << "" << 79u << true
                                                  << "sub\\Other.JPEG";
    QTest::newRow("folder wildcard") << "sub/*" << "" << 10431u << true << "sub\\photo.jpg|sub\\Other.JPEG";
    QTest::newRow("question mark") << "?hoto.jpg" << "" << 79u << true << "photo.jpg|sub\\photo.jpg|a\\Photo.JPG";
    QTest::newRow("directory by its name") << "sub" << "" << 10431u << true << "sub";
    QTest::newRow("exclusion mask") << "*.*" << "*.jp*g" << 79u << true << "nobit|readme";
    QTest::newRow("exclusion by folder") << "*.jpg" << "sub/*" << 79u << true
                                         << "photo.jpg|a\\Photo.JPG|deep\\er\\x.jpg|hidden.jpg";
    QTest::newRow("no match") << "*.png" << "" << 79u << true << "";
    QTest::newRow("recurse off, wildcard: root only") << "*.jpg" << "" << 79u << false << "photo.jpg|hidden.jpg";
    QTest::newRow("recurse off, wildcard in a folder") << "SUB/*.jpg" << "" << 79u << false << "sub\\photo.jpg";
    QTest::newRow("recurse off, exact name") << "sub\\PHOTO.jpg" << "" << 79u << false << "sub\\photo.jpg";
    QTest::newRow("recurse off, root name only") << "photo.jpg" << "" << 79u << false << "photo.jpg";
    QTest::newRow("recurse off, filtered directory") << "sub/" << "" << 79u << false << "";
}

void ZipListTest::masks()
{
    QFETCH(QString, mask);
    QFETCH(QString, exclude);
    QFETCH(uint, filter);
    QFETCH(bool, recurse);
    QFETCH(QString, expected);
    ZipReader reader;
    reader.Options.Recurse = recurse;
    reader.FileName = archive_;
    reader.OpenReadOnly();
    QCOMPARE(vx::test::listing(reader, mask, filter, exclude), expected);
}

void ZipListTest::wildcardMatch_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");
    QTest::newRow("empty mask, empty text") << "" << "" << true;
    QTest::newRow("empty mask") << "" << "a" << false;
    QTest::newRow("star, empty text") << "*" << "" << true;
    QTest::newRow("trailing stars") << "ab**" << "ab" << true;
    QTest::newRow("star backtracks") << "*ab*cd" << "xabyabzcd" << true;
    QTest::newRow("star needs the tail") << "*.jpg" << "photo.jpeg" << false;
    QTest::newRow("question needs a character") << "a?" << "a" << false;
    QTest::newRow("Cyrillic case") << "ФОТО*.JPG" << "фото1.jpg" << true;
    QTest::newRow("many stars, long text") << QString(100, QLatin1Char('*')) + "b" << QString(5000, QLatin1Char('a')) << false;
}

void ZipListTest::wildcardMatch()
{
    QFETCH(QString, mask);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    QCOMPARE(vx::zip::wildcardMatch(mask, text), matches);
}

void ZipListTest::longMaskIsHarmless()
{
    // Masks beyond 260 characters are compared whole: no overrun, and no shortened mask that could
    // match another entry.
    ZipReader reader;
    reader.FileName = archive_;
    reader.OpenReadOnly();
    const QString longMask = QString(300, QLatin1Char('p')) + QStringLiteral("hoto.jpg");
    QCOMPARE(vx::test::listing(reader, longMask), QString());
    QCOMPARE(vx::test::listing(reader, QString(400, QLatin1Char('*')) + QStringLiteral("x.jpg")),
             QStringLiteral("deep\\er\\x.jpg"));
    QString message;
    QCOMPARE(vx::test::errorCodeOf([&] { vx::test::extracted(reader, longMask); }, &message), 15);
    QVERIFY(message.contains(longMask));
}

void ZipListTest::recordFields_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("method");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<double>("ratio");
    QTest::newRow("stored in a folder") << QByteArray("sub/photo.jpg") << 0 << QByteArray("12345") << "sub\\" << "photo.jpg" << 0.0;
    QTest::newRow("deflated, compressible") << QByteArray("a/b/c.txt") << 8 << QByteArray(10000, 'a') << "a\\b\\"
                                            << "c.txt" << (1.0 - double(ZipWriter::deflateRaw(QByteArray(10000, 'a')).size()) / 10000) * 100;
    QTest::newRow("empty entry") << QByteArray("empty.txt") << 0 << QByteArray() << "" << "empty.txt" << 100.0;
    // Deflate of 3 random-looking bytes grows: the ratio is held at 0, never negative.
    QTest::newRow("grown by deflate") << QByteArray("tiny") << 8 << QByteArray("\x01\x9f\xe3", 3) << "" << "tiny" << 0.0;
    QTest::newRow("directory, trailing separator removed") << QByteArray("x/sub/") << 0 << QByteArray() << "x\\" << "sub" << 100.0;
    QTest::newRow("colon splits") << QByteArray("c:name.jpg") << 0 << QByteArray("1") << "c:" << "name.jpg" << 0.0;
    QTest::newRow("stored backslashes") << QByteArray("dos\\path.jpg") << 0 << QByteArray("1") << "dos\\" << "path.jpg" << 0.0;
}

void ZipListTest::recordFields()
{
    QFETCH(QByteArray, name);
    QFETCH(int, method);
    QFETCH(QByteArray, data);
    QFETCH(QString, folder);
    QFETCH(QString, fileName);
    QFETCH(double, ratio);
    ZipEntrySpec e;
    e.name = name;
    e.method = uint16_t(method);
    e.data = data;
    e.dosDate = 0x5A8F; // 2025-04-15
    e.dosTime = 0x7B2A; // 15:25:20
    e.externalAttributes = 0x81A40020;
    e.comment = "entry note";
    ZipWriter w;
    w.add(e);
    QTemporaryDir dir;
    ZipReader reader;
    reader.FileName = vx::test::writeArchive(dir, w.build());
    reader.OpenReadOnly();
    TZipArchiveItem item;
    QVERIFY(reader.FindFirstEntry(QStringLiteral("*.*"), {}, FilterEverything, item));
    QCOMPARE(item.EntryFolder, folder);
    QCOMPARE(item.EntryFileName, fileName);
    QCOMPARE(item.UnpackedSize, int64_t(data.size()));
    QCOMPARE(item.PackedSize, int64_t(method == 8 ? ZipWriter::deflateRaw(data).size() : data.size()));
    QVERIFY(qAbs(item.PackRatio - ratio) < 1e-9);
    QCOMPARE(item.EntryCrc, ZipWriter::crc32Of(data));
    QCOMPARE(item.ExternalAttributes, 0x81A40020u);
    QCOMPARE(item.DosDate, uint16_t(0x5A8F));
    QCOMPARE(item.DosTime, uint16_t(0x7B2A));
    QCOMPARE(item.EntryComment, QByteArray("entry note"));
    QVERIFY(!item.IsEncrypted);
    QCOMPARE(item.EntryIndex, 0);
}

void ZipListTest::findNextAfterTheEnd()
{
    ZipReader reader;
    reader.FileName = archive_;
    reader.OpenReadOnly();
    TZipArchiveItem item;
    QVERIFY(reader.FindFirstEntry(QStringLiteral("readme"), {}, FilterEverything, item));
    QVERIFY(!reader.FindNextEntry(item));
    QVERIFY(!reader.FindNextEntry(item));
    reader.Options.Recurse = false;
    QVERIFY(reader.FindFirstEntry(QStringLiteral("readme"), {}, FilterEverything, item));
    QVERIFY(!reader.FindNextEntry(item));
}

QTEST_GUILESS_MAIN(ZipListTest)
#include "ZipListTest.moc"
