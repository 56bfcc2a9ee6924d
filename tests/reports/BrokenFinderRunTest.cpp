// "Найти \"битые\" фото" through the real main window: what counts as broken, the selection it leaves,
// the question and its answers, deletion (an entry stays while its file does), abort.

#include "app/Unit1.h"
#include "platform/FileOps.h"
#include "tests/reports/ReportFixtures.h"
#include "tests/support/FileTree.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/SourcePaths.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using vx::test::FileTree;
using vx::test::ScriptedDesktop;

namespace {

const QString kFoundTitle = QStringLiteral("Обработка завершена");

QString foundQuestion(int n)
{
    return QStringLiteral("Обработка завершена.\r\n\"Битые\" фото найдены и выделены в списке (Кол-во: %1\r\n"
                          "Стереть помеченные фото с диска?")
        .arg(n);
}

QByteArray testData(const char *name)
{
    QFile f(vx::test::testDataPath(QStringLiteral("jpeg/") + QLatin1String(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Fixture {
public:
    Fixture() : window(desktop) { view().infmemo->setPlainText(QStringLiteral("старые данные")); }
    ~Fixture() { vx::test::releaseUndeletable(tree); }
    vx::Form1View &view() { return window.view(); }
    QListWidget &list() { return *window.view().lb1; }

    QString add(const QString &relative, const QByteArray &bytes)
    {
        const QString path = tree.file(relative, bytes);
        list().addItem(path);
        return path;
    }
    void addPath(const QString &path) { list().addItem(path); }
    void select(int index) { list().item(index)->setSelected(true); }
    void find() { window.N3->trigger(); } // "Найти \"битые\" фото" in PopupMenu1
    QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < list().count(); ++i)
            out << list().item(i)->text();
        return out;
    }
    QList<bool> selection()
    {
        QList<bool> out;
        for (int i = 0; i < list().count(); ++i)
            out << list().item(i)->isSelected();
        return out;
    }
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

class BrokenFinderRunTest : public QObject {
    Q_OBJECT
private slots:
    void whatCountsAsBroken_data();
    void whatCountsAsBroken();
    void brokenPhotosAreSelectedAtOnceAndCountedOverThreeLines();
    void yesDeletesBrokenFilesAndKeepsMissingOnes();
    void noDeletesNothing();
    void entryStaysWhileItsFileCannotBeDeleted();
    void nothingBrokenSaysSo();
    void busyPanelCountsTheFiles();
    void abortKeepsUntestedSelectionAndClearsTheFlag();
    void emptyListDoesNothing();
    void selectAllDuringTheRunOffersOnlyBrokenPhotos();
    void pipesAndFoldersNamedLikePhotosAreBrokenButNeverRemovedAsFolders();
};

void BrokenFinderRunTest::whatCountsAsBroken_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("preselected");
    QTest::addColumn<bool>("broken");
    QTest::newRow("good photo") << vx::test::makeJpeg(640, 480) << false << false;
    QTest::newRow("good photo selected before the run") << vx::test::makeJpeg(640, 480) << true << false;
    QTest::newRow("progressive photo") << vx::test::makeJpeg(300, 200, {.progressive = true}) << false << false;
    QTest::newRow("0-byte file") << QByteArray() << false << true;
    QTest::newRow("PNG named .jpg") << vx::test::pngPicture() << false << true;
    QTest::newRow("JPEG cut in its header") << vx::test::jpegCutInHeader() << false << true;
    QTest::newRow("JPEG cut in its scan data") << vx::test::jpegCutInScanData() << true << false;
    QTest::newRow("lossless frame libjpeg cannot read") << vx::test::makeLosslessJpegHeader(64, 64) << false << true;
    QTest::newRow("text") << QByteArray("GIF89a, really") << false << true;
    QTest::newRow("camera photo with damaged scan data") << testData("corrupted.jpg") << false << false;
    QTest::newRow("camera photo with EXIF") << testData("Canon_40D.jpg") << true << false;
}

void BrokenFinderRunTest::whatCountsAsBroken()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, preselected);
    QFETCH(bool, broken);
    Fixture f;
    f.add(QStringLiteral("Rel/photo.jpg"), bytes);
    if (preselected)
        f.select(0);
    f.find();
    QCOMPARE(f.selection(), QList<bool>{broken});
    if (broken)
        QCOMPARE(f.desktop.questions(), QStringList{foundQuestion(1)});
    else
        QCOMPARE(f.desktop.questions(), QStringList{});
    QVERIFY(f.idle());
}

void BrokenFinderRunTest::brokenPhotosAreSelectedAtOnceAndCountedOverThreeLines()
{
    Fixture f;
    f.add(QStringLiteral("Rel/a.jpg"), QByteArray());
    f.add(QStringLiteral("Rel/b.jpg"), vx::test::makeJpeg(64, 48));
    f.add(QStringLiteral("Rel/c.jpg"), vx::test::pngPicture());
    f.add(QStringLiteral("Rel/d.jpg"), vx::test::jpegCutInHeader());
    f.select(1);
    // Selecting row by row costs in proportion to what is selected already; one change is linear.
    QSignalSpy changes(f.list().selectionModel(), &QItemSelectionModel::selectionChanged);
    f.find();
    QCOMPARE(changes.size(), 1);
    QCOMPARE(f.selection(), (QList<bool>{true, false, true, true}));
    QCOMPARE(f.desktop.shown.size(), 1);
    QCOMPARE(f.desktop.shown.first().kind, vx::test::Shown::Question);
    QCOMPARE(f.desktop.shown.first().title, kFoundTitle);
    QCOMPARE(f.desktop.shown.first().text.split(QStringLiteral("\r\n")),
             (QStringList{"Обработка завершена.", "\"Битые\" фото найдены и выделены в списке (Кол-во: 3",
                          "Стереть помеченные фото с диска?"}));
}

void BrokenFinderRunTest::yesDeletesBrokenFilesAndKeepsMissingOnes()
{
    Fixture f;
    const QString good = f.add(QStringLiteral("Rel/A/good.jpg"), vx::test::makeJpeg(64, 48));
    // Two neighbouring broken files: removing the first entry must not make the deletion skip the second.
    const QString empty = f.add(QStringLiteral("Rel/A/empty.jpg"), QByteArray());
    const QString png = f.add(QStringLiteral("Rel/B/png.jpg"), vx::test::pngPicture());
    const QString gone = f.add(QStringLiteral("Rel/B/gone.jpg"), vx::test::makeJpeg(64, 48));
    const QString cut = f.add(QStringLiteral("Rel/B/cut.jpg"), vx::test::jpegCutInScanData());
    QFile::remove(gone); // deleted from disk after the scan
    f.desktop.yesNoAnswers = {true};
    f.find();
    QCOMPARE(f.desktop.questions(), QStringList{foundQuestion(3)});
    QCOMPARE(f.entries(), (QStringList{good, gone, cut}));
    QCOMPARE(f.selection(), (QList<bool>{false, true, false}));
    QVERIFY(!QFile::exists(empty));
    QVERIFY(!QFile::exists(png));
    QVERIFY(QFile::exists(good) && QFile::exists(cut));
    QCOMPARE(f.view().label2->text(), QStringLiteral("Файлов: 3"));
    QCOMPARE(f.view().infmemo->toPlainText(), QStringLiteral("старые данные"));
    QVERIFY(f.idle());
}

void BrokenFinderRunTest::noDeletesNothing()
{
    Fixture f;
    const QString empty = f.add(QStringLiteral("Rel/empty.jpg"), QByteArray());
    const QString good = f.add(QStringLiteral("Rel/good.jpg"), vx::test::makeJpeg(64, 48));
    const QString png = f.add(QStringLiteral("Rel/png.jpg"), vx::test::pngPicture());
    f.desktop.yesNoAnswers = {false};
    f.find();
    QCOMPARE(f.desktop.questions(), QStringList{foundQuestion(2)});
    QCOMPARE(f.entries(), (QStringList{empty, good, png}));
    QCOMPARE(f.selection(), (QList<bool>{true, false, true}));
    QVERIFY(QFile::exists(empty) && QFile::exists(png));
    QCOMPARE(f.view().label2->text(), QStringLiteral("Файлов: 3"));
    QVERIFY(f.idle());
}

void BrokenFinderRunTest::entryStaysWhileItsFileCannotBeDeleted()
{
    Fixture f;
    const QString empty = f.add(QStringLiteral("Rel/empty.jpg"), QByteArray());
    const QString kept = vx::test::undeletableFile(f.tree);
    f.addPath(kept);
    QVERIFY(vx::files::exists(kept));
    f.desktop.yesNoAnswers = {true};
    f.find();
    QCOMPARE(f.desktop.questions(), QStringList{foundQuestion(2)});
    QVERIFY(!QFile::exists(empty));
    QVERIFY(QFile::exists(kept));
    QCOMPARE(f.entries(), QStringList{kept});
    QCOMPARE(f.selection(), QList<bool>{true});
    QCOMPARE(f.view().label2->text(), QStringLiteral("Файлов: 1"));
}

void BrokenFinderRunTest::nothingBrokenSaysSo()
{
    Fixture f;
    f.add(QStringLiteral("Rel/a.jpg"), vx::test::makeJpeg(64, 48));
    f.add(QStringLiteral("Rel/b.jpg"), vx::test::makeJpeg(48, 64));
    f.select(1);
    f.find();
    QCOMPARE(f.desktop.messages(), QStringList{QStringLiteral("Обработка завершена.\r\n\"Битых фото не найдено.")});
    QCOMPARE(f.desktop.questions(), QStringList{});
    QCOMPARE(f.selection(), (QList<bool>{false, false}));
    QCOMPARE(f.view().label2->text(), QStringLiteral("Файлов: 2"));
    QVERIFY(f.idle());
}

void BrokenFinderRunTest::busyPanelCountsTheFiles()
{
    Fixture f;
    for (int i = 0; i < 3; ++i)
        f.add(QStringLiteral("Rel/%1.jpg").arg(i), vx::test::makeJpeg(32, 32));
    QStringList captions;
    QList<bool> busy;
    f.desktop.onEveryProcessEvents = [&] {
        captions << f.view().Label3->text();
        busy << (!f.view().Panel1->isHidden() && !f.view().Button1->isEnabled() && !f.view().lb1->isEnabled() &&
                 !f.view().AbortRequested);
    };
    f.view().AbortRequested = true; // left set by an earlier run
    f.find();
    QCOMPARE(captions, (QStringList{"Поиск \"битых\" фото...", "Поиск \"битых\" фото (Файл № 1)",
                                    "Поиск \"битых\" фото (Файл № 2)"}));
    QCOMPARE(busy, (QList<bool>{true, true, true}));
    QCOMPARE(f.view().Label3->text(), QStringLiteral("Поиск \"битых\" фото (Файл № 3)"));
    QCOMPARE(f.view().pb1->maximum(), 2);
    QCOMPARE(f.view().pb1->value(), 2);
}

void BrokenFinderRunTest::abortKeepsUntestedSelectionAndClearsTheFlag()
{
    Fixture f;
    f.add(QStringLiteral("Rel/empty.jpg"), QByteArray());
    f.add(QStringLiteral("Rel/good.jpg"), vx::test::makeJpeg(32, 32));
    f.add(QStringLiteral("Rel/png.jpg"), vx::test::pngPicture());
    f.select(1); // good, but never tested
    f.view().label2->setText(QStringLiteral("Файлов: 3 (до поиска)"));
    f.desktop.atProcessEvents(2, [&] { QTest::mouseClick(f.view().SpeedButton1, Qt::LeftButton); });
    f.find();
    QCOMPARE(f.selection(), (QList<bool>{true, true, false}));
    QVERIFY(!f.view().AbortRequested);
    QVERIFY(f.desktop.shown.isEmpty());
    QCOMPARE(f.view().label2->text(), QStringLiteral("Файлов: 3 (до поиска)"));
    QCOMPARE(f.entries().size(), 3);
    QVERIFY(f.idle());
}

void BrokenFinderRunTest::emptyListDoesNothing()
{
    Fixture f;
    f.view().label2->setText(QStringLiteral("как было"));
    f.find();
    QVERIFY(f.desktop.shown.isEmpty());
    QCOMPARE(f.desktop.processEventsCalls, 0);
    QCOMPARE(f.view().label2->text(), QStringLiteral("как было"));
}

void BrokenFinderRunTest::pipesAndFoldersNamedLikePhotosAreBrokenButNeverRemovedAsFolders()
{
    Fixture f;
    const QString pipe = vx::test::namedPipe(f.tree, QStringLiteral("Rel/pipe.jpg"));
#ifdef Q_OS_WIN
    QSKIP("Windows keeps no named pipes among its files");
#endif
    QVERIFY(!pipe.isEmpty());
    f.addPath(pipe);
    const QString folder = f.tree.folder(QStringLiteral("Rel/folder.jpg"));
    f.tree.file(QStringLiteral("Rel/folder.jpg/inside.jpg"), vx::test::makeJpeg(32, 32));
    f.addPath(folder);
    f.desktop.yesNoAnswers = {true};
    f.find();
    QCOMPARE(f.desktop.questions(), QStringList{foundQuestion(2)});
    // The pipe is a file and goes; the folder is no file, so it is neither deleted nor removed.
    QVERIFY(!QFileInfo::exists(pipe));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(f.entries(), QStringList{folder});
    QCOMPARE(f.selection(), QList<bool>{true});
}

void BrokenFinderRunTest::selectAllDuringTheRunOffersOnlyBrokenPhotos()
{
    Fixture f;
    const QString good = f.add(QStringLiteral("Rel/good.jpg"), vx::test::makeJpeg(32, 32));
    const QString empty = f.add(QStringLiteral("Rel/empty.jpg"), QByteArray());
    const QString other = f.add(QStringLiteral("Rel/other.jpg"), vx::test::makeJpeg(32, 32));
    // Ctrl+A while the last photo is being tested: the list is locked, the shortcut is not.
    f.desktop.atProcessEvents(3, [&] { f.window.SelecTall1->trigger(); });
    f.desktop.yesNoAnswers = {true};
    f.find();
    QCOMPARE(f.desktop.questions(), QStringList{foundQuestion(1)});
    QVERIFY(QFile::exists(good) && QFile::exists(other));
    QVERIFY(!QFile::exists(empty));
    QCOMPARE(f.entries(), (QStringList{good, other}));
}

QTEST_MAIN(BrokenFinderRunTest)
#include "BrokenFinderRunTest.moc"
