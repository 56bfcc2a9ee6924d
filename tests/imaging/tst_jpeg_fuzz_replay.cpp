// Replays the saved fuzz corpus of the JPEG targets and the crashers found so far through the fuzz
// targets' own bodies, under the ordinary build.
#include "fuzz/fuzz_jpeg_entries.h"
#include "tests/support/SourcePaths.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

class JpegFuzzReplayTest : public QObject {
    Q_OBJECT

private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("path");
        const QString root = vx::test::sourcePath(QString());
        int count = 0;
        for (const QString &folder : {root + "/fuzz/corpus", root + "/tests/imaging/crashers"}) {
            QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                if (folder.endsWith("corpus") && !QFileInfo(path).path().section('/', -1).startsWith("fuzz_jpeg_"))
                    continue;
                QTest::newRow(qPrintable(QDir(root).relativeFilePath(path))) << path;
                ++count;
            }
        }
        QVERIFY2(count >= 10, "the saved corpus is missing");
    }

    // Every saved input goes through all three bodies: an input found by one target is a fair test for
    // the others.
    void replay()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
        const auto size = std::size_t(bytes.size());
        QVERIFY(vx::fuzz::jpegStreamReader(data, size));
        QVERIFY(vx::fuzz::jpegFileScan(data, size));
        QVERIFY(vx::fuzz::jpegScaledProbe(data, size));
    }
};

QTEST_GUILESS_MAIN(JpegFuzzReplayTest)
#include "tst_jpeg_fuzz_replay.moc"
