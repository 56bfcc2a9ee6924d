// The platform layer's file helpers and code pages.
#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"
#include "tests/support/FileTree.h"
#include "tests/support/SystemTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>


using vx::test::FileTree;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void joinPath_data();
    void joinPath();
    void fileNamePart_data();
    void fileNamePart();
    void copyNeverOverwrites();
    void copyFailures_data();
    void copyFailures();
    void removeReportsWhetherFileIsGone();
    void openForReadingRefusesWhatIsNoFile_data();
    void openForReadingRefusesWhatIsNoFile();
    void codePages_data();
    void codePages();
    void shownText_data();
    void shownText();
    void nativeNamesCopyAndDelete();
    void utf8Validity_data();
    void utf8Validity();
};

void TestPlatform::joinPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("joined");
    // Paths are native: "\" joins on Windows, "/" on Linux.
    const auto native = [](const char *path) { return QDir::toNativeSeparators(QString::fromUtf8(path)); };
    QTest::newRow("plain folder") << native("/rel/set") << native("/rel/set/a.jpg");
    QTest::newRow("trailing separator") << native("/rel/set/") << native("/rel/set/a.jpg");
    QTest::newRow("trailing slash as Qt writes it") << "C:/rel/set/" << "C:/rel/set/a.jpg";
#ifdef Q_OS_WIN
    QTest::newRow("root") << "C:\\" << "C:\\a.jpg";
#else
    QTest::newRow("root") << "/" << "/a.jpg";
#endif
}

void TestPlatform::joinPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, joined);
    QCOMPARE(vx::files::joinPath(folder, QStringLiteral("a.jpg")), joined);
}

void TestPlatform::fileNamePart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("nested") << "/a/b/c.jpg" << "c.jpg";
    QTest::newRow("bare") << "c.jpg" << "c.jpg";
    QTest::newRow("folder") << "/a/b/" << "";
}

void TestPlatform::fileNamePart()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(vx::files::fileNamePart(path), name);
}

void TestPlatform::copyNeverOverwrites()
{
    FileTree tree;
    const QString source = tree.file("src/a.jpg", "fresh bytes");
    const QString target = tree.path("a.jpg");
    QVERIFY(vx::files::copyNoOverwrite(source, target));
    QFile copy(target);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("fresh bytes"));
    copy.close();
    QCOMPARE(QFileInfo(target).lastModified(), QFileInfo(source).lastModified());

    tree.file("src/b.jpg", "new");
    const QString existing = tree.file("b.jpg", "old");
    QVERIFY(!vx::files::copyNoOverwrite(tree.path("src/b.jpg"), existing));
    QFile kept(existing);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old"));
}

void TestPlatform::shownText_data()
{
    QTest::addColumn<QByteArray>("native");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8 throughout") << QByteArray("/home/\xD0\xAF/a.jpg") << QString::fromUtf8("/home/Я/a.jpg");
    // Each part is read on its own: a 1251 folder under a UTF-8 one reads right on both sides.
    QTest::newRow("1251 part under UTF-8") << QByteArray("/\xD0\xAF/\xD1\xE5\xF2/\xD4\xEE\xF2\xEE.jpg")
                                           << QString::fromUtf8("/Я/Сет/Фото.jpg");
    QTest::newRow("overlong UTF-8 is no UTF-8") << QByteArray("/\xC0\xAF") << QString::fromUtf8("/АЇ");
}

void TestPlatform::shownText()
{
    QFETCH(QByteArray, native);
    QFETCH(QString, shown);
    QCOMPARE(vx::shownText(std::filesystem::path(native.toStdString())), shown);
}

void TestPlatform::nativeNamesCopyAndDelete()
{
    FileTree tree;
    const std::filesystem::path source = tree.nativeFile("src/\xD4\xEE\xF2\xEE.jpg", "bytes");
    const std::filesystem::path target = tree.native("\xD4\xEE\xF2\xEE.jpg");
    QVERIFY(vx::files::exists(source));
    QVERIFY(vx::files::copyNoOverwrite(source, target));
    QVERIFY(!vx::files::copyNoOverwrite(source, target)); // never over an existing file
    QFile copy;
    vx::files::openForReading(copy, target);
    QCOMPARE(copy.readAll(), QByteArray("bytes"));
    copy.close();
    QVERIFY(vx::files::remove(target));
    QVERIFY(!std::filesystem::exists(target));
    QVERIFY(std::filesystem::exists(source));
}

