// Extraction into the output folder: targets by file-name part, replacing, times and attributes, the
// "Confirm" dialog, and names that try to leave the folder.
#include "archive/ZipReader.h"
#include "platform/FileOps.h"
#include "tests/archive/ZipTestHelpers.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ZipWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace vx::zip;
using vx::test::ScriptedDesktop;
using vx::test::Shown;
using vx::test::ZipEntrySpec;
using vx::test::ZipWriter;

namespace {

// A sandbox: the archive and the output folder "out" side by side, so that anything written beside
// "out" shows up.
struct Sandbox {
    QTemporaryDir root;
    QString out = root.filePath(QStringLiteral("out"));
    ScriptedDesktop desktop;
    ZipReader reader{&desktop};
    explicit Sandbox(const QByteArray &archive, bool createDirs = false)
    {
        QDir().mkpath(out);
        QDir().mkpath(root.filePath(QStringLiteral("arc")));
        reader.FileName = vx::test::writeArchive(root, archive, QStringLiteral("arc/set.zip"));
        reader.Options.CreateDirs = createDirs;
        reader.Options.StorePath = spNoPath;
        reader.BaseDir = out;
        reader.OpenReadOnly();
    }
    // Every path under the sandbox but the archive, relative to it.
    QStringList everything() const
    {
        QStringList found;
        QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString rel = QDir(root.path()).relativeFilePath(it.next());
            if (rel != QLatin1String("arc") && rel != QLatin1String("arc/set.zip"))
                found << rel;
        }
        found.sort();
        return found;
    }
    QList<Shown> failures() const
    {
        QList<Shown> out;
        for (const Shown &s : desktop.shown)
            if (s.kind == Shown::Failure)
                out << s;
        return out;
    }
};

ZipEntrySpec entry(const QByteArray &name, const QByteArray &data)
{
    ZipEntrySpec e;
    e.name = name;
    e.data = data;
    e.method = 8;
    return e;
}

} // namespace

class ZipFolderExtractTest : public QObject {
    Q_OBJECT

private slots:
    void sameFileNameInFoldersLastWins();
    void hostileNames_data();
    void hostileNames();
    void unicodeNameRecordWithNul();
    void createDirsKeepsFolders_data();
    void createDirsKeepsFolders();
    void createDirsRefusesLinkedFolder();
    void replacesReadOnlyTarget();
    void replacesLinkNotItsTarget();
    void timeAndAttributes_data();
    void timeAndAttributes();
    void failureDialog_data();
    void failureDialog();
    void cannotCreateTarget();
    void passwordCancelWritesNothing();
    void exactEntryByIndex();
    void directoriesSkipped();
};

void ZipFolderExtractTest::sameFileNameInFoldersLastWins()
{
    // The name marks its namesakes in every folder whatever their letter case; each is written in turn
    // to the target of its own file name, so the last in directory order remains.
    ZipWriter same;
    same.add(entry("photo.jpg", "root"));
    same.add(entry("a/PHOTO.JPG", "from a"));
    same.add(entry("b/other.jpg", "other"));
    same.add(entry("B/c/Photo.Jpg", "from c"));
    Sandbox t(same.build());
    QCOMPARE(t.reader.ExtractMatchingToFolder(QStringLiteral("photo.jpg")), 3);
    // A file system that ignores case keeps one file; one that does not keeps each spelling.
    QCOMPARE(vx::test::readFileBytes(t.out + QStringLiteral("/Photo.Jpg")), QByteArray("from c"));
    const QStringList written = t.everything();
    QCOMPARE(written.first(), QStringLiteral("out"));
    for (const QString &path : written.mid(1))
        QVERIFY2(path.compare(QStringLiteral("out/photo.jpg"), Qt::CaseInsensitive) == 0, qPrintable(path));
}

void ZipFolderExtractTest::hostileNames_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("flat");     // written with CreateDirs off; "" when nothing may be written
    QTest::addColumn<QString>("withDirs"); // written with CreateDirs on
    QTest::newRow("../x.jpg") << QByteArray("../x.jpg") << "x.jpg" << "";
    QTest::newRow("..\\x.jpg") << QByteArray("..\\x.jpg") << "x.jpg" << "";
    QTest::newRow("/x.jpg") << QByteArray("/x.jpg") << "x.jpg" << "x.jpg";
    QTest::newRow("C:\\x.jpg") << QByteArray("C:\\x.jpg") << "x.jpg" << "";
    QTest::newRow("C:x.jpg") << QByteArray("C:x.jpg") << "x.jpg" << "";
    QTest::newRow("a/../../x.jpg") << QByteArray("a/../../x.jpg") << "x.jpg" << "";
    QTest::newRow(".") << QByteArray(".") << "" << "";
    QTest::newRow("..") << QByteArray("..") << "" << "";
    QTest::newRow("a/..") << QByteArray("a/..") << "" << "";
    QTest::newRow("d/") << QByteArray("d/") << "" << "";
    QTest::newRow("d\\") << QByteArray("d\\") << "" << "";
    QTest::newRow("empty") << QByteArray() << "" << "";
    QTest::newRow("embedded NUL") << QByteArray("x.jpg\0.txt", 10) << "" << "";
    QTest::newRow("control character") << QByteArray("x\x01.jpg") << "" << "";
    QTest::newRow("newline") << QByteArray("x\n.jpg") << "" << "";
}

