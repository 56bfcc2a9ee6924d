// Closing the main window ends the program at any moment: in the middle of every kind of long run, and
// while the help window is open. Each run is started inside the application's event loop, as a user's
// click would start it, and the window is closed at the k-th event pump of the run.
#include "app/Windows.h"
#include "platform/Clock.h"
#include "tests/support/FileTree.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/support/ZipWriter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using vx::test::FileTree;
using vx::test::ScriptedDesktop;

namespace {

enum class Run { PhotoScan, ArchiveScan, Examples, ExamplesThatCannotFinish, ExamplesRedrawing, TechData,
                 BrokenFinder, ArchiveExamples, ArchiveTechData };

constexpr int photoCount = 8;

} // namespace

Q_DECLARE_METATYPE(Run)

class TestWindowClose : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void closingEndsEveryRun_data();
    void closingEndsEveryRun();
    void helpWindowDoesNotKeepProgramAlive();
    void closedWindowLetsNothingThrough();

private:
    // Runs the application's event loop until the program ends; a loop still running after a few
    // seconds is ended with status 1 (the program would have stayed alive).
    static int execUntilEnd();
    void start(Run run);

    FileTree *tree = nullptr;
    ScriptedDesktop *desktop = nullptr;
    vx::Windows *windows = nullptr;
    vx::Form1View &v() { return windows->Form1.view(); }
    QString release, archives, output;
};

void TestWindowClose::init()
{
    tree = new FileTree;
    release = tree->folder("release");
    archives = tree->folder("archives");
    output = tree->folder("out");
    for (int i = 0; i < photoCount; ++i) {
        const QString name = QStringLiteral("p%1.jpg").arg(i);
        QVERIFY(vx::test::writeJpeg(tree->path("release/" + name), 40 + i, 30));
        vx::test::ZipWriter zip;
        zip.addStored(name.toLatin1(), vx::test::makeJpeg(40 + i, 30));
        QVERIFY(zip.writeTo(tree->path(QStringLiteral("archives/a%1.zip").arg(i))));
    }
    // Every reading moves this clock 50 ms, so the example runs' redraws let events run every time.
    auto now = std::make_shared<std::int64_t>(0);
    vx::clock::setMillisecondsForTesting([now] { return *now += 50; });
    desktop = new ScriptedDesktop;
    windows = new vx::Windows(*desktop);
    windows->Form1.show();
}

void TestWindowClose::cleanup()
{
    vx::clock::setMillisecondsForTesting({});
    delete windows;
    delete desktop;
    delete tree;
}

int TestWindowClose::execUntilEnd()
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    return QApplication::exec();
}

void TestWindowClose::start(Run run)
{
    const auto fill = [](QListWidget *list, const QString &folder, const QString &filter) {
        for (const QString &name : QDir(folder).entryList({filter}, QDir::Files, QDir::Name))
            list->addItem(QDir::toNativeSeparators(folder + "/" + name));
    };
    switch (run) {
    case Run::PhotoScan:
        desktop->folderAnswers.push_back(release);
        v().Button1->click();
        break;
    case Run::ArchiveScan:
        desktop->folderAnswers.push_back(archives);
        v().Button4->click();
        break;
    case Run::Examples:
    case Run::ExamplesThatCannotFinish:
        fill(v().lb1, release, "*.jpg");
        if (run == Run::ExamplesThatCannotFinish) // every name is taken in the output folder already
            for (int i = 0; i < photoCount; ++i)
                QFile::copy(tree->path(QStringLiteral("release/p%1.jpg").arg(i)), output + QStringLiteral("/p%1.jpg").arg(i));
        v().Edit1->setText(QString::number(photoCount / 2));
        desktop->folderAnswers.push_back(output);
        v().Button2->click();
        break;
    case Run::ExamplesRedrawing: // every photo is landscape: portrait wanted, the step redraws 7 times
        fill(v().lb1, release, "*.jpg");
        v().rg1->setItemIndex(0);
        v().Edit1->setText(QStringLiteral("1"));
        desktop->folderAnswers.push_back(output);
        v().Button2->click();
        break;
    case Run::TechData:
        fill(v().lb1, release, "*.jpg");
        v().Button7->show();
        v().Button7->click();
        break;
    case Run::BrokenFinder:
        fill(v().lb1, release, "*.jpg");
        windows->Form1.N3->trigger();
        break;
    case Run::ArchiveExamples:
        fill(v().lbzip, archives, "*.zip");
        v().Edit2->setText(QString::number(photoCount / 2));
        desktop->folderAnswers.push_back(output);
        v().Button6->click();
        break;
    case Run::ArchiveTechData:
        fill(v().lbzip, archives, "*.zip");
        v().Button8->show();
        v().Button8->click();
        break;
    }
}