void TestPlatform::copyFailures_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::newRow("missing source") << "missing.jpg" << "out/missing.jpg";
    QTest::newRow("target onto itself") << "out/self.jpg" << "out/self.jpg";
    QTest::newRow("source is a folder") << "out" << "copy-of-folder";
    QTest::newRow("target folder missing") << "out/self.jpg" << "nowhere/x.jpg";
    QTest::newRow("named pipe") << "pipe.jpg" << "out/pipe.jpg";
}

void TestPlatform::copyFailures()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    FileTree tree;
    tree.file("out/self.jpg", "self");
    if (source == QLatin1String("pipe.jpg"))
        VX_MAKE_NAMED_PIPE(tree.path("pipe.jpg"));
    QVERIFY(!vx::files::copyNoOverwrite(tree.path(source), tree.path(target)));
    QVERIFY(!vx::files::copyNoOverwrite(vx::nativePath(tree.path(source)), vx::nativePath(tree.path(target))));
    QVERIFY(!QFileInfo::exists(tree.path("out/pipe.jpg")));
    QFile self(tree.path("out/self.jpg"));
    QVERIFY(self.open(QIODevice::ReadOnly));
    QCOMPARE(self.readAll(), QByteArray("self")); // nothing was lost on the way
}

void TestPlatform::removeReportsWhetherFileIsGone()
{
    FileTree tree;
    const QString p = tree.file("x.jpg");
    QVERIFY(vx::files::exists(p));
    QVERIFY(vx::files::remove(p));
    QVERIFY(!vx::files::exists(p));
    QVERIFY(vx::files::remove(p)); // already gone
    QVERIFY(!vx::files::exists(tree.folder("folder")));
}

void TestPlatform::openForReadingRefusesWhatIsNoFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("named pipe") << "fifo" << "Not a regular file";
    QTest::newRow("missing") << "missing" << vx::test::fileNotFoundText();
    QTest::newRow("regular") << "file" << "ok";
}

void TestPlatform::openForReadingRefusesWhatIsNoFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    FileTree tree;
    const QString path = tree.path(QStringLiteral("x.jpg"));
    if (kind == QLatin1String("fifo"))
        VX_MAKE_NAMED_PIPE(path);
    else if (kind == QLatin1String("file"))
        tree.file(QStringLiteral("x.jpg"), "data");
    QFile file;
    try {
        vx::files::openForReading(file, path); // a pipe would block here for ever without the check
        QCOMPARE(reason, QStringLiteral("ok"));
        QCOMPARE(file.readAll(), QByteArray("data"));
    } catch (const vx::Error &e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
    }
}

void TestPlatform::codePages_data()
{
    QTest::addColumn<QByteArray>("oem");
    QTest::addColumn<QByteArray>("ansi");
    QTest::addColumn<QString>("text");
    // "Фото" in code page 866 is 94 AE E2 AE; in 1251 it is D4 EE F2 EE.
    QTest::newRow("cyrillic") << QByteArray("\x94\xAE\xE2\xAE") << QByteArray("\xD4\xEE\xF2\xEE") << QStringLiteral("Фото");
    QTest::newRow("ascii") << QByteArray("set_01.jpg") << QByteArray("set_01.jpg") << QStringLiteral("set_01.jpg");
    // Box-drawing characters of 866 have no 1251 form.
    QTest::newRow("box drawing") << QByteArray("\xC4") << QByteArray("?") << QStringLiteral("?");
}

void TestPlatform::codePages()
{
    QFETCH(QByteArray, oem);
    QFETCH(QByteArray, ansi);
    QFETCH(QString, text);
    QCOMPARE(vx::codepage::oemToAnsi(oem), ansi);
    QCOMPARE(vx::codepage::fromAnsi(ansi), text);
    if (text != QStringLiteral("?"))
        QCOMPARE(vx::codepage::toAnsi(text), ansi);
}

void TestPlatform::utf8Validity_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ascii") << QByteArray("abc") << true;
    QTest::newRow("cyrillic") << QStringLiteral("Фото").toUtf8() << true;
    QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x93\xB7") << true;
    QTest::newRow("lone continuation") << QByteArray("\x80") << false;
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::newRow("truncated") << QByteArray("\xD0") << false;
    QTest::newRow("1251 text") << QByteArray("\xD4\xEE\xF2\xEE") << false;
    QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
}

void TestPlatform::utf8Validity()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QCOMPARE(vx::codepage::isValidUtf8(bytes), valid);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