void ZipFolderExtractTest::hostileNames()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, flat);
    QFETCH(QString, withDirs);
    ZipEntrySpec e = entry(name, "payload");
    ZipWriter w;
    w.add(e);
    for (const bool createDirs : {false, true}) {
        const QString written = createDirs ? withDirs : flat;
        Sandbox s(w.build(), createDirs);
        QCOMPARE(s.reader.ExtractEntryToFolder(0), !written.isEmpty());
        QStringList expected{QStringLiteral("out")};
        if (!written.isEmpty())
            expected << QStringLiteral("out/") + written;
        QCOMPARE(s.everything(), expected);
        QVERIFY(s.failures().isEmpty());
    }
}

void ZipFolderExtractTest::unicodeNameRecordWithNul()
{
    // The final name counts: a harmless stored name with a Unicode record that holds a NUL or "..".
    ZipWriter w;
    ZipEntrySpec nul = entry("fine.jpg", "a");
    nul.centralExtra = ZipWriter::unicodeNameRecord(QString::fromUtf16(u"bad\u0000.jpg", 8));
    w.add(nul);
    ZipEntrySpec dots = entry("fine2.jpg", "b");
    dots.centralExtra = ZipWriter::unicodeNameRecord(QStringLiteral(".."));
    w.add(dots);
    ZipEntrySpec escape = entry("fine3.jpg", "c");
    escape.centralExtra = ZipWriter::unicodeNameRecord(QStringLiteral("../../выход.jpg"));
    w.add(escape);
    Sandbox s(w.build());
    QVERIFY(!s.reader.ExtractEntryToFolder(0));
    QVERIFY(!s.reader.ExtractEntryToFolder(1));
    QVERIFY(s.reader.ExtractEntryToFolder(2));
    QCOMPARE(s.everything(), (QStringList{QStringLiteral("out"), QStringLiteral("out/выход.jpg")}));
}

void ZipFolderExtractTest::createDirsKeepsFolders_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("nested") << QByteArray("a/b/x.jpg") << QStringList{"out", "out/a", "out/a/b", "out/a/b/x.jpg"};
    QTest::newRow("absolute name stays inside") << QByteArray("/a/x.jpg") << QStringList{"out", "out/a", "out/a/x.jpg"};
    QTest::newRow("backslashes") << QByteArray("a\\x.jpg") << QStringList{"out", "out/a", "out/a/x.jpg"};
    QTest::newRow("dot-dot refused") << QByteArray("a/../../x.jpg") << QStringList{"out"};
    QTest::newRow("dot refused") << QByteArray("./x.jpg") << QStringList{"out"};
    QTest::newRow("drive refused") << QByteArray("C:\\a\\x.jpg") << QStringList{"out"};
}

void ZipFolderExtractTest::createDirsKeepsFolders()
{
    QFETCH(QByteArray, name);
    QFETCH(QStringList, expected);
    ZipWriter w;
    w.add(entry(name, "data"));
    Sandbox s(w.build(), true);
    s.reader.ExtractMatchingToFolder(QStringLiteral("*.*"));
    QCOMPARE(s.everything(), expected);
}

void ZipFolderExtractTest::createDirsRefusesLinkedFolder()
{
    ZipWriter w;
    w.add(entry("link/x.jpg", "data"));
    Sandbox s(w.build(), true);
    QDir().mkpath(s.root.filePath(QStringLiteral("elsewhere")));
    QVERIFY(QFile::link(s.root.filePath(QStringLiteral("elsewhere")), s.out + QStringLiteral("/link")));
    QCOMPARE(s.reader.ExtractMatchingToFolder(QStringLiteral("*.*")), 0);
    QVERIFY(!QFileInfo::exists(s.root.filePath(QStringLiteral("elsewhere/x.jpg"))));
    QCOMPARE(s.failures().size(), 1);
    QVERIFY(s.failures()[0].text.contains(QStringLiteral("Native error: 00019")));
}