void TestWindowClose::closingEndsEveryRun_data()
{
    QTest::addColumn<Run>("run");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("helpOpen");
    const QList<std::pair<const char *, Run>> runs{
        {"photo scan", Run::PhotoScan},
        {"archive scan", Run::ArchiveScan},
        {"examples", Run::Examples},
        {"examples that cannot finish", Run::ExamplesThatCannotFinish},
        {"examples, in the redraws", Run::ExamplesRedrawing},
        {"technical data", Run::TechData},
        {"broken-photo finder", Run::BrokenFinder},
        {"archive examples", Run::ArchiveExamples},
        {"archive technical data", Run::ArchiveTechData},
    };
    for (const auto &[name, run] : runs)
        for (int k : {1, 3})
            QTest::addRow("%s, pump %d%s", name, k, k == 3 ? ", help open" : "") << run << k << (k == 3);
}

void TestWindowClose::closingEndsEveryRun()
{
    QFETCH(Run, run);
    QFETCH(int, k);
    QFETCH(bool, helpOpen);
    qsizetype shownAtClose = -1;
    bool runReturned = false;
    desktop->atProcessEvents(k, [&] {
        shownAtClose = desktop->shown.size();
        windows->Form1.close();
    });
    // A run that goes on after the close would pump for ever; it is stopped from outside after a while,
    // so that the count of pumps below tells the fault instead of a hang.
    desktop->onEveryProcessEvents = [&] {
        if (desktop->processEventsCalls > k + 200)
            v().AbortRequested = true;
    };
    QTimer::singleShot(0, &windows->Form1, [&] {
        if (helpOpen)
            windows->Form1.Image3Click();
        start(run);
        runReturned = true;
    });

    QCOMPARE(execUntilEnd(), 0);
    QVERIFY(runReturned);
    QVERIFY2(shownAtClose >= 0, "the run ended before the window was closed");
    QVERIFY(windows->Form1.isHidden());
    QVERIFY(windows->helpform.isHidden());
    // The run stopped at its next step, and nothing was shown once the window was gone.
    QVERIFY2(desktop->processEventsCalls <= k + 1, qPrintable(QString::number(desktop->processEventsCalls)));
    QCOMPARE(desktop->shown.size(), shownAtClose);
}

void TestWindowClose::helpWindowDoesNotKeepProgramAlive()
{
    QTimer::singleShot(0, &windows->Form1, [this] {
        windows->Form1.Image3Click();
        QVERIFY(windows->helpform.isVisible());
        windows->Form1.close();
    });
    QCOMPARE(execUntilEnd(), 0);
    QVERIFY(windows->helpform.isHidden());
}

void TestWindowClose::closedWindowLetsNothingThrough()
{
    // What a run does on its way out after the close, done directly: every dialog gives its negative
    // answer and nothing reaches the user.
    windows->Form1.close();
    vx::Desktop &gate = windows->Form1.desktop();
    desktop->yesNoAnswers = {true};
    desktop->folderAnswers = {QStringLiteral("/tmp")};
    desktop->passwordAnswers = {QStringLiteral("secret")};
    desktop->failureAnswers = {vx::FailureAnswer::Retry};
    QString chosen, password;
    QVERIFY(!gate.askYesNo(QStringLiteral("t"), QStringLiteral("q")));
    QVERIFY(!gate.chooseFolder({}, chosen));
    QVERIFY(!gate.askPassword(QStringLiteral("c"), QStringLiteral("p"), 10, password));
    QCOMPARE(gate.askFailure(QStringLiteral("Confirm"), QStringLiteral("x")), vx::FailureAnswer::Abort);
    gate.showMessage(QStringLiteral("m"));
    gate.showError(QStringLiteral("e"));
    gate.showInformation(QStringLiteral("t"), QStringLiteral("i"));
    gate.openFolder(output);
    gate.openUrl(QStringLiteral("https://setboard.example/"));
    gate.setClipboardText(QStringLiteral("c"));
    QVERIFY(desktop->shown.isEmpty());
    QVERIFY(desktop->openedFolders.isEmpty());
    QVERIFY(desktop->openedUrls.isEmpty());
    QVERIFY(desktop->clipboard.isEmpty());
    QVERIFY(v().AbortRequested);
}

QTEST_MAIN(TestWindowClose)
#include "tst_window_close.moc"
