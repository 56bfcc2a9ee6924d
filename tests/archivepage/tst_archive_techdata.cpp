// The archive page's technical data, driven through the real main window with a scripted desktop and
// archives built by the test ZIP writer.
#include "app/Windows.h"
#include "archive/ZipError.h"
#include "tests/archivepage/ArchivePageFixtures.h"
#include "tests/support/FileTree.h"
#include "tests/support/ScriptedDesktop.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using vx::test::archive;
using vx::test::entry;
using vx::test::FileTree;
using vx::test::photoEntry;
using vx::test::ScriptedDesktop;
using vx::test::ZipEntrySpec;
using vx::test::ZipWriter;

namespace {
QStringList report(int archives, int photos, const QString &range)
{
    return {QStringLiteral("Архивов: %1").arg(archives), QStringLiteral("Всего фото: %1").arg(photos),
            QStringLiteral("Разрешение: ") + range};
}

// An archive of photos given as width, height and (for the order of their size texts) bytes.
struct Photo {
    int width, height, bytes;
};
QList<ZipEntrySpec> photos(const QList<Photo> &list)
{
    QList<ZipEntrySpec> specs;
    int i = 0;
    for (const Photo &p : list)
        specs << photoEntry(QStringLiteral("p%1.jpg").arg(i++), p.width, p.height, p.bytes);
    return specs;
}
} // namespace

Q_DECLARE_METATYPE(QList<Photo>)

class TestArchiveTechData : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sizeTextsPickTheMeasuredEntries();
    void ranges_data();
    void ranges();
    void unpackFailureKeepsThePair_data();
    void unpackFailureKeepsThePair();
    void emptyList();
    void totalCountsEveryJpegEntry();
    void nameOutsideCodePagesMeasuresItsOwnEntry();
    void archiveNamedIn1251IsListedMeasuredAndUsed();
    void unreadableArchiveStopsTheRun_data();
    void unreadableArchiveStopsTheRun();
    void abortEmptiesTheMemo();
    void busyStateDuringRun();
    void exampleRunIsRefusedMeanwhile();

private:
    ScriptedDesktop *desktop = nullptr;
    vx::Windows *windows = nullptr;
    vx::Form1View &v() { return windows->Form1.view(); }
    void list(const QStringList &paths)
    {
        v().lbzip->clear();
        v().lbzip->addItems(paths);
        v().Button8->show();
    }
    QStringList memo() const { return windows->Form1.view().zipinfmemo->toPlainText().split('\n'); }
    void refresh() { windows->Form1.Button8Click(); }
    void expectIdle()
    {
        QVERIFY(v().Panel1->isHidden());
        QVERIFY(v().Button4->isEnabled());
        QVERIFY(v().TabSet1->isEnabled());
        QVERIFY(!v().ArchiveRunActive);
    }
};

void TestArchiveTechData::init()
{
    desktop = new ScriptedDesktop;
    windows = new vx::Windows(*desktop);
    windows->Form1.show();
}

void TestArchiveTechData::cleanup()
{
    delete windows;
    delete desktop;
}

void TestArchiveTechData::archiveNamedIn1251IsListedMeasuredAndUsed()
{
    // "Сет.zip" in 1251 bytes inside "Архивы" in 1251: the scan, the technical data and the example
    // run reach it by its own bytes.
    FileTree tree;
    ZipWriter writer;
    for (const ZipEntrySpec &entry : photos({{300, 200, 0}, {100, 50, 0}}))
        writer.add(entry);
    const QByteArray data = writer.build();
    tree.nativeFile("release/\xC0\xF0\xF5\xE8\xE2\xFB/\xD1\xE5\xF2.zip", data);
    desktop->folderAnswers.push_back(tree.path("release"));
    v().Button4->click();
    QCOMPARE(v().lbzip->count(), 1);
    QCOMPARE(v().lbzip->item(0)->text(), tree.path(QString::fromUtf8("release/Архивы/Сет.zip")));
    refresh();
    // The range follows the entries' size texts, as on every archive (see sizeTextsPickTheMeasuredEntries).
    QCOMPARE(memo(), report(1, 2, "300x200 - 100x50"));
    v().Edit2->setText("1");
    desktop->folderAnswers.push_back(tree.folder("out"));
    v().Button6->click();
    QCOMPARE(v().CreatedExamples.size(), 1u);
    QVERIFY(QFile::exists(v().CreatedExamples.front().text));
}

void TestArchiveTechData::sizeTextsPickTheMeasuredEntries()
{
    // "1234567|..." sorts before "9523|...": the maximum is measured on the 9,523-byte entry and the
    // minimum on the 1,234,567-byte one, the opposite of what comparing the sizes as numbers would pick.
    FileTree tree;
    ZipEntrySpec large = photoEntry("large.jpg", 100, 50, 1234567);
    large.method = 8; // its padding deflates to almost nothing
    list({archive(tree, "a.zip", {photoEntry("small.jpg", 300, 200, 9523), large})});
    refresh();
    QCOMPARE(memo(), report(1, 2, "100x50 - 300x200"));
    QVERIFY(desktop->messages().isEmpty());
    QVERIFY(v().Button8->isHidden());
    expectIdle();
}

