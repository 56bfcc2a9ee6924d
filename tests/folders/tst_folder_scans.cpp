// The scans, removal and clear-all of both pages, driven through the real main window.
#include "app/Windows.h"
#include "tests/support/FileTree.h"
#include "tests/support/ScriptedDesktop.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using vx::test::FileTree;
using vx::test::ScriptedDesktop;

namespace {
QStringList entries(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
} // namespace

class TestFolderScans : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void photoScanFillsListAndRestoresWindow();
    void photoScanOfEmptyFolder();
    void abortKeepsPhotosFoundSoFar();
    void liveCountShowsDuringScan();
    void cancelOnPhotoPageEmptiesMemo();
    void cancelOnArchivePageChangesNothing();
    void archiveScanKeepsOldCountWhileScanning();
    void removeSelected_data();
    void removeSelected();
    void removingEverythingDisablesCreate();
    void clearAllLeavesButtons();
    void folderDialogTitleAndPlacement();

private:
    ScriptedDesktop *desktop = nullptr;
    vx::Windows *windows = nullptr;
    vx::Form1View &v() { return windows->Form1.view(); }
    void scanPhotos(const QString &folder)
    {
        desktop->folderAnswers.push_back(folder);
        v().Button1->click();
    }
};

void TestFolderScans::init()
{
    desktop = new ScriptedDesktop;
    windows = new vx::Windows(*desktop);
    windows->Form1.show();
}

void TestFolderScans::cleanup()
{
    delete windows;
    delete desktop;
}

void TestFolderScans::photoScanFillsListAndRestoresWindow()
{
    FileTree tree;
    tree.file("A/one.jpg");
    tree.file("A/two.JPEG");
    tree.file("A/notes.txt");
    tree.file("B/three.jpg");
    v().infmemo->setPlainText("old data");
    scanPhotos(tree.root());

    QCOMPARE(v().lb1->count(), 3);
    QCOMPARE(v().label2->text(), QStringLiteral("Файлов: 3"));
    QCOMPARE(v().Button1->text(), QStringLiteral("Выбрать папку..."));
    QVERIFY(v().Panel1->isHidden());
    QVERIFY(!v().pb1->isHidden());
    QVERIFY(v().Button2->isEnabled());
    QVERIFY(v().infmemo->toPlainText().isEmpty());
    QVERIFY(!v().Button7->isHidden());
    QCOMPARE(v().fd1.path, QDir::toNativeSeparators(tree.root()));
    QVERIFY(desktop->messages().isEmpty());
}

void TestFolderScans::photoScanOfEmptyFolder()
{
    FileTree tree;
    tree.file("readme.txt");
    scanPhotos(tree.root());
    QCOMPARE(v().lb1->count(), 0);
    QCOMPARE(v().label2->text(), QStringLiteral("Файлов: 0"));
    QVERIFY(v().Button7->isHidden());
    QVERIFY(v().Button2->isEnabled()); // enabled all the same; pressing it then does nothing
}

void TestFolderScans::abortKeepsPhotosFoundSoFar()
{
    FileTree tree;
    for (int i = 0; i < 40; ++i)
        tree.file(QStringLiteral("set%1/p%1.jpg").arg(i));
    desktop->atProcessEvents(30, [this] { v().SpeedButton1->click(); });
    scanPhotos(tree.root());
    QVERIFY(v().AbortRequested); // stays set until the next long operation
    QVERIFY(v().lb1->count() > 0);
    QVERIFY(v().lb1->count() < 40);
    QCOMPARE(v().label2->text(), QStringLiteral("Файлов: %1").arg(v().lb1->count()));
    QCOMPARE(v().Button1->text(), QStringLiteral("Выбрать папку..."));
    QVERIFY(v().Panel1->isHidden());
    QVERIFY(v().Button1->isEnabled());
    QVERIFY(desktop->messages().isEmpty());
}

