// vxinspect's ZIP commands as scripts and benchmarks use them: exact listing lines, raw bytes on
// standard output, messages on standard error, exit codes, and the password given once.
#include "platform/NativePath.h"
#include "tests/support/SourcePaths.h"
#include "tests/support/ToolRun.h"
#include "tests/support/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using vx::test::ZipEntrySpec;
using vx::test::ZipWriter;

namespace {

using Result = vx::test::ToolRun;

// Arguments as UTF-8, except one given as bytes (an archive named in 1251).
Result vxinspect(const QStringList &args, const QByteArray &archive = {})
{
    QList<QByteArray> bytes;
    for (const QString &arg : args)
        bytes << (arg == QLatin1String("<archive>") ? archive : arg.toUtf8());
    return vx::test::runTool(QStringLiteral(VXINSPECT_PATH), bytes);
}

const QString TestData = vx::test::testDataPath(QStringLiteral("zip/"));

} // namespace

class VxinspectZipTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void listMatchesSavedOutput();
    void listFields();
    void cat_data();
    void cat();
    void passwordAnsweredOnce();
    void extract();
    void openFailure();
    void allocationFailureIsAnErrorLine();

private:
    QTemporaryDir dir_;
    QString fixture_;
    QByteArray fixture1251_; // the fixture's native path under a name of 1251 bytes ("Фото.zip")
};

void VxinspectZipTest::initTestCase()
{
    ZipWriter w;
    ZipEntrySpec unix;
    unix.name = "sub/photo.jpg";
    unix.data = "photo bytes";
    unix.method = 8;
    unix.versionMadeBy = 0x0314;
    unix.externalAttributes = 0x81A40000;
    w.add(unix);
    w.addDirectory("sub/");
    ZipEntrySpec secret;
    secret.name = "a/secret.jpg";
    secret.data = "hidden";
    secret.pkwarePassword = QByteArray("pw");
    w.add(secret);
    ZipEntrySpec bad;
    bad.name = "bad.jpg";
    bad.data = "broken";
    bad.crc = 5;
    w.add(bad);
    fixture_ = dir_.filePath(QStringLiteral("fixture.zip"));
    QVERIFY(w.writeTo(fixture_));
    // Archives made on Russian Windows reach Linux with their names in 1251; on Windows the same
    // letters are UTF-16.
#ifdef Q_OS_WIN
    const std::filesystem::path name(u8"\u0424\u043E\u0442\u043E.zip");
#else
    const std::filesystem::path name(std::string("\xD4\xEE\xF2\xEE.zip"));
#endif
    const std::filesystem::path copy = vx::nativePath(dir_.path()) / name;
    std::filesystem::copy_file(vx::nativePath(fixture_), copy);
    const std::u8string bytes = copy.u8string();
    fixture1251_ = QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

void VxinspectZipTest::listMatchesSavedOutput()
{
    QByteArray all;
    for (const char *f : {"libzip-broken", "libzip-encrypt", "libzip-encrypt-aes128", "libzip-encrypt-aes256"}) {
        const Result r = vxinspect({QStringLiteral("zip-list"), TestData + QString::fromLatin1(f) + QStringLiteral(".zip")});
        QCOMPARE(r.exitCode, 0);
        all += "# " + QByteArray(f) + ".zip\n" + r.out;
    }
    QFile expected(vx::test::sourcePath(QStringLiteral("tests/tools/zip_testdata.expected")));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(all, expected.readAll());
}

void VxinspectZipTest::listFields()
{
    for (const QString &archive : {fixture_, QStringLiteral("<archive>")}) {
        const Result r = vxinspect({QStringLiteral("zip-list"), archive}, fixture1251_);
        QCOMPARE(r.exitCode, 0);
        const QByteArray expected = "sub\\photo.jpg\t11\t" + QByteArray::number(ZipWriter::deflateRaw("photo bytes").size()) + "\t" +
                                    QByteArray::number(ZipWriter::crc32Of("photo bytes"), 16).rightJustified(8, '0') +
                                    "\t81a40000\t0\n"
                                    "sub\t0\t0\t00000000\t10\t0\n"
                                    "a\\secret.jpg\t6\t18\t" +
                                    QByteArray::number(ZipWriter::crc32Of("hidden"), 16).rightJustified(8, '0') +
                                    "\t20\t1\n"
                                    "bad.jpg\t6\t6\t00000005\t20\t0\n";
        QCOMPARE(r.out, expected);
    }
    // zip-names prints the names as stored, as unzip -Z1 does.
    const Result names = vxinspect({QStringLiteral("zip-names"), fixture_});
    QCOMPARE(names.exitCode, 0);
    QCOMPARE(names.out, QByteArray("sub/photo.jpg\nsub/\na/secret.jpg\nbad.jpg\n"));
}

void VxinspectZipTest::cat_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("AES-128 with password") << QStringList{TestData + "libzip-encrypt-aes128.zip", "encrypted", "foofoofoo"} << 0
                                           << QByteArray("encrypted\n") << QByteArray();
    QTest::newRow("AES-128, plain entry") << QStringList{TestData + "libzip-encrypt-aes128.zip", "plain"} << 0
                                          << QByteArray("plain\n") << QByteArray();
    QTest::newRow("AES-256 with password") << QStringList{TestData + "libzip-encrypt-aes256.zip", "encrypted", "foofoofoo"} << 0
                                           << QByteArray("encrypted\n") << QByteArray();
    QTest::newRow("PKWARE with password") << QStringList{TestData + "libzip-encrypt.zip", "encrypted", "foo"} << 0
                                          << QByteArray("foo\n") << QByteArray();
    QTest::newRow("deflated, by backslash name") << QStringList{"<fixture>", "SUB\\photo.jpg"} << 0
                                                 << QByteArray("photo bytes") << QByteArray();
    QTest::newRow("archive named in 1251") << QStringList{"<archive>", "sub/photo.jpg"} << 0 << QByteArray("photo bytes")
                                           << QByteArray();
    QTest::newRow("CRC failure") << QStringList{"<fixture>", "bad.jpg"} << 1 << QByteArray()
                                 << QByteArray("ZipReader1: Invalid size or check sum of file or unsupported compression format - Native error: 00008\n");
    QTest::newRow("missing entry") << QStringList{"<fixture>", "none.jpg"} << 1 << QByteArray()
                                   << QByteArray("ZipReader1: File \"none.jpg\" not found - Native error: 00015\n");
}