void TestArchiveTechData::ranges_data()
{
    QTest::addColumn<QList<QList<Photo>>>("archives");
    QTest::addColumn<QString>("range");
    // With bytes 0 the sizes come from the encoder; where the order matters they are given: the first
    // size text ("1..." before "2...") is measured for the minimum, the last for the maximum.
    QTest::newRow("one photo") << QList<QList<Photo>>{{{400, 300, 0}}} << "400x300 - 400x300";
    QTest::newRow("first archive without JPEGs: 0x0 whatever follows")
        << QList<QList<Photo>>{{}, {{400, 300, 0}}, {{200, 100, 0}}} << "0x0 - 400x300";
    QTest::newRow("wider but lower maximum: its own height")
        << QList<QList<Photo>>{{{100, 50, 0}}, {{400, 300, 0}}, {{500, 200, 0}}} << "100x50 - 500x200";
    QTest::newRow("higher though narrower maximum")
        << QList<QList<Photo>>{{{100, 50, 0}}, {{400, 300, 0}}, {{300, 500, 0}}} << "100x50 - 300x500";
    QTest::newRow("a new maximum that is lower than the minimum is both")
        << QList<QList<Photo>>{{{400, 300, 0}}, {{500, 100, 0}}} << "500x100 - 500x100";
    QTest::newRow("lower though wider minimum") << QList<QList<Photo>>{{{400, 300, 0}}, {{500, 100, 0}}, {{600, 600, 0}}}
                                                << "500x100 - 600x600";
    QTest::newRow("20000 wide never the maximum, but the minimum")
        << QList<QList<Photo>>{{{400, 300, 0}}, {{20000, 10, 0}}} << "20000x10 - 400x300";
    QTest::newRow("20000 high never the maximum") << QList<QList<Photo>>{{{400, 300, 0}}, {{10, 20000, 0}}}
                                                  << "10x20000 - 400x300";
    QTest::newRow("19999 is taken") << QList<QList<Photo>>{{{400, 300, 0}}, {{19999, 10, 0}}}
                                    << "19999x10 - 19999x10";
    QTest::newRow("only the two ends of each archive are measured")
        << QList<QList<Photo>>{{{100, 100, 10000}, {900, 900, 20000}, {200, 200, 30000}}} << "100x100 - 200x200";
}

void TestArchiveTechData::ranges()
{
    QFETCH(QList<QList<Photo>>, archives);
    QFETCH(QString, range);
    FileTree tree;
    QStringList paths;
    int total = 0;
    for (int i = 0; i < archives.size(); ++i) {
        QList<ZipEntrySpec> specs = photos(archives[i]);
        if (specs.isEmpty())
            specs << entry("readme.txt", "no photos here");
        else
            total += int(specs.size());
        paths << archive(tree, QStringLiteral("a%1.zip").arg(i), specs);
    }
    list(paths);
    refresh();
    QCOMPARE(memo(), report(int(archives.size()), total, range));
}

void TestArchiveTechData::unpackFailureKeepsThePair_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("check sum") << "crc";
    QTest::newRow("password cancelled") << "password";
    QTest::newRow("no JPEG data") << "notjpeg";
}

void TestArchiveTechData::unpackFailureKeepsThePair()
{
    // The second archive's maximum candidate (its last size text, 900x900) cannot be measured: the
    // maximum keeps the first archive's 400x300 and the run goes on.
    QFETCH(QString, damage);
    FileTree tree;
    ZipEntrySpec large = photoEntry("large.jpg", 900, 900, 20000);
    if (damage == "crc")
        large.crc = 0xDEADBEEF;
    else if (damage == "password")
        large.pkwarePassword = QByteArray("secret");
    else
        large.data = QByteArray(20000, 'x');
    list({archive(tree, "a.zip", photos({{400, 300, 0}})),
          archive(tree, "b.zip", {photoEntry("small.jpg", 100, 100, 10000), large}),
          archive(tree, "c.zip", photos({{300, 300, 0}}))});
    refresh();
    QCOMPARE(memo(), report(3, 4, "100x100 - 400x300"));
    QVERIFY(desktop->messages().isEmpty());
}

void TestArchiveTechData::emptyList()
{
    list({});
    v().zipinfmemo->setPlainText("old");
    refresh();
    QCOMPARE(memo(), report(0, 0, "0x0 - 0x0"));
    QVERIFY(v().Button8->isHidden());
    QCOMPARE(v().pb1->minimum(), 0);
    expectIdle();
}

void TestArchiveTechData::totalCountsEveryJpegEntry()
{
    FileTree tree;
    QList<ZipEntrySpec> first, second;
    for (int i = 0; i < 30; ++i)
        first << photoEntry(QStringLiteral("set/p%1.jpg").arg(i), 64, 48);
    for (int i = 0; i < 40; ++i) // equal names and sizes: the directory holds each twice
        second << photoEntry(QStringLiteral("q%1.JPEG").arg(i / 2), 64, 48);
    first << entry("set/", {}) << entry("notes.txt", "x") << entry("p.jpe", "x") << entry("p.jfif", "x");
    first.last().externalAttributes = 0x20;
    list({archive(tree, "a.zip", first), archive(tree, "b.zip", second)});
    refresh();
    QCOMPARE(memo(), report(2, 70, "64x48 - 64x48"));
}

