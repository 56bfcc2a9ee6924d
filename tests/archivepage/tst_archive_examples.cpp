// Examples from an archive release, driven through the real main window with a scripted desktop and
// archives built by the test ZIP writer.
#include "app/Windows.h"
#include "archive/ZipError.h"
#include "imaging/Probes.h"
#include "platform/Clock.h"
#include "platform/RadioGroup.h"
#include "tests/archivepage/ArchivePageFixtures.h"
#include "tests/support/EntryTexts.h"
#include "tests/support/FileTree.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/ScriptedDesktop.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTest>

#include <memory>

using vx::test::archive;
using vx::test::FileTree;
using vx::test::photoBytes;
using vx::test::photoEntry;
using vx::test::ScriptedDesktop;
using vx::test::Shown;
using vx::test::ZipEntrySpec;

namespace {
const QString completedText = QStringLiteral("Обработка завершена. Открыть папку с созданными примерами?");
const QString tooMany = QStringLiteral("Желаемое количество примеров не может быть больше количества файлов");
const QString abortedUnderBoth = QStringLiteral("Обработка прервана");
QString abortedWithCount(int n) { return QStringLiteral("Обработка прервана. \r\n%1 файл(ов) создано").arg(n); }

enum Filter { Portrait = 0, Landscape = 1, Both = 2 };

QStringList filesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// Examples as the program names them: the output folder as the dialog gives it (native), then the name.
QStringList native(QStringList paths)
{
    for (QString &path : paths)
        path = QDir::toNativeSeparators(path);
    return paths;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One archive per photo size: "set<i>.zip" holding "p<i>.jpg".
QStringList oneEntryArchives(FileTree &tree, int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << archive(tree, QStringLiteral("rel/set%1.zip").arg(i), {photoEntry(QStringLiteral("p%1.jpg").arg(i), 64, 48)});
    return paths;
}
} // namespace

class TestArchiveExamples : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void moreWantedThanArchives();
    void zeroWantedAsksAtOnce();
    void onlyTheFirstNArchivesAreVisited();
    void failingArchiveCostsOnlyItsExample_data();
    void failingArchiveCostsOnlyItsExample();
    void sameNameFromTwoArchivesReplaces();
    void entryInSubFolderLandsFlat();
    void jpegExtensions_data();
    void jpegExtensions();
    void writesExactlyTheProbedEntry_data();
    void writesExactlyTheProbedEntry();
    void probedBytesAreWrittenWithoutUnpackingAgain();
    void firstCandidate_data();
    void firstCandidate();
    void giveUpAfterAsManyRedrawsAsEntries_data();
    void giveUpAfterAsManyRedrawsAsEntries();
    void squareRedrawIsRejected();
    void filterIsReadForEveryArchive();
    void abort_data();
    void abort();
    void passwordCancelledAddsNothing();
    void typedPasswordWritesTheExample();
    void failedWriteIsNotCounted_data();
    void failedWriteIsNotCounted();
    void recreateAfterFolderPageRun();
    void recreatePendingSurvivesStoppedStart();
    void secondRunIsRefused();
    void busyStateDuringRun();

private:
    ScriptedDesktop *desktop = nullptr;
    vx::Windows *windows = nullptr;
    vx::Form1View &v() { return windows->Form1.view(); }
    void list(const QStringList &paths)
    {
        v().lbzip->clear();
        v().lbzip->addItems(paths);
    }
    void wanted(int n) { v().Edit2->setText(QString::number(n)); }
    void createInto(const QString &folder)
    {
        desktop->folderAnswers.push_back(folder);
        windows->Form1.Button6Click();
    }
    void expectIdle()
    {
        QVERIFY(v().Panel1->isHidden());
        QVERIFY(v().Button6->isEnabled());
        QVERIFY(v().Button4->isEnabled());
        QVERIFY(!v().ArchiveRunActive);
    }
    // Nothing holds the release once the run is over: its folder can be moved and deleted at once, which
    // Windows refuses while a file in it is open.
    void expectReleaseLetGo(const FileTree &tree)
    {
        QVERIFY(!windows->Form1.ZipReader1.IsOpen());
        const QString moved = tree.path("moved");
        QVERIFY(QDir().rename(tree.path("rel"), moved));
        QVERIFY(QDir(moved).removeRecursively());
    }
};

