// Examples from a folder release, driven through the real main window with a scripted desktop.
#include "app/Windows.h"
#include "folders/RandomOrder.h"
#include "platform/Clock.h"
#include "tests/support/EntryTexts.h"
#include "tests/support/FileTree.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/ScriptedDesktop.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <memory>

using vx::test::FileTree;
using vx::test::ScriptedDesktop;

namespace {
const QString completedTitle = QStringLiteral("Обработка завершена");
const QString completedText = QStringLiteral("Обработка завершена. Открыть папку с созданными примерами?");
const QString portraitGiveUp =
    QStringLiteral("Среди файлов не наберётся нужного количества примеров с портретной ориентацией");
const QString landscapeGiveUp =
    QStringLiteral("Среди файлов не наберётся нужного количества примеров с альбомной ориентацией");

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every draw reseeds the generator from the high-resolution counter; handing out chosen seeds makes the
// draws of a run over n photos pick the given list indexes in turn (cycling), at step position 1.
void scriptDraws(int n, const QList<int> &picks)
{
    std::vector<std::uint32_t> seeds;
    for (int pick : picks) {
        std::vector<int> order;
        std::uint32_t seed = 0;
        for (;; ++seed) {
            vx::MakeRandomOrderFromSeed(order, n, seed);
            if (order[0] == pick)
                break;
        }
        seeds.push_back(seed);
    }
    auto next = std::make_shared<std::size_t>(0);
    vx::clock::setHighResolutionCounterForTesting([seeds, next] { return seeds[(*next)++ % seeds.size()]; });
}

QString abortedWithCount(int n) { return QStringLiteral("Обработка прервана. \r\n%1 файл(ов) создано").arg(n); }

QStringList sortedFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// A path as the program holds it: native separators, as the folder dialog and the walk give paths.
QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

QString photo(FileTree &tree, const QString &relative, int width, int height)
{
    const QString path = tree.path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!vx::test::writeJpeg(path, width, height))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}
} // namespace

class TestExampleRun : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void moreWantedThanPhotos();
    void zeroWantedCompletesAtOnce();
    void bothCopiesEveryPhotoWhenCountEqualsList();
    void sameNamesEndOnlyByAbortWithCount();
    void existingTargetIsNotOverwritten();
    void outputInsideReleaseCountsNothingFromThere();
    void orientationFilter_data();
    void orientationFilter();
    void giveUpMessages_data();
    void giveUpMessages();
    void undecodableCandidateIsRedrawn();
    void redrawsLetEventsRunOncePerSpell_data();
    void redrawsLetEventsRunOncePerSpell();
    void vanishedPhotoIsNotCounted();
    void recreateDeletesOnlyLastExamples();
    void abortAfterRecreateHasNoCount();
    void recreatePendingSurvivesFailedCheck();
    void busyStateDuringRun();

private:
    ScriptedDesktop *desktop = nullptr;
    vx::Windows *windows = nullptr;
    vx::Form1View &v() { return windows->Form1.view(); }
    void list(const QStringList &paths)
    {
        v().lb1->clear();
        v().lb1->addItems(paths);
        v().Button2->setEnabled(true);
    }
    void wanted(int n) { v().Edit1->setText(QString::number(n)); }
    void createInto(const QString &folder)
    {
        desktop->folderAnswers.push_back(folder);
        v().Button2->click();
    }
};

void TestExampleRun::init()
{
    desktop = new ScriptedDesktop;
    windows = new vx::Windows(*desktop);
    windows->Form1.show();
}

void TestExampleRun::cleanup()
{
    vx::clock::setHighResolutionCounterForTesting({});
    vx::clock::setMillisecondsForTesting({});
    delete windows;
    delete desktop;
}

void TestExampleRun::moreWantedThanPhotos()
{
    FileTree tree;
    list({tree.file("a.jpg"), tree.file("b.jpg")});
    wanted(3);
    v().Button2->click();
    QCOMPARE(desktop->messages(), QStringList({"Желаемое количество примеров не может быть больше количества файлов"}));
    QVERIFY(desktop->folderRequests.isEmpty());
}

