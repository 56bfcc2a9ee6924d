// "Обновить" on the folder page through the real main window: the three lines, the folder count, the
// size limit, abort, and an unreadable first photo.

#include "app/Unit1.h"
#include "tests/reports/ReportFixtures.h"
#include "tests/support/FileTree.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/SourcePaths.h"
#include "tests/support/SystemTexts.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using vx::test::FileTree;
using vx::test::ScriptedDesktop;

namespace {

// One photo of the release: where it lies and what its file holds.
struct Photo {
    QString relative;
    QByteArray bytes;
};
using Photos = QList<Photo>;

QByteArray testData(const char *name)
{
    QFile f(vx::test::testDataPath(QStringLiteral("jpeg/") + QLatin1String(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Photo jpeg(const QString &relative, int width, int height) { return {relative, vx::test::makeJpeg(width, height)}; }

class Fixture {
public:
    Fixture() : window(desktop) { view().infmemo->setPlainText(QStringLiteral("старые данные")); }
    vx::Form1View &view() { return window.view(); }
    void list(const Photos &photos)
    {
        for (const Photo &p : photos)
            view().lb1->addItem(QDir::toNativeSeparators(tree.file(p.relative, p.bytes))); // as the walk lists them
        view().Button7->show();
    }
    void pressRefresh() { view().Button7->click(); }
    bool idle()
    {
        return view().Panel1->isHidden() && view().Button1->isEnabled() && view().lb1->isEnabled() &&
               view().TabSet1->isEnabled();
    }

    FileTree tree;
    ScriptedDesktop desktop;
    TForm1 window;
};

} // namespace

Q_DECLARE_METATYPE(Photos)

class TechDataRunTest : public QObject {
    Q_OBJECT
private slots:
    void report_data();
    void report();
    void busyWhileRunning();
    void abortLeavesMemoEmptyAndButtonShown();
    void unreadableFirstPhotoEndsTheRun();
    void emptyListDoesNothing();
    void pipesAndFoldersNamedLikePhotosAreSkipped();
    void pipeAsFirstEntryIsReportedNotWaitedFor();
};

void TechDataRunTest::report_data()
{
    QTest::addColumn<Photos>("photos");
    QTest::addColumn<QString>("memo");
    QTest::newRow("one 4000x3000") << Photos{jpeg("Rel/A/1.jpg", 4000, 3000)}
                                   << "Файлов: 1\nПапок: 1\nРазрешение : 4000x3000 - 4000x3000";
    QTest::newRow("1600x1200 and 1600x900")
        << Photos{jpeg("Rel/A/1.jpg", 1600, 900), jpeg("Rel/A/2.jpg", 1600, 1200)}
        << "Файлов: 2\nПапок: 1\nРазрешение : 1600x1200 - 1600x900";
    QTest::newRow("1080x1920 and 1600x1200")
        << Photos{jpeg("Rel/A/1.jpg", 1600, 1200), jpeg("Rel/A/2.jpg", 1080, 1920)}
        << "Файлов: 2\nПапок: 1\nРазрешение : 1080x1920 - 1600x1200";
    QTest::newRow("20000 is over the limit, 19999 is not")
        << Photos{{"Rel/A/wide.jpg", vx::test::jpegClaimingSize(20000, 100)},
                  {"Rel/A/big.jpg", vx::test::jpegClaimingSize(19999, 19999)},
                  {"Rel/A/tall.jpg", vx::test::jpegClaimingSize(100, 20000)}}
        << "Файлов: 3\nПапок: 1\nРазрешение : 19999x19999 - 19999x19999";
    QTest::newRow("folders A, A, B, A")
        << Photos{jpeg("Rel/A/1.jpg", 64, 48), jpeg("Rel/A/2.jpg", 64, 48), jpeg("Rel/B/1.jpg", 64, 48),
                  jpeg("Rel/A/3.jpg", 64, 48)}
        << "Файлов: 4\nПапок: 3\nРазрешение : 64x48 - 64x48";
    QTest::newRow("nothing measurable")
        << Photos{{"Rel/A/lossless.jpg", vx::test::makeLosslessJpegHeader(640, 480)},
                  {"Rel/B/empty.jpg", QByteArray()}, {"Rel/B/text.jpg", QByteArray("not a photo at all")}}
        << "Файлов: 3\nПапок: 2\nРазрешение : нет данных";
    QTest::newRow("camera photo with a thumbnail")
        << Photos{{"Rel/A/cam.jpg", vx::test::makeJpeg(1200, 800, {.exifThumbnail = true})}}
        << "Файлов: 1\nПапок: 1\nРазрешение : 1200x800 - 1200x800";
    QTest::newRow("camera photos with EXIF")
        << Photos{{"Rel/A/canon.jpg", testData("Canon_40D.jpg")}, {"Rel/A/gps.jpg", testData("gps-DSCN0010.jpg")},
                  {"Rel/B/turned.jpg", testData("orientation-portrait_6.jpg")}}
        << "Файлов: 3\nПапок: 2\nРазрешение : 100x68 - 640x480";
}

void TechDataRunTest::report()
{
    QFETCH(Photos, photos);
    QFETCH(QString, memo);
    for (const Photo &p : photos)
        QVERIFY2(!p.bytes.isEmpty() || p.relative.contains(QLatin1String("empty")), qPrintable(p.relative));
    Fixture f;
    f.list(photos);
    f.pressRefresh();
    QCOMPARE(f.view().infmemo->toPlainText(), memo);
    QVERIFY(f.desktop.shown.isEmpty());
    QVERIFY(f.idle());
    QVERIFY(f.view().Button7->isHidden());
    QCOMPARE(f.view().Label3->text(), QStringLiteral("Пересчёт тех. данных..."));
}

void TechDataRunTest::busyWhileRunning()
{
    Fixture f;
    f.list({jpeg("Rel/A/1.jpg", 64, 48), jpeg("Rel/A/2.jpg", 64, 48), jpeg("Rel/B/3.jpg", 64, 48)});
    // A photo that went away after the scan counts as a file, and its folder as a folder.
    QFile::remove(f.view().lb1->item(2)->text());
    QList<bool> busy;
    QList<int> positions;
    f.desktop.onEveryProcessEvents = [&] {
        busy << (!f.view().Panel1->isHidden() && !f.view().Button1->isEnabled() && !f.view().lb1->isEnabled() &&
                 f.view().Button7->isHidden() && !f.view().AbortRequested);
        positions << f.view().pb1->value();
    };
    f.view().AbortRequested = true; // left set by an earlier abort
    f.pressRefresh();
    QCOMPARE(busy, (QList<bool>{true, true, true}));
    QCOMPARE(positions, (QList<int>{0, 0, 1})); // the position moves on after each event pass
    QCOMPARE(f.view().pb1->maximum(), 2);
    QCOMPARE(f.view().infmemo->toPlainText(), QStringLiteral("Файлов: 3\nПапок: 2\nРазрешение : 64x48 - 64x48"));
}

void TechDataRunTest::abortLeavesMemoEmptyAndButtonShown()
{
    Fixture f;
    f.list({jpeg("Rel/A/1.jpg", 64, 48), jpeg("Rel/A/2.jpg", 64, 48), jpeg("Rel/A/3.jpg", 64, 48)});
    f.desktop.atProcessEvents(2, [&] { QTest::mouseClick(f.view().SpeedButton1, Qt::LeftButton); });
    f.pressRefresh();
    QCOMPARE(f.desktop.processEventsCalls, 2);
    QCOMPARE(f.view().infmemo->toPlainText(), QString());
    QVERIFY(!f.view().Button7->isHidden());
    QVERIFY(f.view().AbortRequested);
    QVERIFY(f.view().Label3->text().isEmpty());
    QVERIFY(f.desktop.shown.isEmpty());
    QVERIFY(f.idle());
}

void TechDataRunTest::unreadableFirstPhotoEndsTheRun()
{
    Fixture f;
    f.list({jpeg("Rel/A/1.jpg", 64, 48), jpeg("Rel/A/2.jpg", 64, 48)});
    const QString first = f.view().lb1->item(0)->text();
    QFile::remove(first);
    f.pressRefresh();
    QCOMPARE(f.desktop.processEventsCalls, 0);
    QCOMPARE(f.desktop.messages().size(), 1);
    QCOMPARE(f.desktop.messages().first(), QStringLiteral("Cannot open file \"%1\". %2").arg(first, vx::test::fileNotFoundText()));
    QCOMPARE(f.view().infmemo->toPlainText(), QStringLiteral("старые данные"));
    QVERIFY(f.idle());
}

void TechDataRunTest::emptyListDoesNothing()
{
    Fixture f;
    f.view().Button7->show();
    f.pressRefresh();
    QVERIFY(!f.view().Button7->isHidden());
    QCOMPARE(f.view().infmemo->toPlainText(), QStringLiteral("старые данные"));
    QCOMPARE(f.desktop.processEventsCalls, 0);
}

void TechDataRunTest::pipesAndFoldersNamedLikePhotosAreSkipped()
{
    Fixture f;
    f.list({jpeg("Rel/A/1.jpg", 1600, 1200)});
    const QString pipe = vx::test::namedPipe(f.tree, QStringLiteral("Rel/A/pipe.jpg"));
#ifdef Q_OS_WIN
    QSKIP("Windows keeps no named pipes among its files");
#endif
    QVERIFY(!pipe.isEmpty());
    f.view().lb1->addItem(pipe);
    f.view().lb1->addItem(f.tree.folder(QStringLiteral("Rel/B/folder.jpg")));
    f.pressRefresh();
    QCOMPARE(f.view().infmemo->toPlainText(), QStringLiteral("Файлов: 3\nПапок: 2\nРазрешение : 1600x1200 - 1600x1200"));
    QVERIFY(f.desktop.shown.isEmpty());
    QVERIFY(f.idle());
}

void TechDataRunTest::pipeAsFirstEntryIsReportedNotWaitedFor()
{
    Fixture f;
    const QString pipe = vx::test::namedPipe(f.tree, QStringLiteral("pipe.jpg"));
#ifdef Q_OS_WIN
    QSKIP("Windows keeps no named pipes among its files");
#endif
    QVERIFY(!pipe.isEmpty());
    f.view().lb1->addItem(pipe);
    f.list({jpeg("Rel/A/1.jpg", 64, 48)});
    f.pressRefresh();
    QCOMPARE(f.desktop.messages(), QStringList{QStringLiteral("Cannot open file \"%1\". Not a regular file").arg(pipe)});
    QCOMPARE(f.view().infmemo->toPlainText(), QStringLiteral("старые данные"));
    QVERIFY(f.idle());
}

QTEST_MAIN(TechDataRunTest)
#include "TechDataRunTest.moc"