void TestArchiveExamples::init()
{
    // Every reading moves this clock 50 ms, so every redraw lets events run: the pump counts below tell
    // the redraws apart, and Прервать can be pressed during them.
    auto now = std::make_shared<std::int64_t>(0);
    vx::clock::setMillisecondsForTesting([now] { return *now += 50; });
    desktop = new ScriptedDesktop;
    windows = new vx::Windows(*desktop);
    windows->Form1.show();
    v().TabSet1->setCurrentIndex(1);
}

void TestArchiveExamples::cleanup()
{
    vx::clock::setMillisecondsForTesting({});
    delete windows;
    delete desktop;
}

void TestArchiveExamples::moreWantedThanArchives()
{
    FileTree tree;
    list(oneEntryArchives(tree, 2));
    v().Button8->show();
    wanted(3);
    v().Button6->click();
    QCOMPARE(desktop->messages(), QStringList({tooMany}));
    QVERIFY(desktop->folderRequests.isEmpty());
    QVERIFY(v().Button8->isHidden());
}

void TestArchiveExamples::zeroWantedAsksAtOnce()
{
    FileTree tree;
    list(oneEntryArchives(tree, 1));
    v().CreatedExamples = {vx::listEntry(vx::nativePath(QStringLiteral("stale")))};
    wanted(0);
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(desktop->folderRequests.size(), 1);
    QCOMPARE(desktop->folderRequests[0].title, QStringLiteral("В какой папке создать примеры?"));
    QCOMPARE(desktop->questions(), QStringList({completedText}));
    QVERIFY(v().CreatedExamples.empty());
    QVERIFY(filesIn(out).isEmpty());
    QVERIFY(!v().Button8->isHidden());
}

void TestArchiveExamples::onlyTheFirstNArchivesAreVisited()
{
    FileTree tree;
    list(oneEntryArchives(tree, 10));
    wanted(3);
    const QString out = tree.folder("out");
    desktop->yesNoAnswers.push_back(true);
    createInto(out);
    QCOMPARE(filesIn(out), QStringList({"p0.jpg", "p1.jpg", "p2.jpg"}));
    QCOMPARE(vx::test::texts(v().CreatedExamples), native({out + "/p0.jpg", out + "/p1.jpg", out + "/p2.jpg"}));
    QCOMPARE(desktop->questions(), QStringList({completedText}));
    QCOMPARE(desktop->shown.last().title, QStringLiteral("Обработка завершена"));
    QVERIFY(desktop->shown.last().panel1Visible); // the run turns idle only after the answer
    QCOMPARE(desktop->openedFolders, native({out}));
    QVERIFY(desktop->messages().isEmpty());
    expectIdle();
}

void TestArchiveExamples::failingArchiveCostsOnlyItsExample_data()
{
    QTest::addColumn<QByteArray>("archiveBytes"); // the middle archive of three, as written
    QTest::addColumn<QList<ZipEntrySpec>>("entries"); // used when archiveBytes is empty

    QTest::newRow("no ZIP data") << QByteArray("this is no archive at all, just text") << QList<ZipEntrySpec>{};
    QTest::newRow("empty file") << QByteArray("") << QList<ZipEntrySpec>{};
    QTest::newRow("no JPEG entry") << QByteArray()
                                   << QList<ZipEntrySpec>{vx::test::entry("readme.txt", "text"),
                                                          vx::test::entry("p.png", "png")};
    QTest::newRow("only a folder named .jpg")
        << QByteArray() << QList<ZipEntrySpec>{[] {
               ZipEntrySpec d = vx::test::entry("album.jpg/", {});
               d.externalAttributes = 0x10;
               return d;
           }()};
    ZipEntrySpec crcLie = photoEntry("bad.jpg", 64, 48);
    crcLie.crc = 0x12345678;
    QTest::newRow("entry fails its check sum") << QByteArray() << QList<ZipEntrySpec>{crcLie};
    QTest::newRow("entry is no JPEG") << QByteArray() << QList<ZipEntrySpec>{vx::test::entry("fake.jpg", "GIF89a....")};
    ZipEntrySpec deflate64 = photoEntry("d64.jpg", 64, 48);
    deflate64.method = 9;
    QTest::newRow("Deflate64 entry") << QByteArray() << QList<ZipEntrySpec>{deflate64};
}

