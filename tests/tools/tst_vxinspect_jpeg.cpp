// vxinspect jpeg: one tab-separated line per file, in the order given, compared byte for byte with the
// saved output (tests/tools/jpeg_testdata.expected). The photos' expectations are the readers' own:
// the nikon's byte-wise file scan takes its thumbnail's frame header, the damaged files keep their header.
#include "tests/support/SourcePaths.h"
#include "tests/support/SystemTexts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

class VxinspectJpegTest : public QObject {
    Q_OBJECT

private slots:
    void testdataPhotos()
    {
        // The saved output names the files as given, relative to the project root.
        const QString dir = QStringLiteral("../shared/testdata/jpeg/");
        QStringList args{QStringLiteral("jpeg")};
        for (const char *name : {"Canon_40D.jpg", "corrupted.jpg", "exif-org-nikon-e950.jpg", "gps-DSCN0010.jpg",
                                 "invalid-image01137.jpg", "orientation-portrait_6.jpg", "missing.jpg"})
            args << dir + QLatin1String(name);
        QProcess tool;
        tool.setWorkingDirectory(vx::test::sourcePath(QString()));
        tool.start(QStringLiteral(VXINSPECT_PATH), args);
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 0);
        QFile expected(vx::test::sourcePath(QStringLiteral("tests/tools/jpeg_testdata.expected")));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        // The failure names the file natively and gives the system's own reason ("Файл не найден." on a
        // Russian Windows); the saved output has Linux's.
        const QString missing = dir + QLatin1String("missing.jpg");
        QString want = QString::fromUtf8(expected.readAll());
        want.replace(QStringLiteral("\"%1\". No such file or directory").arg(missing),
                     QStringLiteral("\"%1\". %2").arg(QDir::toNativeSeparators(missing), vx::test::fileNotFoundText()));
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()), want);
    }

    void noFilesIsAUsageError()
    {
        QProcess tool;
        tool.start(QStringLiteral(VXINSPECT_PATH), {QStringLiteral("jpeg")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 2);
        QVERIFY(tool.readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(VxinspectJpegTest)
#include "tst_vxinspect_jpeg.moc"