void TestExampleRun::zeroWantedCompletesAtOnce()
{
    FileTree tree;
    list({tree.file("a.jpg")});
    wanted(0);
    QVERIFY(!v().Button2->isEnabled());
    v().CreatedExamples = {vx::listEntry(vx::nativePath(QStringLiteral("stale")))};
    desktop->folderAnswers.push_back(tree.folder("out"));
    windows->Form1.Button2Click(); // the handler itself: the button is disabled for "0"
    QCOMPARE(desktop->folderRequests.size(), 1);
    QCOMPARE(desktop->questions(), QStringList({completedText}));
    QVERIFY(v().CreatedExamples.empty());
    QVERIFY(sortedFiles(tree.folder("out")).isEmpty());
}

void TestExampleRun::bothCopiesEveryPhotoWhenCountEqualsList()
{
    FileTree tree;
    QStringList photos;
    for (int i = 0; i < 6; ++i)
        photos << tree.file(QStringLiteral("rel/s%1/p%1.jpg").arg(i), QByteArray("photo") + char('0' + i));
    list(photos);
    wanted(6);
    const QString out = tree.folder("out");
    desktop->yesNoAnswers.push_back(true);
    createInto(out);
    QCOMPARE(sortedFiles(out), QStringList({"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg"}));
    QCOMPARE(vx::test::texts(v().CreatedExamples).size(), 6);
    for (const QString &example : vx::test::texts(v().CreatedExamples))
        QVERIFY(example.startsWith(shown(out) + QDir::separator()));
    QFile copy(out + QStringLiteral("/p3.jpg"));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("photo3"));
    QCOMPARE(desktop->shown.last().title, completedTitle);
    QVERIFY(!desktop->shown.last().panel1Visible); // the busy panel is gone before the question
    QCOMPARE(desktop->openedFolders, QStringList({shown(out)}));
    QCOMPARE(v().fd2.path, shown(out));
    QVERIFY(v().Panel1->isHidden());
    QVERIFY(v().Button1->isEnabled());
    QVERIFY(!v().pb1->isHidden());
    QCOMPARE(v().pb1->maximum(), 6);
}

void TestExampleRun::sameNamesEndOnlyByAbortWithCount()
{
    FileTree tree;
    list({tree.file("A/same.jpg"), tree.file("B/same.jpg")});
    wanted(2);
    const QString out = tree.folder("out");
    desktop->atProcessEvents(200, [this] { v().SpeedButton1->click(); });
    createInto(out);
    QCOMPARE(desktop->messages(), QStringList({abortedWithCount(1)}));
    QVERIFY(desktop->questions().isEmpty());
    QCOMPARE(sortedFiles(out), QStringList({"same.jpg"}));
    QCOMPARE(vx::test::texts(v().CreatedExamples).size(), 1);
    QVERIFY(v().Panel1->isHidden());
    QVERIFY(v().Button2->isEnabled());
}

void TestExampleRun::existingTargetIsNotOverwritten()
{
    FileTree tree;
    list({tree.file("rel/a.jpg", "new a"), tree.file("rel/b.jpg", "new b")});
    tree.file("out/a.jpg", "old a");
    wanted(1);
    scriptDraws(2, {0, 1});
    createInto(tree.path("out"));
    QCOMPARE(contentOf(tree.path("out/a.jpg")), QByteArray("old a"));
    QCOMPARE(vx::test::texts(v().CreatedExamples), QStringList({shown(tree.path("out/b.jpg"))}));
    QCOMPARE(desktop->questions(), QStringList({completedText}));
}

void TestExampleRun::outputInsideReleaseCountsNothingFromThere()
{
    FileTree tree;
    list({tree.file("rel/a.jpg", "photo a"), tree.file("rel/sub/b.jpg", "photo b")});
    wanted(1);
    scriptDraws(2, {0, 1});
    createInto(tree.path("rel")); // a.jpg is drawn first and would be copied onto itself
    QCOMPARE(vx::test::texts(v().CreatedExamples), QStringList({shown(tree.path("rel/b.jpg"))}));
    QCOMPARE(contentOf(tree.path("rel/a.jpg")), QByteArray("photo a"));
    QCOMPARE(contentOf(tree.path("rel/b.jpg")), QByteArray("photo b"));
}

void TestExampleRun::orientationFilter_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("portrait only") << 0 << "portrait";
    QTest::newRow("landscape only") << 1 << "landscape";
}

