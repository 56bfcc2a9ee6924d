// Replays the fuzzer's saved corpus and the crashers found so far through the fuzzer's own entry.

#include "fuzz/fuzz_http_reply_entry.h"
#include "tests/support/SourcePaths.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class HttpReplyReplayTest : public QObject {
    Q_OBJECT

private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("path");
        int n = 0;
        for (const char *folder : {"fuzz/corpus/fuzz_http_reply", "tests/upload/crashers"}) {
            const QDir dir(vx::test::sourcePath(folder));
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
                QTest::newRow(qPrintable(QString(folder) + "/" + name)) << dir.filePath(name);
                ++n;
            }
        }
        if (n == 0)
            qFatal("no saved corpus under fuzz/corpus/fuzz_http_reply");
    }
    void replay()
    {
        QFETCH(QString, path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        vxFuzzHttpReply(reinterpret_cast<const std::uint8_t *>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    }
};

QTEST_GUILESS_MAIN(HttpReplyReplayTest)
#include "HttpReplyReplayTest.moc"