void TestFolderScans::liveCountShowsDuringScan()
{
    FileTree tree;
    for (int i = 0; i < 10; ++i)
        tree.file(QStringLiteral("p%1.jpg").arg(i));
    QStringList captions;
    bool busyChecked = false;
    desktop->onEveryProcessEvents = [&] {
        captions << v().Button1->text();
        if (busyChecked)
            return;
        busyChecked = true;
        // Busy: the listed set is disabled; Edit2, rg2 and lbzip stay usable.
        for (QWidget *w : QList<QWidget *>{v().Button1, v().Button2, v().Button3, v().Button4, v().Button5,
                                           v().Button6, v().Button7, v().Button8, v().Button9, v().Button10,
                                           v().Button11, v().Button12, v().SpeedButton2, v().SpeedButton3,
                                           v().Edit1, v().rg1, v().lb1, v().TabSet1})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        for (QWidget *w : QList<QWidget *>{v().Edit2, v().rg2, v().lbzip, v().SpeedButton1})
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(v().Panel1->isVisible());
        QVERIFY(v().pb1->isHidden());
        QCOMPARE(v().Label3->text(), QStringLiteral("Поиск файлов..."));
        QVERIFY(v().label2->text().isEmpty());
    };
    scanPhotos(tree.root());
    QVERIFY(busyChecked);
    // The count rises with every photo; the last entry's count is set after the last event pump.
    QVERIFY(captions.contains(QStringLiteral("Найдено 1 файл(ов)")));
    QVERIFY(captions.contains(QStringLiteral("Найдено 9 файл(ов)")));
    // Hidden buttons stay hidden after EnableControls.
    QVERIFY(v().SpeedButton2->isHidden());
    QVERIFY(v().Button10->isHidden());
    // The panel stood centred over the list, its bottom at the list's middle.
    const QRect list = v().lb1->geometry();
    QCOMPARE(v().Panel1->pos(), QPoint(list.left() + list.width() / 2 - v().Panel1->width() / 2,
                                       list.top() + list.height() / 2 - v().Panel1->height()));
}

void TestFolderScans::cancelOnPhotoPageEmptiesMemo()
{
    FileTree tree;
    tree.file("a.jpg");
    scanPhotos(tree.root());
    v().infmemo->setPlainText("Файлов: 1");
    v().Button7->hide();
    desktop->folderAnswers.push_back(std::nullopt);
    v().Button1->click();
    QCOMPARE(v().lb1->count(), 1); // the list keeps its content
    QVERIFY(v().infmemo->toPlainText().isEmpty());
    QVERIFY(!v().Button7->isHidden());
}

void TestFolderScans::cancelOnArchivePageChangesNothing()
{
    v().zipinfmemo->setPlainText("Архивов: 3");
    v().Label4->setText("Архивов: 3");
    desktop->folderAnswers.push_back(std::nullopt);
    v().Button4->click();
    QCOMPARE(v().zipinfmemo->toPlainText(), QStringLiteral("Архивов: 3"));
    QCOMPARE(v().Label4->text(), QStringLiteral("Архивов: 3"));
    QVERIFY(v().Button8->isHidden());
    QCOMPARE(desktop->folderRequests.last().title, QStringLiteral("Укажите папку с релизом"));
}

void TestFolderScans::archiveScanKeepsOldCountWhileScanning()
{
    FileTree tree;
    tree.file("a.zip");
    tree.file("sub/B.ZIP");
    tree.file("c.jpg");
    tree.file("x.zip/inner.zip");
    v().Label4->setText("Архивов: 9");
    v().zipinfmemo->setPlainText("old");
    QStringList labels, captions;
    desktop->onEveryProcessEvents = [&] {
        labels << v().Label4->text();
        captions << v().Button4->text();
    };
    desktop->folderAnswers.push_back(tree.root());
    v().Button4->click();
    QVERIFY(labels.size() > 0);
    QVERIFY(std::all_of(labels.begin(), labels.end(), [](const QString &t) { return t == QStringLiteral("Архивов: 9"); }));
    QVERIFY(captions.contains(QStringLiteral("Найдено 1 архив(ов)")));
    QCOMPARE(v().lbzip->count(), 4); // a.zip, B.ZIP, inner.zip and the folder x.zip
    QCOMPARE(v().Label4->text(), QStringLiteral("Архивов: 4"));
    QCOMPARE(v().Button4->text(), QStringLiteral("Выбрать папку..."));
    QVERIFY(!v().Button8->isHidden());
    QVERIFY(v().zipinfmemo->toPlainText().isEmpty());
    QVERIFY(v().Button6->isEnabled());
    QCOMPARE(v().lb1->count(), 0);
}