void TestExampleRun::orientationFilter()
{
    QFETCH(int, filter);
    QFETCH(QString, prefix);
    FileTree tree;
    QStringList photos;
    for (int i = 0; i < 12; ++i) {
        photos << photo(tree, QStringLiteral("rel/portrait%1.jpg").arg(i), 48, 64);
        photos << photo(tree, QStringLiteral("rel/landscape%1.jpg").arg(i), 64, 48);
    }
    list(photos);
    wanted(3);
    v().rg1->setItemIndex(filter);
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(desktop->questions(), QStringList({completedText}));
    const QStringList made = sortedFiles(out);
    QCOMPARE(made.size(), 3);
    for (const QString &name : made)
        QVERIFY2(name.startsWith(prefix), qPrintable(name));
}

void TestExampleRun::giveUpMessages_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QList<QSize>>("sizes");
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<QString>("message");
    // The redraw limit is L - 1 and is tested before the redrawn candidate is looked at, so the last
    // allowed redraw ends the run even when it finds a photo that fits.
    QTest::newRow("landscape then portrait, portrait wanted")
        << 0 << QList<QSize>{{64, 48}, {48, 64}} << QList<int>{0, 1} << portraitGiveUp;
    QTest::newRow("portrait, portrait, then landscape, landscape wanted")
        << 1 << QList<QSize>{{48, 64}, {48, 64}, {64, 48}} << QList<int>{0, 1, 2} << landscapeGiveUp;
    QTest::newRow("one portrait, landscape wanted") << 1 << QList<QSize>{{48, 64}} << QList<int>{0} << landscapeGiveUp;
}

void TestExampleRun::giveUpMessages()
{
    QFETCH(int, filter);
    QFETCH(QList<QSize>, sizes);
    QFETCH(QList<int>, picks);
    QFETCH(QString, message);
    FileTree tree;
    QStringList photos;
    for (int i = 0; i < sizes.size(); ++i)
        photos << photo(tree, QStringLiteral("p%1.jpg").arg(i), sizes[i].width(), sizes[i].height());
    list(photos);
    wanted(1);
    v().rg1->setItemIndex(filter);
    scriptDraws(int(sizes.size()), picks);
    createInto(tree.folder("out"));
    QCOMPARE(desktop->messages(), QStringList({message}));
    QVERIFY(desktop->questions().isEmpty());
    QVERIFY(vx::test::texts(v().CreatedExamples).isEmpty());
    QVERIFY(sortedFiles(tree.folder("out")).isEmpty());
    QVERIFY(v().Panel1->isHidden());
    QVERIFY(v().Button2->isEnabled());
}

void TestExampleRun::undecodableCandidateIsRedrawn()
{
    FileTree tree;
    // A square first candidate passes the portrait filter; a broken one counts as the wrong orientation.
    list({photo(tree, "square.jpg", 64, 64)});
    wanted(1);
    v().rg1->setItemIndex(0);
    createInto(tree.folder("out"));
    QCOMPARE(vx::test::texts(v().CreatedExamples), QStringList({shown(tree.path("out/square.jpg"))}));

    desktop->shown.clear();
    list({tree.file("broken.jpg", "not a jpeg at all")});
    createInto(tree.folder("out2"));
    QCOMPARE(desktop->messages(), QStringList({portraitGiveUp}));
    QVERIFY(v().Panel1->isHidden());
}

void TestExampleRun::redrawsLetEventsRunOncePerSpell_data()
{
    QTest::addColumn<int>("msPerClockRead"); // the clock moves this far at every reading, never on its own
    QTest::addColumn<int>("pressAt");        // the pump at which Прервать is pressed; 0: never
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("pumps");
    // 30 landscape photos, portrait wanted: 29 redraws, then the give-up. The step's own pump is the first.
    QTest::newRow("10 ms a reading: a pump every fifth redraw") << 10 << 0 << portraitGiveUp << 1 + 5;
    QTest::newRow("50 ms a reading: a pump every redraw") << 50 << 0 << portraitGiveUp << 1 + 29;
    QTest::newRow("Прервать during the redraws") << 50 << 3 << abortedWithCount(0) << 3;
}