void VxinspectZipTest::cat()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    if (args.first() == QLatin1String("<fixture>"))
        args.first() = fixture_;
    const Result r = vxinspect(QStringList{QStringLiteral("zip-cat")} + args, fixture1251_);
    QCOMPARE(r.exitCode, status);
    QCOMPARE(r.out, out);
    QCOMPARE(r.err, err);
}

void VxinspectZipTest::passwordAnsweredOnce()
{
    // A wrong password is given once; the second dialog is cancelled, so the entry is skipped.
    const Result wrong = vxinspect({QStringLiteral("zip-cat"), fixture_, QStringLiteral("a/secret.jpg"), QStringLiteral("nope")});
    QCOMPARE(wrong.exitCode, 3);
    QVERIFY(wrong.out.isEmpty());
    const Result none = vxinspect({QStringLiteral("zip-cat"), fixture_, QStringLiteral("a/secret.jpg")});
    QCOMPARE(none.exitCode, 3);
    const Result right = vxinspect({QStringLiteral("zip-cat"), fixture_, QStringLiteral("a/secret.jpg"), QStringLiteral("pw")});
    QCOMPARE(right.exitCode, 0);
    QCOMPARE(right.out, QByteArray("hidden"));
}

void VxinspectZipTest::extract()
{
    for (const QString &archive : {fixture_, QStringLiteral("<archive>")}) {
        QTemporaryDir out;
        const Result r = vxinspect({QStringLiteral("zip-extract"), archive, QStringLiteral("*.jpg"), out.path(), QStringLiteral("pw")},
                                   fixture1251_);
        QCOMPARE(r.exitCode, 0);
        // The failure dialog answered Ignore and printed its text.
        QCOMPARE(r.err, QByteArray("ZipReader1: Invalid size or check sum of file or unsupported compression format - Native "
                                   "error: 00008. File processing error, possibly disk is full\n"));
        QStringList files = QDir(out.path()).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, (QStringList{QStringLiteral("photo.jpg"), QStringLiteral("secret.jpg")}));
        QFile photo(out.filePath(QStringLiteral("photo.jpg")));
        QVERIFY(photo.open(QIODevice::ReadOnly));
        QCOMPARE(photo.readAll(), QByteArray("photo bytes"));
    }
}

void VxinspectZipTest::openFailure()
{
    const QString junk = dir_.filePath(QStringLiteral("junk.zip"));
    {
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not an archive");
    }
    for (const QString &command : {QStringLiteral("zip-list"), QStringLiteral("zip-cat")}) {
        QStringList args{command, junk};
        if (command == QLatin1String("zip-cat"))
            args << QStringLiteral("x");
        const Result r = vxinspect(args);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err, QByteArray("Invalid archive file. - Native error: 00035\n"));
    }
}

void VxinspectZipTest::allocationFailureIsAnErrorLine()
{
    // 400 KiB of deflated data that claims 400 MiB: the in-memory extraction prepares room for it, which
    // a memory limit of 320 MiB refuses.
    QByteArray noise(400 << 10, '\0');
    quint32 x = 2463534242u; // xorshift: data that deflate cannot shrink
    for (char &c : noise) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x);
    }
    ZipEntrySpec big;
    big.name = "big.jpg";
    big.data = noise;
    big.method = 8;
    big.uncompressedSize = quint64(400) << 20;
    ZipWriter w;
    w.add(big);
    const QString archive = dir_.filePath(QStringLiteral("claims-400-mib.zip"));
    QVERIFY(w.writeTo(archive));
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("ulimit -v 327680 && exec \"$0\" zip-cat \"$1\" big.jpg"),
                                        QStringLiteral(VXINSPECT_PATH), archive});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    QCOMPARE(p.readAllStandardError(), QByteArray("vxinspect: out of memory\n"));
}

QTEST_GUILESS_MAIN(VxinspectZipTest)
#include "tst_vxinspect_zip.moc"