void TestArchiveTechData::nameOutsideCodePagesMeasuresItsOwnEntry()
{
    // "日本.jpg" squeezed into a code page would read "??.jpg", a mask that "ab.jpg" (first in the
    // directory) matches too. The size texts put "9000|日本.jpg" last: the maximum is measured on it.
    FileTree tree;
    list({archive(tree, "a.zip",
                  {photoEntry("ab.jpg", 100, 100, 5000), photoEntry(QString::fromUtf8("日本.jpg"), 300, 200, 9000)})});
    refresh();
    QCOMPARE(memo(), report(1, 2, "100x100 - 300x200"));
}

void TestArchiveTechData::unreadableArchiveStopsTheRun_data()
{
    QTest::addColumn<QByteArray>("bytes"); // of the second archive; null: the file is missing
    QTest::addColumn<int>("code");
    QTest::newRow("no ZIP data") << QByteArray("plain text, no archive") << int(vx::zip::ErrInvalidArchive);
    QTest::newRow("empty file") << QByteArray("") << int(vx::zip::ErrInvalidArchive);
    QTest::newRow("gone since the scan") << QByteArray() << int(vx::zip::ErrArchiveNotFound);
}

void TestArchiveTechData::unreadableArchiveStopsTheRun()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, code);
    FileTree tree;
    const QString bad = bytes.isNull() ? tree.path("b.zip") : tree.file("b.zip", bytes);
    list({archive(tree, "a.zip", photos({{400, 300, 0}})), bad, archive(tree, "c.zip", photos({{400, 300, 0}}))});
    v().zipinfmemo->setPlainText("old text");
    refresh();
    QCOMPARE(desktop->messages(), QStringList({vx::zip::EZipError::make(code, QDir::toNativeSeparators(bad)).message()}));
    QCOMPARE(v().zipinfmemo->toPlainText(), QStringLiteral("old text"));
    QVERIFY(v().Button8->isHidden());
    expectIdle();
}

void TestArchiveTechData::abortEmptiesTheMemo()
{
    FileTree tree;
    list({archive(tree, "a.zip", photos({{400, 300, 0}})), archive(tree, "b.zip", photos({{400, 300, 0}}))});
    v().zipinfmemo->setPlainText("old text");
    desktop->atProcessEvents(2, [&] { v().SpeedButton1->click(); });
    refresh();
    QVERIFY(desktop->messages().isEmpty());
    QVERIFY(v().zipinfmemo->toPlainText().isEmpty());
    QVERIFY(v().Label3->text().isEmpty());
    QVERIFY(!v().Button8->isHidden());
    expectIdle();
}

void TestArchiveTechData::busyStateDuringRun()
{
    FileTree tree;
    list({archive(tree, "a.zip", photos({{400, 300, 0}})), archive(tree, "b.zip", photos({{400, 300, 0}})),
          archive(tree, "c.zip", photos({{400, 300, 0}}))});
    v().zipinfmemo->setPlainText("old text");
    v().Panel1->move(30, 40);
    QList<int> positions;
    desktop->onEveryProcessEvents = [&] {
        QVERIFY(!v().Panel1->isHidden());
        QCOMPARE(v().Panel1->pos(), QPoint(30, 40));
        QCOMPARE(v().Label3->text(), QStringLiteral("Пересчёт тех. данных..."));
        QCOMPARE(v().zipinfmemo->toPlainText(), QStringLiteral("old text"));
        QVERIFY(v().Button8->isHidden());
        QVERIFY(!v().Button4->isEnabled());
        QCOMPARE(v().pb1->maximum(), 2);
        positions << v().pb1->value();
    };
    refresh();
    QCOMPARE(desktop->processEventsCalls, 3);
    QCOMPARE(positions, QList<int>({0, 0, 1})); // each pump comes before that archive's position is set
    QCOMPARE(v().Label3->text(), QStringLiteral("Пересчёт тех. данных...")); // kept after completion
    expectIdle();
}

void TestArchiveTechData::exampleRunIsRefusedMeanwhile()
{
    // Edit2 stays usable and enables Button6 again; an example run started that way would share the
    // reader and the busy panel with this run.
    FileTree tree;
    list({archive(tree, "a.zip", photos({{400, 300, 0}})), archive(tree, "b.zip", photos({{400, 300, 0}}))});
    desktop->atProcessEvents(1, [&] {
        v().Edit2->setText("1");
        QVERIFY(v().Button6->isEnabled());
        desktop->folderAnswers.push_back(tree.folder("out"));
        v().Button6->click();
    });
    refresh();
    QVERIFY(desktop->folderRequests.isEmpty());
    QVERIFY(desktop->questions().isEmpty());
    QCOMPARE(memo(), report(2, 2, "400x300 - 400x300"));
    expectIdle();
}

QTEST_MAIN(TestArchiveTechData)
#include "tst_archive_techdata.moc"