void ZipFolderExtractTest::replacesReadOnlyTarget()
{
    ZipWriter w;
    w.add(entry("photo.jpg", "new content"));
    Sandbox s(w.build());
    const QString target = s.out + QStringLiteral("/photo.jpg");
    {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old content that is longer");
    }
    QVERIFY(vx::files::setReadOnly(target));
    QCOMPARE(s.reader.ExtractMatchingToFolder(QStringLiteral("photo.jpg")), 1);
    QCOMPARE(vx::test::readFileBytes(target), QByteArray("new content"));
    QVERIFY(s.failures().isEmpty());
}

void ZipFolderExtractTest::replacesLinkNotItsTarget()
{
    ZipWriter w;
    w.add(entry("photo.jpg", "new"));
    Sandbox s(w.build());
    const QString outside = s.root.filePath(QStringLiteral("outside.txt"));
    {
        QFile f(outside);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("untouched");
    }
    QVERIFY(vx::files::setReadOnly(outside));
    QVERIFY(QFile::link(outside, s.out + QStringLiteral("/photo.jpg")));
    QCOMPARE(s.reader.ExtractMatchingToFolder(QStringLiteral("photo.jpg")), 1);
    QCOMPARE(vx::test::readFileBytes(outside), QByteArray("untouched"));
    QVERIFY(!(QFileInfo(outside).permissions() & QFileDevice::WriteOwner));
    QVERIFY(!QFileInfo(s.out + QStringLiteral("/photo.jpg")).isSymLink());
    QCOMPARE(vx::test::readFileBytes(s.out + QStringLiteral("/photo.jpg")), QByteArray("new"));
}

void ZipFolderExtractTest::timeAndAttributes_data()
{
    QTest::addColumn<int>("madeBy");
    QTest::addColumn<uint>("attributes");
    QTest::addColumn<bool>("setAttributes");
    QTest::addColumn<uint>("expectedMode"); // permission bits
    QTest::newRow("Unix 0640") << 0x0314 << 0x81A00000u << true << 0640u;
    QTest::newRow("Unix 0755") << 0x0314 << 0x81ED0000u << true << 0755u;
    QTest::newRow("Unix set-uid dropped") << 0x0314 << 0x8DED0000u << true << 0755u;
    QTest::newRow("Unix without mode bits keeps default") << 0x0314 << 0x00000020u << true << 0644u;
    QTest::newRow("DOS read-only") << 0x0014 << 0x21u << true << 0444u;
    QTest::newRow("DOS archive") << 0x0014 << 0x20u << true << 0644u;
    QTest::newRow("attributes off") << 0x0314 << 0x81000000u << false << 0644u;
}

void ZipFolderExtractTest::timeAndAttributes()
{
    QFETCH(int, madeBy);
    QFETCH(uint, attributes);
    QFETCH(bool, setAttributes);
    QFETCH(uint, expectedMode);
    ZipEntrySpec e = entry("photo.jpg", "data");
    e.versionMadeBy = uint16_t(madeBy);
    e.externalAttributes = attributes;
    e.dosDate = 0x4A6E; // 2017-03-14
    e.dosTime = 0x7A3D; // 15:17:58
    ZipWriter w;
    w.add(e);
    Sandbox s(w.build());
    s.reader.Options.SetAttributes = setAttributes;
#ifdef Q_OS_WIN
    QVERIFY(s.reader.ExtractEntryToFolder(0));
#else
    const mode_t old = ::umask(022);
    QVERIFY(s.reader.ExtractEntryToFolder(0));
    ::umask(old);
#endif
    const QString target = s.out + QStringLiteral("/photo.jpg");
    const QFileInfo info(target);
    QCOMPARE(info.lastModified(), QDateTime(QDate(2017, 3, 14), QTime(15, 17, 58), Qt::LocalTime));
#ifdef Q_OS_WIN
    (void)expectedMode;
    QSKIP("Windows keeps no POSIX modes");
#else
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &st), 0);
    QCOMPARE(uint(st.st_mode & 07777), expectedMode);
#endif
}

void ZipFolderExtractTest::failureDialog_data()
{
    QTest::addColumn<QList<int>>("answers"); // FailureAnswer values
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<QStringList>("files");
    using A = vx::FailureAnswer;
    QTest::newRow("Ignore goes on") << QList<int>{int(A::Ignore)} << 1 << QStringList{"out", "out/good.jpg"};
    QTest::newRow("Retry repeats, then Ignore") << QList<int>{int(A::Retry), int(A::Retry), int(A::Ignore)} << 3
                                                << QStringList{"out", "out/good.jpg"};
    QTest::newRow("Abort ends") << QList<int>{int(A::Abort)} << 1 << QStringList{"out"};
}

