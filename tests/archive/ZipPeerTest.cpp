// The third-party archives with their known facts, and our reading compared with unzip and Python's
// zipfile on the same files where those peers are installed.
#include "archive/ZipReader.h"
#include "tests/archive/ZipTestHelpers.h"
#include "tests/support/PeerProgram.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/SourcePaths.h"
#include "tests/support/ZipWriter.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vx::zip;
using vx::test::ZipEntrySpec;
using vx::test::ZipWriter;

namespace {

const QString TestData = vx::test::testDataPath(QStringLiteral("zip/"));
const vx::test::PeerProgram Unzip(QStringLiteral("unzip"));
const vx::test::PeerProgram Python(QStringLiteral("python3"));

// Python's view of an archive: one line per entry, "name<TAB>hex of content" (content empty for
// encrypted entries and folders).
const char *PythonLister = R"(import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
for i in z.infolist():
    data = b'' if (i.flag_bits & 1) or i.is_dir() else z.read(i)
    sys.stdout.write(i.filename + '\t' + data.hex() + '\n')
)";

QByteArray ourView(ZipReader &reader)
{
    QByteArray out;
    for (int i = 0; i < reader.EntryCount(); ++i) {
        const TDirItem &e = reader.Entry(i);
        QByteArray data;
        const bool folder = e.name.endsWith(QLatin1Char('/'));
        if (!e.isEncrypted() && !folder) {
            QBuffer b;
            reader.ExtractEntryToBuffer(i, b);
            data = b.data();
        }
        out += e.name.toUtf8() + '\t' + data.toHex() + '\n';
    }
    return out;
}

} // namespace

class ZipPeerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void brokenArchiveFacts_data();
    void brokenArchiveFacts();
    void unknownPasswordCancelled();
    void againstPeers_data();
    void againstPeers();

private:
    QTemporaryDir dir_;
};

void ZipPeerTest::initTestCase() { QVERIFY(dir_.isValid()); }

void ZipPeerTest::brokenArchiveFacts_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("size");
    QTest::newRow("storedok") << "storedok" << -1 << 10240;
    QTest::newRow("storedcrcerror") << "storedcrcerror" << 8 << 0;
    QTest::newRow("deflateok") << "deflateok" << -1 << 43133;
    QTest::newRow("deflatecrcerror") << "deflatecrcerror" << 8 << 0;
    QTest::newRow("deflatezliberror") << "deflatezliberror" << 8 << 0;
}

void ZipPeerTest::brokenArchiveFacts()
{
    QFETCH(QString, entry);
    QFETCH(int, code);
    QFETCH(int, size);
    ZipReader reader;
    reader.FileName = TestData + QStringLiteral("libzip-broken.zip");
    reader.OpenReadOnly();
    QCOMPARE(vx::test::listing(reader),
             QStringLiteral("storedok|storedcrcerror|deflateok|deflatecrcerror|deflatezliberror|cryptok"));
    QByteArray data;
    QCOMPARE(vx::test::errorCodeOf([&] { data = vx::test::extracted(reader, entry); }), code);
    QCOMPARE(data.size(), size);
    if (code < 0 && Unzip.found()) {
        const vx::test::ToolRun peer = Unzip.run({QStringLiteral("-p"), Unzip.pathFor(reader.FileName), entry});
        QCOMPARE(peer.exitCode, 0);
        QCOMPARE(data, peer.out);
    }
}

void ZipPeerTest::unknownPasswordCancelled()
{
    vx::test::ScriptedDesktop desktop;
    desktop.passwordAnswers.push_back(QStringLiteral("not it"));
    desktop.passwordAnswers.push_back(std::nullopt);
    ZipReader reader(&desktop);
    reader.FileName = TestData + QStringLiteral("libzip-broken.zip");
    reader.OpenReadOnly();
    QBuffer buffer;
    bool ok = true;
    QCOMPARE(vx::test::errorCodeOf([&] { ok = reader.ExtractEntryToBuffer(QStringLiteral("cryptok"), buffer); }), -1);
    QVERIFY(!ok);
    QCOMPARE(desktop.shown.size(), 2);
    QCOMPARE(desktop.shown[0].title, QStringLiteral("Password for \"cryptok\""));
}

void ZipPeerTest::againstPeers_data()
{
    QTest::addColumn<QString>("path");
    for (const char *f : {"libzip-broken.zip", "libzip-encrypt.zip", "libzip-encrypt-aes128.zip", "libzip-encrypt-aes256.zip"})
        if (QByteArray(f) != "libzip-broken.zip") // its broken entries make the peers fail, not list
            QTest::newRow(f) << TestData + QString::fromLatin1(f);
    {
        ZipWriter w;
        w.addStored("stored.jpg", QByteArray(100000, 's'));
        w.addDeflated("folder/deflated.jpg", QByteArray(50000, 'd') + "end");
        w.addDirectory("folder/");
        ZipEntrySpec utf8;
        utf8.name = QStringLiteral("Папка/фото.jpg").toUtf8();
        utf8.flags = 0x800;
        utf8.versionMadeBy = 0x0314; // unzip converts names from DOS hosts as OEM text even with bit 11
        utf8.data = "utf8 name";
        w.add(utf8);
        ZipEntrySpec dd;
        dd.name = "streamed.bin";
        dd.data = QByteArray(7000, '7');
        dd.method = 8;
        dd.dataDescriptor = true;
        w.add(dd);
        w.setArchiveComment("comment");
        const QString path = dir_.filePath(QStringLiteral("mixed.zip"));
        w.writeTo(path);
        QTest::newRow("mixed") << path;
    }
    {
        ZipWriter w;
        ZipEntrySpec big;
        big.name = "zip64.bin";
        big.data = QByteArray(30000, 'z');
        big.method = 8;
        big.zip64 = true;
        w.add(big);
        w.addStored("after.txt", "after");
        w.setZip64EndRecords(true);
        const QString path = dir_.filePath(QStringLiteral("zip64.zip"));
        w.writeTo(path);
        QTest::newRow("zip64") << path;
    }
    {
        ZipWriter w;
        w.addStored("a.txt", "in front");
        w.addDeflated("b.txt", QByteArray(3000, 'b'));
        w.setPrefix(QByteArray(4096, '\x90'));
        const QString path = dir_.filePath(QStringLiteral("prefixed.zip"));
        w.writeTo(path);
        QTest::newRow("data in front") << path;
    }
}

void ZipPeerTest::againstPeers()
{
    QFETCH(QString, path);
    ZipReader reader;
    reader.FileName = path;
    reader.OpenReadOnly();
    bool compared = false;
    if (Unzip.found()) {
        QStringList ours;
        for (int i = 0; i < reader.EntryCount(); ++i)
            ours << reader.Entry(i).name;
        const vx::test::ToolRun theirs = Unzip.run({QStringLiteral("-Z1"), Unzip.pathFor(path)});
        QCOMPARE(theirs.exitCode, 0);
        QCOMPARE(ours, QString::fromUtf8(theirs.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts));
        compared = true;
    }
    if (Python.found()) {
        const vx::test::ToolRun theirs =
            Python.run({QStringLiteral("-c"), QString::fromLatin1(PythonLister), Python.pathFor(path)});
        QCOMPARE(theirs.exitCode, 0);
        QCOMPARE(ourView(reader), theirs.out);
        compared = true;
    }
    if (!compared)
        QSKIP("neither unzip nor python3 is installed");
}

QTEST_GUILESS_MAIN(ZipPeerTest)
#include "ZipPeerTest.moc"