void TestArchiveExamples::failingArchiveCostsOnlyItsExample()
{
    QFETCH(QByteArray, archiveBytes);
    QFETCH(QList<ZipEntrySpec>, entries);
    FileTree tree;
    const QString first = archive(tree, "rel/a.zip", {photoEntry("a.jpg", 64, 48)});
    const QString middle = entries.isEmpty() ? tree.file("rel/b.zip", archiveBytes) : archive(tree, "rel/b.zip", entries);
    const QString last = archive(tree, "rel/c.zip", {photoEntry("c.jpg", 64, 48)});
    // The failing archive is listed once more at the end, so the run ends on it too.
    list({first, middle, last, middle});
    wanted(4);
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(filesIn(out), QStringList({"a.jpg", "c.jpg"}));
    QCOMPARE(vx::test::texts(v().CreatedExamples).size(), 2);
    QVERIFY(desktop->messages().isEmpty());
    QCOMPARE(desktop->questions(), QStringList({completedText}));
    expectIdle();
    expectReleaseLetGo(tree);
}

void TestArchiveExamples::sameNameFromTwoArchivesReplaces()
{
    FileTree tree;
    const QByteArray firstPhoto = photoBytes(64, 48, 3000);
    const QByteArray secondPhoto = photoBytes(64, 48, 4000);
    list({archive(tree, "rel/a.zip", {vx::test::entry("001.jpg", firstPhoto)}),
          archive(tree, "rel/b.zip", {vx::test::entry("001.jpg", secondPhoto)})});
    wanted(2);
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(filesIn(out), QStringList({"001.jpg"}));
    QCOMPARE(contentOf(out + "/001.jpg"), secondPhoto);
    QCOMPARE(vx::test::texts(v().CreatedExamples), native({out + "/001.jpg", out + "/001.jpg"}));
}

void TestArchiveExamples::entryInSubFolderLandsFlat()
{
    FileTree tree;
    const QByteArray photo = photoBytes(64, 48);
    list({archive(tree, "rel/a.zip", {vx::test::entry("set/deep/photo.jpg", photo)})});
    wanted(1);
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(filesIn(out), QStringList({"photo.jpg"}));
    QVERIFY(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    QCOMPARE(contentOf(out + "/photo.jpg"), photo);
    QCOMPARE(vx::test::texts(v().CreatedExamples), native({out + "/photo.jpg"}));
}

void TestArchiveExamples::jpegExtensions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("counts");
    QTest::newRow("jpg") << "a.jpg" << true;
    QTest::newRow("JPG") << "A.JPG" << true;
    QTest::newRow("Jpeg") << "a.Jpeg" << true;
    QTest::newRow("JPEG in a folder") << "SET/A.JPEG" << true;
    QTest::newRow("jpe") << "a.jpe" << false;
    QTest::newRow("jfif") << "a.jfif" << false;
    QTest::newRow("jpg.txt") << "a.jpg.txt" << false;
    QTest::newRow("no dot") << "jpg" << false;
    QTest::newRow("folder looks like jpg") << "a.jpg/inside" << false;
}

void TestArchiveExamples::jpegExtensions()
{
    QFETCH(QString, name);
    QFETCH(bool, counts);
    FileTree tree;
    list({archive(tree, "rel/a.zip", {photoEntry(name, 64, 48)})});
    wanted(1);
    const QString out = tree.folder("out");
    createInto(out);
    const QString fileName = name.mid(name.lastIndexOf('/') + 1);
    QCOMPARE(filesIn(out), counts ? QStringList({fileName}) : QStringList());
    QCOMPARE(vx::test::texts(v().CreatedExamples).size(), counts ? 1 : 0);
    expectReleaseLetGo(tree);
}

void TestArchiveExamples::writesExactlyTheProbedEntry_data()
{
    // Two JPEG entries whose sizes tell them apart after the probe (at one eighth scale: 8x6 and 16x12).
    // Either may be drawn; whichever was probed must be the one written, alone.
    QTest::addColumn<QString>("small");
    QTest::addColumn<QString>("large");
    QTest::newRow("same file name in another folder, later in the directory") << "photo.jpg" << "sub/PHOTO.JPG";
    QTest::newRow("same file name in another folder, earlier in the directory") << "sub/Photo.jpg" << "photo.jpg";
    QTest::newRow("name outside any 8-bit code page, and one a wildcard would match")
        << QString::fromUtf8("日本.jpg") << "ab.jpg";
    QTest::newRow("emoji name in a folder") << QString::fromUtf8("álbum/😀.jpg") << QString::fromUtf8("😀.jpg");
}