void ZipFolderExtractTest::failureDialog()
{
    QFETCH(QList<int>, answers);
    QFETCH(int, dialogs);
    QFETCH(QStringList, files);
    ZipWriter w;
    ZipEntrySpec bad = entry("bad.jpg", "broken content");
    bad.crc = 7;
    w.add(bad);
    w.add(entry("good.jpg", "good"));
    Sandbox s(w.build());
    for (const int a : answers)
        s.desktop.failureAnswers.push_back(vx::FailureAnswer(a));
    QCOMPARE(s.reader.ExtractMatchingToFolder(QStringLiteral("*.jpg")), files.size() - 1);
    const QList<Shown> shown = s.failures();
    QCOMPARE(shown.size(), dialogs);
    for (const Shown &f : shown) {
        QCOMPARE(f.title, QStringLiteral("Confirm"));
        QCOMPARE(f.text, QStringLiteral("ZipReader1: Invalid size or check sum of file or unsupported compression "
                                        "format - Native error: 00008. File processing error, possibly disk is full"));
    }
    // The failed entry's file is gone.
    QCOMPARE(s.everything(), files);
}

void ZipFolderExtractTest::cannotCreateTarget()
{
    ZipWriter w;
    w.add(entry("photo.jpg", "data"));
    Sandbox s(w.build());
    s.reader.BaseDir = QDir::toNativeSeparators(s.root.filePath(QStringLiteral("missing")));
    QCOMPARE(s.reader.ExtractMatchingToFolder(QStringLiteral("photo.jpg")), 0);
    QCOMPARE(s.failures().size(), 1);
    QCOMPARE(s.failures()[0].text, QStringLiteral("ZipReader1: Cannot create file \"%1\" - Native error: 00019. File "
                                                  "processing error, possibly disk is full")
                                       .arg(QDir::toNativeSeparators(s.root.filePath(QStringLiteral("missing/photo.jpg")))));
}

void ZipFolderExtractTest::passwordCancelWritesNothing()
{
    ZipEntrySpec e = entry("secret.jpg", "data");
    e.pkwarePassword = QByteArray("pw");
    ZipWriter w;
    w.add(e);
    Sandbox s(w.build());
    s.desktop.passwordAnswers.push_back(std::nullopt);
    QCOMPARE(s.reader.ExtractMatchingToFolder(QStringLiteral("secret.jpg")), 0);
    QCOMPARE(s.everything(), QStringList{QStringLiteral("out")});
    QVERIFY(s.failures().isEmpty());
    s.desktop.passwordAnswers.push_back(QStringLiteral("pw"));
    QCOMPARE(s.reader.ExtractMatchingToFolder(QStringLiteral("secret.jpg")), 1);
    QCOMPARE(vx::test::readFileBytes(s.out + QStringLiteral("/secret.jpg")), QByteArray("data"));
}

void ZipFolderExtractTest::exactEntryByIndex()
{
    ZipWriter w;
    w.add(entry("photo.jpg", "root"));
    w.add(entry("a/photo.jpg", "from a"));
    ZipEntrySpec bad = entry("b/photo.jpg", "bad");
    bad.crc = 1;
    w.add(bad);
    Sandbox s(w.build());
    QVERIFY(s.reader.ExtractEntryToFolder(0));
    QCOMPARE(vx::test::readFileBytes(s.out + QStringLiteral("/photo.jpg")), QByteArray("root"));
    QVERIFY(!s.reader.ExtractEntryToFolder(2));
    QCOMPARE(s.failures().size(), 1);
    // The failed attempt never touched the file already there and left no temporary file behind.
    QCOMPARE(vx::test::readFileBytes(s.out + QStringLiteral("/photo.jpg")), QByteArray("root"));
    QCOMPARE(s.everything(), (QStringList{QStringLiteral("out"), QStringLiteral("out/photo.jpg")}));
    QVERIFY(s.reader.ExtractEntryToFolder(1));
    QCOMPARE(vx::test::readFileBytes(s.out + QStringLiteral("/photo.jpg")), QByteArray("from a"));
    QCOMPARE(vx::test::errorCodeOf([&] { s.reader.ExtractEntryToFolder(3); }), 15);
}

void ZipFolderExtractTest::directoriesSkipped()
{
    ZipWriter w;
    w.addDirectory("photo.jpg/", false); // a folder entry by its name only
    ZipEntrySpec dirBit = entry("photo.jpg", "");
    dirBit.externalAttributes = 0x10;
    w.add(dirBit);
    Sandbox s(w.build());
    QCOMPARE(s.reader.ExtractMatchingToFolder(QStringLiteral("photo.jpg")), 0);
    QCOMPARE(s.everything(), QStringList{QStringLiteral("out")});
    s.reader.CloseReader();
    QCOMPARE(vx::test::errorCodeOf([&] { s.reader.ExtractMatchingToFolder(QStringLiteral("x")); }), 13);
}

QTEST_GUILESS_MAIN(ZipFolderExtractTest)
#include "ZipFolderExtractTest.moc"