void TestExampleRun::redrawsLetEventsRunOncePerSpell()
{
    QFETCH(int, msPerClockRead);
    QFETCH(int, pressAt);
    QFETCH(QString, message);
    QFETCH(int, pumps);
    FileTree tree;
    QStringList photos;
    for (int i = 0; i < 30; ++i)
        photos << photo(tree, QStringLiteral("l%1.jpg").arg(i), 64, 48);
    list(photos);
    wanted(1);
    v().rg1->setItemIndex(0);
    auto now = std::make_shared<std::int64_t>(0);
    vx::clock::setMillisecondsForTesting([now, msPerClockRead] { return *now += msPerClockRead; });
    if (pressAt > 0)
        desktop->atProcessEvents(pressAt, [this] { v().SpeedButton1->click(); });
    createInto(tree.folder("out"));
    QCOMPARE(desktop->processEventsCalls, pumps);
    QCOMPARE(desktop->messages(), QStringList({message}));
    QVERIFY(v().Panel1->isHidden());
    QVERIFY(v().Button2->isEnabled());
}

void TestExampleRun::vanishedPhotoIsNotCounted()
{
    FileTree tree;
    list({tree.file("gone.jpg"), tree.file("here.jpg")});
    QFile::remove(tree.path("gone.jpg"));
    wanted(1);
    scriptDraws(2, {0, 1});
    createInto(tree.folder("out"));
    QCOMPARE(vx::test::texts(v().CreatedExamples), QStringList({shown(tree.path("out/here.jpg"))}));
}

void TestExampleRun::recreateDeletesOnlyLastExamples()
{
    FileTree tree;
    QStringList photos;
    for (int i = 0; i < 4; ++i)
        photos << tree.file(QStringLiteral("rel/p%1.jpg").arg(i));
    list(photos);
    wanted(2);
    const QString out = tree.folder("out");
    tree.file("out/keep.txt");
    createInto(out);
    const QStringList first = vx::test::texts(v().CreatedExamples);
    QCOMPARE(first.size(), 2);
    v().SpeedButton2->click(); // hidden, wired all the same
    QCOMPARE(desktop->folderRequests.size(), 1); // the same folder, no dialog
    QCOMPARE(vx::test::texts(v().CreatedExamples).size(), 2);
    QVERIFY(QFile::exists(tree.path("out/keep.txt")));
    QCOMPARE(sortedFiles(out).size(), 3);
    QVERIFY(!v().FolderRecreatePending);
}

void TestExampleRun::abortAfterRecreateHasNoCount()
{
    FileTree tree;
    list({tree.file("A/same.jpg"), tree.file("B/same.jpg")});
    wanted(2);
    desktop->atProcessEvents(50, [this] { v().SpeedButton1->click(); });
    v().fd2.path = shown(tree.folder("out"));
    v().SpeedButton2->click();
    QCOMPARE(desktop->messages(), QStringList({QStringLiteral("Обработка прервана.")}));
    QVERIFY(desktop->folderRequests.isEmpty());
}

void TestExampleRun::recreatePendingSurvivesFailedCheck()
{
    FileTree tree;
    list({tree.file("a.jpg")});
    wanted(2);
    v().SpeedButton2->click(); // N > L: the check stops the run and the flag stays set
    QVERIFY(v().FolderRecreatePending);
    wanted(1);
    v().fd2.path = shown(tree.folder("out"));
    v().Button2->click();
    QVERIFY(desktop->folderRequests.isEmpty());
    QCOMPARE(vx::test::texts(v().CreatedExamples), QStringList({shown(tree.path("out/a.jpg"))}));
}

void TestExampleRun::busyStateDuringRun()
{
    FileTree tree;
    list({tree.file("a.jpg"), tree.file("b.jpg")});
    wanted(2);
    bool checked = false;
    desktop->atProcessEvents(1, [&] {
        checked = true;
        QVERIFY(v().Panel1->isVisible());
        QCOMPARE(v().Label3->text(), QStringLiteral("Отбор и создание примеров..."));
        QVERIFY(!v().Button1->isEnabled());
        QVERIFY(!v().lb1->isEnabled());
        QVERIFY(v().Edit2->isEnabled());
        QVERIFY(!v().AbortRequested);
    });
    v().AbortRequested = true; // left over from an earlier operation: cleared at the start
    createInto(tree.folder("out"));
    QVERIFY(checked);
    QCOMPARE(desktop->questions(), QStringList({completedText}));
}

QTEST_MAIN(TestExampleRun)
#include "tst_example_run.moc"
