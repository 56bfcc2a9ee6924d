// Replays tests/crashers/zip/, the saved fuzz corpus and the third-party archives through the ZIP
// fuzz target's entry code: each must end cleanly, with nothing written outside the output folder.
#include "fuzz/fuzz_zip_reader_run.h"
#include "tests/support/SourcePaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class ZipCrashersReplayTest : public QObject {
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
    void crashersFolderIsNotEmpty();
};

void ZipCrashersReplayTest::replay_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &folder : {QStringLiteral("tests/crashers/zip"), QStringLiteral("fuzz/corpus/fuzz_zip_reader"),
                                 QStringLiteral("../shared/testdata/zip")}) {
        const QDir dir(vx::test::sourcePath(folder));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(folder + QLatin1Char('/') + name)) << dir.filePath(name);
    }
}

void ZipCrashersReplayTest::replay()
{
    QFETCH(QString, path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QTemporaryDir scratch;
    const vx::fuzz::ZipRunSummary s = vx::fuzz::runZipReaderInput(
        reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), scratch.path());
    QVERIFY(!s.escaped);
    QVERIFY(s.extracted <= s.entries);
    QVERIFY(s.written <= s.entries);
}

void ZipCrashersReplayTest::crashersFolderIsNotEmpty()
{
    // A moved folder would turn the replay into a test of nothing.
    QVERIFY(QDir(vx::test::sourcePath(QStringLiteral("tests/crashers/zip"))).entryList(QDir::Files).size() >= 5);
    QVERIFY(QDir(vx::test::sourcePath(QStringLiteral("fuzz/corpus/fuzz_zip_reader"))).entryList(QDir::Files).size() >= 5);
}

QTEST_GUILESS_MAIN(ZipCrashersReplayTest)
#include "ZipCrashersReplayTest.moc"
