// vxinspect.exe of the Windows build, run under Wine, against vxinspect here on the same inputs: JPEG
// sizes, ZIP listing and unpacking, the walk over a release with Cyrillic and CJK names, and a post to
// the stand-in host. The walk is compared as a set (Windows lists a folder in NTFS order) with "\"
// read as "/". The system's own error texts differ between the systems, so no row asks for one.
#include "tests/support/FileTree.h"
#include "tests/support/SourcePaths.h"
#include "tests/support/ToolRun.h"
#include "tests/upload/StandinHost.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <algorithm>

namespace {

vx::test::ToolRun underWine(const QList<QByteArray> &args)
{
    qputenv("WINEPREFIX", VX_WINDOWS_BUILD_DIR "/wineprefix");
    qputenv("WINEDEBUG", "-all");
    qputenv("LANG", "ru_RU.UTF-8");
    qputenv("TZ", "Europe/Berlin");
    return vx::test::runTool(QStringLiteral(VX_WINE64), QList<QByteArray>{VX_WINDOWS_BUILD_DIR "/bin/vxinspect.exe"} + args);
}

QList<QByteArray> sortedLines(QByteArray out)
{
    out.replace('\\', '/');
    QList<QByteArray> lines = out.split('\n');
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

class VxinspectWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vx::test::StandinHost> host_;
    vx::test::FileTree release_;

private slots:
    void initTestCase()
    {
        host_ = std::make_unique<vx::test::StandinHost>();
        QVERIFY2(host_->running(), qPrintable(host_->errorText()));
        QFile source(vx::test::testDataPath(QStringLiteral("jpeg/Canon_40D.jpg")));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray photo = source.readAll();
        for (const char *name : {"release/Фото 01/снимок.jpg", "release/写真/海.JPG", "release/写真/Ünïcödé/a.jpeg",
                                 "release/plain/b.jpg", "release/plain/notes.txt"})
            release_.file(QString::fromUtf8(name), photo);
        QDir::setCurrent(vx::test::sourcePath(QString()));
    }

    void sameOutput_data()
    {
        QTest::addColumn<QList<QByteArray>>("args");
        QTest::addColumn<bool>("asSet");
        const QByteArray jpeg = "../shared/testdata/jpeg/", zip = "../shared/testdata/zip/";
        QTest::newRow("jpeg") << QList<QByteArray>{"jpeg", jpeg + "Canon_40D.jpg", jpeg + "corrupted.jpg",
                                                   jpeg + "exif-org-nikon-e950.jpg"}
                              << false;
        QTest::newRow("zip-list") << QList<QByteArray>{"zip-list", zip + "libzip-encrypt-aes256.zip"} << false;
        QTest::newRow("zip-cat, AES") << QList<QByteArray>{"zip-cat", zip + "libzip-encrypt-aes128.zip", "encrypted", "foofoofoo"}
                                      << false;
        QTest::newRow("walk, Cyrillic and CJK names") << QList<QByteArray>{"walk", "<release>"} << true;
        QTest::newRow("post") << QList<QByteArray>{"post", "<host>", "<release>/Фото 01/снимок.jpg", "<release>/写真/海.JPG"} << false;
    }

    void sameOutput()
    {
        QFETCH(QList<QByteArray>, args);
        QFETCH(bool, asSet);
        for (QByteArray &arg : args) {
            arg.replace("<release>", release_.path(QStringLiteral("release")).toUtf8());
            arg.replace("<host>", host_->url(QStringLiteral("ok")).toUtf8());
        }
        const vx::test::ToolRun linux = vx::test::runTool(QStringLiteral(VXINSPECT_PATH), args);
        const vx::test::ToolRun windows = underWine(args);
        QCOMPARE(windows.exitCode, linux.exitCode);
        QVERIFY2(!linux.out.isEmpty(), "the Linux program printed nothing");
        if (asSet)
            QCOMPARE(sortedLines(windows.out), sortedLines(linux.out));
        else
            QCOMPARE(windows.out, linux.out);
    }
};

QTEST_GUILESS_MAIN(VxinspectWindowsTest)
#include "tst_vxinspect_windows.moc"