void TestFolderScans::removeSelected_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("remaining");
    QTest::newRow("none selected") << QList<int>{} << 3;
    QTest::newRow("middle") << QList<int>{1} << 2;
    QTest::newRow("first and last") << QList<int>{0, 2} << 1;
}

void TestFolderScans::removeSelected()
{
    QFETCH(QList<int>, selected);
    QFETCH(int, remaining);
    FileTree tree;
    tree.file("1.jpg");
    tree.file("2.jpg");
    tree.file("3.jpg");
    scanPhotos(tree.root());
    const QStringList before = entries(v().lb1);
    QStringList expected = before;
    for (int i = int(selected.size()) - 1; i >= 0; --i) {
        v().lb1->item(selected[i])->setSelected(true);
        expected.removeAt(selected[i]);
    }
    v().infmemo->setPlainText("data");
    v().Button7->hide();
    v().Button3->click();
    QCOMPARE(entries(v().lb1), expected);
    QCOMPARE(v().lb1->count(), remaining);
    QCOMPARE(v().label2->text(), QStringLiteral("Файлов: %1").arg(remaining));
    QVERIFY(v().infmemo->toPlainText().isEmpty());
    QVERIFY(!v().Button7->isHidden());
    QVERIFY(v().Button2->isEnabled());
    for (const QString &p : before)
        QVERIFY(QFile::exists(p)); // files on disk are not touched
}

void TestFolderScans::removingEverythingDisablesCreate()
{
    FileTree tree;
    tree.file("a.zip");
    desktop->folderAnswers.push_back(tree.root());
    v().Button4->click();
    QVERIFY(v().Button6->isEnabled());
    v().lbzip->selectAll();
    v().Button5->click();
    QCOMPARE(v().lbzip->count(), 0);
    QVERIFY(!v().Button6->isEnabled());
    QCOMPARE(v().Label4->text(), QStringLiteral("Архивов: 0"));
    QVERIFY(!v().Button8->isHidden());
    // An empty list: removal does nothing at all.
    v().Button8->hide();
    v().Button5->click();
    QVERIFY(v().Button8->isHidden());
}

void TestFolderScans::clearAllLeavesButtons()
{
    FileTree tree;
    tree.file("a.jpg");
    scanPhotos(tree.root());
    v().infmemo->setPlainText("data");
    v().Button10->click(); // hidden, but its handler is wired
    QCOMPARE(v().lb1->count(), 0);
    QVERIFY(v().infmemo->toPlainText().isEmpty());
    QVERIFY(v().label2->text().isEmpty());
    QVERIFY(v().Button2->isEnabled());
    QVERIFY(!v().Button7->isHidden());
}

void TestFolderScans::folderDialogTitleAndPlacement()
{
    desktop->folderAnswers.push_back(std::nullopt);
    v().Button1->click();
    QCOMPARE(desktop->folderRequests.size(), 1);
    const vx::FolderDialogRequest &r = desktop->folderRequests.first();
    QCOMPARE(r.title, QStringLiteral("Укажите папку с релизом"));
    QVERIFY(!r.newFolderButton);
    QCOMPARE(r.heldPath, QDir::toNativeSeparators(QDir::currentPath()));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(r.topLeft, QPoint(screen.left() + screen.width() / 5, screen.top() + screen.height() / 5));
}

QTEST_MAIN(TestFolderScans)
#include "tst_folder_scans.moc"