void TestArchiveExamples::writesExactlyTheProbedEntry()
{
    QFETCH(QString, small);
    QFETCH(QString, large);
    FileTree tree;
    const QByteArray smallPhoto = photoBytes(64, 48);
    const QByteArray largePhoto = photoBytes(128, 96);
    const QString zip = archive(tree, "rel/a.zip", {vx::test::entry(small, smallPhoto), vx::test::entry(large, largePhoto)});
    const QString out = tree.folder("out");
    QSet<int> seen;
    for (int round = 0; round < 12; ++round) {
        for (const QString &f : filesIn(out))
            QFile::remove(out + '/' + f);
        list({zip});
        wanted(1);
        createInto(out);
        const bool tookLarge = vx::ArchiveImageWidth == 16;
        QVERIFY(tookLarge || vx::ArchiveImageWidth == 8);
        seen << vx::ArchiveImageWidth;
        const QString name = tookLarge ? large : small;
        const QString fileName = name.mid(name.lastIndexOf('/') + 1);
        QCOMPARE(filesIn(out), QStringList({fileName}));
        QCOMPARE(contentOf(out + '/' + fileName), tookLarge ? largePhoto : smallPhoto);
        QCOMPARE(vx::test::texts(v().CreatedExamples), native({out + '/' + fileName}));
    }
    if (seen.size() < 2)
        qWarning("only one of the two entries was drawn in 12 rounds");
}

void TestArchiveExamples::probedBytesAreWrittenWithoutUnpackingAgain()
{
    // Under "Обе" events run between the probe and the write. The archive's copy of the photo is
    // damaged in place right then: an entry unpacked a second time would fail its check sum.
    FileTree tree;
    const QByteArray photo = photoBytes(64, 48, 3000);
    const QString zip = archive(tree, "rel/a.zip", {vx::test::entry(QStringLiteral("a.jpg"), photo)});
    list({zip});
    v().rg2->setItemIndex(Both);
    wanted(1);
    desktop->atProcessEvents(2, [&] {
        QFile file(zip);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 at = file.readAll().indexOf(photo) + photo.size() - 10;
        QVERIFY(file.seek(at) && file.write("damage") == 6);
    });
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList({"a.jpg"}));
    QCOMPARE(contentOf(out + "/a.jpg"), photo);
    QCOMPARE(desktop->questions(), QStringList({completedText}));
}

void TestArchiveExamples::firstCandidate_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("redraws");
    QTest::newRow("portrait, square") << int(Portrait) << 64 << 64 << true << 0;
    QTest::newRow("landscape, square") << int(Landscape) << 64 << 64 << true << 0;
    // 60x64 is 8x8 at one eighth scale: square there, so it passes.
    QTest::newRow("landscape, square at one eighth") << int(Landscape) << 60 << 64 << true << 0;
    QTest::newRow("portrait, portrait") << int(Portrait) << 48 << 64 << true << 0;
    QTest::newRow("landscape, landscape") << int(Landscape) << 64 << 48 << true << 0;
    QTest::newRow("portrait, one landscape entry: given up after one redraw") << int(Portrait) << 64 << 48 << false << 1;
    QTest::newRow("landscape, one portrait entry: given up after one redraw") << int(Landscape) << 48 << 64 << false << 1;
    QTest::newRow("both, landscape") << int(Both) << 64 << 48 << true << 0;
}

void TestArchiveExamples::firstCandidate()
{
    QFETCH(int, filter);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, written);
    QFETCH(int, redraws);
    FileTree tree;
    list({archive(tree, "rel/a.zip", {photoEntry("a.jpg", width, height)}),
          archive(tree, "rel/b.zip", {photoEntry("b.jpg", 64, 64)})});
    v().rg2->setItemIndex(filter);
    wanted(2);
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(filesIn(out), written ? QStringList({"a.jpg", "b.jpg"}) : QStringList({"b.jpg"}));
    // Per archive one event pump at the step's start, one per redraw, and one more under "Обе".
    const int perArchiveExtra = filter == Both ? 1 : 0;
    QCOMPARE(desktop->processEventsCalls, 2 + 2 * perArchiveExtra + redraws);
    QVERIFY(desktop->messages().isEmpty());
    QCOMPARE(desktop->questions(), QStringList({completedText}));
}

