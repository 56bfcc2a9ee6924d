// vxinspect walk lists what `find -L` finds in a release of 1251 and 866 names, linked folders and a
// cycle; vxinspect post sends such photos to the stand-in host by their own bytes, and fails at once
// on a pipe named like a photo.
#include "tests/support/ReleaseTree.h"
#include "tests/support/ToolRun.h"
#include "tests/upload/StandinHost.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <algorithm>

namespace {

vx::test::ToolRun vxinspect(const QList<QByteArray> &args) { return vx::test::runTool(QStringLiteral(VXINSPECT_PATH), args); }

QByteArray bytes(const std::filesystem::path &path) { return QByteArray::fromStdString(path.native()); }

} // namespace

class VxinspectWalkPostTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vx::test::StandinHost> host_;

private slots:
    void initTestCase()
    {
        host_ = std::make_unique<vx::test::StandinHost>();
        QVERIFY2(host_->running(), qPrintable(host_->errorText()));
    }

    void walkListsWhatFindFinds()
    {
        vx::test::ReleaseTree release;
        const QList<QByteArray> expected = vx::test::findPhotos(release.root());
        QCOMPARE(expected.size(), 8); // seven photos and the folder x.jpg
        const vx::test::ToolRun run = vxinspect({"walk", bytes(release.nativeRoot())});
        QCOMPARE(run.exitCode, 0);
        QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        std::sort(lines.begin(), lines.end());
        QCOMPARE(lines, expected);
    }

    void postSendsPhotosByTheirOwnBytes()
    {
        vx::test::ReleaseTree release;
        // The photos' folder is named in 1251 bytes, which the query cannot carry: the host checks the
        // parts against copies in a UTF-8 folder, found by the filename parameters' bytes.
        const QString copy = release.tree().folder(QStringLiteral("copy"));
        QList<QByteArray> args{"post", host_->url(QStringLiteral("ok"), vx::test::StandinHost::dirQuery(copy)).toUtf8()};
        for (const std::filesystem::path &photo : {release.photos()[0], release.photos()[1]}) {
            std::filesystem::copy_file(photo, std::filesystem::path(copy.toStdString()) / photo.filename());
            args << bytes(photo);
        }
        const vx::test::ToolRun run = vxinspect(args);
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.first(), QByteArray("ok"));
        QVERIFY2(run.out.contains("[URL=http://img.example/1]"), run.out.constData());
    }

    void pipeFailsThePostAtOnce()
    {
        vx::test::ReleaseTree release;
        const QString pipe = release.tree().path(QStringLiteral("release/x.jpg/p.jpg"));
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {pipe}), 0);
        const vx::test::ToolRun run = vxinspect({"post", host_->url(QStringLiteral("ok")).toUtf8(), bytes(release.photos()[0]),
                                   pipe.toUtf8()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.startsWith("failed: ") && run.out.contains("p.jpg"), run.out.constData());
        QVERIFY(run.out.contains(QString::fromUtf8("не обычный файл").toUtf8()));
    }

    void jpegRefusesPipesAndDevices()
    {
        vx::test::ReleaseTree release;
        const QString pipe = release.tree().path(QStringLiteral("pipe.jpg"));
        const QString zero = release.tree().path(QStringLiteral("zero.jpg"));
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {pipe}), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        // A pipe would hold every probe until a writer comes, /dev/zero would be read for ever.
        const vx::test::ToolRun run = vxinspect({"jpeg", pipe.toUtf8(), zero.toUtf8()});
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 3);
        for (int i = 0; i < 2; ++i) {
            const QList<QByteArray> fields = lines[i].split('\t');
            QCOMPARE(fields.size(), 4);
            QVERIFY2(fields[1].endsWith("Not a regular file") && fields[2].endsWith("Not a regular file"),
                     lines[i].constData());
            QCOMPARE(fields[3], QByteArray("none"));
        }
    }
};

QTEST_GUILESS_MAIN(VxinspectWalkPostTest)
#include "tst_vxinspect_walk_post.moc"