void TestArchiveExamples::giveUpAfterAsManyRedrawsAsEntries_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("entries");
    QTest::newRow("portrait, 1 landscape entry") << int(Portrait) << 1;
    QTest::newRow("portrait, 5 landscape entries") << int(Portrait) << 5;
    QTest::newRow("landscape, 4 portrait entries") << int(Landscape) << 4;
}

void TestArchiveExamples::giveUpAfterAsManyRedrawsAsEntries()
{
    QFETCH(int, filter);
    QFETCH(int, entries);
    FileTree tree;
    QList<ZipEntrySpec> specs;
    for (int i = 0; i < entries; ++i)
        specs << (filter == Portrait ? photoEntry(QStringLiteral("l%1.jpg").arg(i), 64, 48)
                                     : photoEntry(QStringLiteral("p%1.jpg").arg(i), 48, 64));
    list({archive(tree, "rel/a.zip", specs)});
    v().rg2->setItemIndex(filter);
    wanted(1);
    const QString out = tree.folder("out");
    createInto(out);
    QVERIFY(filesIn(out).isEmpty());
    QVERIFY(v().CreatedExamples.empty());
    QCOMPARE(desktop->processEventsCalls, 1 + entries);
    QVERIFY(desktop->messages().isEmpty()); // given up silently
    QCOMPARE(desktop->questions(), QStringList({completedText}));
    expectIdle();
}

void TestArchiveExamples::squareRedrawIsRejected()
{
    // Portrait only over one landscape and one square entry: a square first candidate is written at
    // once; after a landscape first candidate no redraw can fit (square is not strictly portrait), so
    // the archive is given up after two redraws.
    FileTree tree;
    const QString zip = archive(tree, "rel/a.zip", {photoEntry("wide.jpg", 64, 48), photoEntry("square.jpg", 64, 64)});
    v().rg2->setItemIndex(Portrait);
    const QString out = tree.folder("out");
    for (int round = 0; round < 8; ++round) {
        for (const QString &f : filesIn(out))
            QFile::remove(out + '/' + f);
        desktop->processEventsCalls = 0;
        list({zip});
        wanted(1);
        createInto(out);
        if (filesIn(out).isEmpty()) {
            QCOMPARE(desktop->processEventsCalls, 1 + 2);
        } else {
            QCOMPARE(filesIn(out), QStringList({"square.jpg"}));
            QCOMPARE(desktop->processEventsCalls, 1);
        }
    }
}

void TestArchiveExamples::filterIsReadForEveryArchive()
{
    FileTree tree;
    list({archive(tree, "rel/a.zip", {photoEntry("a.jpg", 64, 48)}),
          archive(tree, "rel/b.zip", {photoEntry("b.jpg", 64, 48)})});
    v().rg2->setItemIndex(Both);
    wanted(2);
    // After the first archive's filter was read (its "Обе" pump is call 2) the user switches to portrait
    // only: the second archive's only (landscape) entry is then given up.
    desktop->atProcessEvents(2, [&] { v().rg2->setItemIndex(Portrait); });
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(filesIn(out), QStringList({"a.jpg"}));
}

void TestArchiveExamples::abort_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("pressAt"); // the processEvents call at which "Прервать" is pressed
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("written");
    // Under "Обе" every archive pumps twice: at its start (1, 3, 5) and before writing (2, 4, 6).
    QTest::newRow("at the start of the third step") << int(Both) << 5 << abortedWithCount(2)
                                                    << QStringList({"a.jpg", "b.jpg"});
    QTest::newRow("at the start of the first step") << int(Both) << 1 << abortedWithCount(0) << QStringList();
    QTest::newRow("under Обе, second archive") << int(Both) << 4 << abortedUnderBoth << QStringList({"a.jpg"});
    // Portrait only: a.zip's portrait entry passes (call 1); b.zip's start is call 2, its redraws 3, 4...
    QTest::newRow("during redraws") << int(Portrait) << 3 << abortedWithCount(1) << QStringList({"a.jpg"});
}

void TestArchiveExamples::abort()
{
    QFETCH(int, filter);
    QFETCH(int, pressAt);
    QFETCH(QString, message);
    QFETCH(QStringList, written);
    FileTree tree;
    QList<ZipEntrySpec> landscapes;
    for (int i = 0; i < 6; ++i)
        landscapes << photoEntry(QStringLiteral("l%1.jpg").arg(i), 64, 48);
    list({archive(tree, "rel/a.zip", {photoEntry("a.jpg", 48, 64)}),
          archive(tree, "rel/b.zip", filter == Both ? QList<ZipEntrySpec>{photoEntry("b.jpg", 48, 64)} : landscapes),
          archive(tree, "rel/c.zip", {photoEntry("c.jpg", 48, 64)})});
    v().rg2->setItemIndex(filter);
    wanted(3);
    desktop->atProcessEvents(pressAt, [&] { v().SpeedButton1->click(); });
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(desktop->messages(), QStringList({message}));
    QVERIFY(desktop->questions().isEmpty());
    QCOMPARE(filesIn(out), written);
    QCOMPARE(vx::test::texts(v().CreatedExamples).size(), written.size());
    expectIdle();
    expectReleaseLetGo(tree);
    QVERIFY(!v().Button8->isHidden());
}

void TestArchiveExamples::passwordCancelledAddsNothing()
{
    FileTree tree;
    ZipEntrySpec locked = photoEntry("locked.jpg", 64, 48);
    locked.pkwarePassword = QByteArray("secret");
    list({archive(tree, "rel/a.zip", {locked}), archive(tree, "rel/b.zip", {photoEntry("b.jpg", 64, 48)})});
    wanted(2);
    desktop->passwordAnswers.push_back(std::nullopt);
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(filesIn(out), QStringList({"b.jpg"}));
    QCOMPARE(vx::test::texts(v().CreatedExamples), native({out + "/b.jpg"}));
    int prompts = 0;
    for (const Shown &s : desktop->shown)
        prompts += s.kind == Shown::Password ? 1 : 0;
    QCOMPARE(prompts, 1);
    QVERIFY(desktop->messages().isEmpty());
}

void TestArchiveExamples::typedPasswordWritesTheExample()
{
    FileTree tree;
    ZipEntrySpec locked = photoEntry("locked.jpg", 64, 48);
    locked.pkwarePassword = QByteArray("secret");
    const QByteArray plain = locked.data;
    list({archive(tree, "rel/a.zip", {locked})});
    wanted(1);
    desktop->passwordAnswers.push_back(QStringLiteral("wrong"));
    desktop->passwordAnswers.push_back(QStringLiteral("secret"));
    const QString out = tree.folder("out");
    createInto(out);
    QCOMPARE(filesIn(out), QStringList({"locked.jpg"}));
    QCOMPARE(contentOf(out + "/locked.jpg"), plain);
    QCOMPARE(vx::test::texts(v().CreatedExamples).size(), 1);
}

void TestArchiveExamples::failedWriteIsNotCounted_data()
{
    QTest::addColumn<QList<vx::FailureAnswer>>("answers");
    QTest::addColumn<int>("dialogs");
    QTest::newRow("Abort") << QList<vx::FailureAnswer>{vx::FailureAnswer::Abort} << 1;
    QTest::newRow("Ignore") << QList<vx::FailureAnswer>{vx::FailureAnswer::Ignore} << 1;
    QTest::newRow("Retry, then Ignore")
        << QList<vx::FailureAnswer>{vx::FailureAnswer::Retry, vx::FailureAnswer::Ignore} << 2;
}

void TestArchiveExamples::failedWriteIsNotCounted()
{
    QFETCH(QList<vx::FailureAnswer>, answers);
    QFETCH(int, dialogs);
    FileTree tree;
    list({archive(tree, "rel/a.zip", {photoEntry("a.jpg", 64, 48)}),
          archive(tree, "rel/b.zip", {photoEntry("b.jpg", 64, 48)})});
    wanted(2);
    const QString out = tree.folder("out");
    tree.folder("out/a.jpg"); // a folder where a.jpg would go: the file cannot be created
    for (vx::FailureAnswer a : answers)
        desktop->failureAnswers.push_back(a);
    createInto(out);
    QStringList failures;
    for (const Shown &s : desktop->shown)
        if (s.kind == Shown::Failure)
            failures << s.text;
    QCOMPARE(failures.size(), dialogs);
    QVERIFY(failures[0].endsWith(QStringLiteral(". File processing error, possibly disk is full")));
    QCOMPARE(vx::test::texts(v().CreatedExamples), native({out + "/b.jpg"}));
    QCOMPARE(filesIn(out), QStringList({"b.jpg"}));
}

void TestArchiveExamples::recreateAfterFolderPageRun()
{
    FileTree tree;
    const QString out = tree.folder("out");
    // A folder-page run writes two examples into out.
    v().lb1->addItems({tree.file("release/x.jpg", photoBytes(64, 48)), tree.file("release/y.jpg", photoBytes(64, 48))});
    v().Edit1->setText("2");
    desktop->folderAnswers.push_back(out);
    windows->Form1.Button2Click();
    QCOMPARE(filesIn(out), QStringList({"x.jpg", "y.jpg"}));
    tree.file("out/keep.txt", "not an example");
    desktop->shown.clear();
    desktop->folderRequests.clear();

    list({archive(tree, "rel/a.zip", {photoEntry("a.jpg", 64, 48)})});
    wanted(1);
    QVERIFY(v().Button6->isEnabled());
    windows->Form1.SpeedButton3Click();
    QVERIFY(desktop->folderRequests.isEmpty()); // the folder that fd2 holds, without asking
    QCOMPARE(filesIn(out), QStringList({"a.jpg", "keep.txt"}));
    QCOMPARE(vx::test::texts(v().CreatedExamples), native({out + "/a.jpg"}));
    QVERIFY(!v().ArchiveRecreatePending);
    QCOMPARE(desktop->questions(), QStringList({completedText}));

    // The next press of "Создать примеры" asks for the folder again.
    createInto(out);
    QCOMPARE(desktop->folderRequests.size(), 1);
}

void TestArchiveExamples::recreatePendingSurvivesStoppedStart()
{
    FileTree tree;
    list(oneEntryArchives(tree, 1));
    wanted(2);
    windows->Form1.SpeedButton3Click();
    QCOMPARE(desktop->messages(), QStringList({tooMany}));
    QVERIFY(v().ArchiveRecreatePending);
    const QString out = tree.folder("out");
    v().fd2.path = out;
    wanted(1);
    windows->Form1.Button6Click();
    QVERIFY(desktop->folderRequests.isEmpty());
    QCOMPARE(filesIn(out), QStringList({"p0.jpg"}));
    QVERIFY(!v().ArchiveRecreatePending);
}

void TestArchiveExamples::secondRunIsRefused()
{
    FileTree tree;
    list(oneEntryArchives(tree, 3));
    wanted(3);
    const QString out = tree.folder("out");
    desktop->atProcessEvents(2, [&] {
        // Edit2 stays usable: typing enables Button6 again, and the user presses it.
        v().Edit2->setText("2");
        QVERIFY(v().Button6->isEnabled());
        v().Button6->click();
    });
    createInto(out);
    QCOMPARE(desktop->folderRequests.size(), 1);
    QCOMPARE(desktop->questions(), QStringList({completedText}));
    QCOMPARE(filesIn(out), QStringList({"p0.jpg", "p1.jpg", "p2.jpg"}));
}

void TestArchiveExamples::busyStateDuringRun()
{
    FileTree tree;
    list(oneEntryArchives(tree, 2));
    v().Button8->show();
    v().Panel1->move(30, 40);
    wanted(2);
    bool checked = false;
    desktop->atProcessEvents(1, [&] {
        QVERIFY(!v().Panel1->isHidden());
        QCOMPARE(v().Panel1->pos(), QPoint(30, 40)); // shown where it last stood
        QCOMPARE(v().Label3->text(), QStringLiteral("Отбор и создание примеров..."));
        QVERIFY(v().Button8->isHidden());
        QVERIFY(!v().Button4->isEnabled());
        QVERIFY(!v().TabSet1->isEnabled());
        QVERIFY(v().Edit2->isEnabled());
        QVERIFY(v().ArchiveRunActive);
        checked = true;
    });
    createInto(tree.folder("out"));
    QVERIFY(checked);
    expectIdle();
    QVERIFY(!v().Button8->isHidden());
}

QTEST_MAIN(TestArchiveExamples)
#include "tst_archive_examples.moc"
