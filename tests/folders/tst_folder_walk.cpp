// The folder walk and the random arrangement, without windows.
#include "folders/FolderWalk.h"
#include "folders/RandomOrder.h"
#include "platform/Clock.h"
#include "tests/support/FileTree.h"

#include <QScopeGuard>
#include <QSet>
#include <QTest>

#include <algorithm>

using vx::test::FileTree;

class TestFolderWalk : public QObject {
    Q_OBJECT
private slots:
    void acceptsPhotoEndings_data();
    void acceptsPhotoEndings();
    void walksSubFolderBeforeFollowingEntries();
    void folderNamedLikePhotoIsWalkedAndListed();
    void hiddenEntriesAreWalked();
    void linksToFoldersAreNotEntered();
    void missingFolderContributesNothing();
    void trailingSeparatorIsNotDoubled();
    void stopHookEndsEveryLevel();
    void maskLimitsEntriesAndFolders();
    void lowerExtension_data();
    void lowerExtension();
    void randomOrderIsAPermutation_data();
    void randomOrderIsAPermutation();
    void randomOrderReachesPastSixteenBits();
    void randomStaysInRange();
};

void TestFolderWalk::acceptsPhotoEndings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::newRow("upper JPG") << "A.JPG" << true;
    QTest::newRow("mixed Jpeg") << "b.Jpeg" << true;
    QTest::newRow("jpe") << "c.jpe" << false;
    QTest::newRow("jfif") << "d.jfif" << false;
    QTest::newRow("jpg.txt") << "e.jpg.txt" << false;
    QTest::newRow("whole name .jpg") << ".jpg" << true;
    QTest::newRow("no dot") << "jpg" << false;
    QTest::newRow("cyrillic name") << QString::fromUtf8("Фото 1.jpg") << true;
    QTest::newRow("trailing dot") << "f.jpg." << false;
}

void TestFolderWalk::acceptsPhotoEndings()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    FileTree tree;
    const QString path = tree.file(name);
    QStringList found;
    vx::walkFolder(tree.root(), QString(), vx::photoEndings(), found);
    QCOMPARE(found.contains(path), listed);
    QCOMPARE(found.size(), listed ? 1 : 0);
}

void TestFolderWalk::walksSubFolderBeforeFollowingEntries()
{
    FileTree tree;
    tree.file("set/a.jpg");
    tree.file("set/deeper/b.jpg");
    tree.file("set/deeper/c.txt");
    QStringList found;
    vx::walkFolder(tree.root(), QString(), vx::photoEndings(), found);
    QCOMPARE(QSet<QString>(found.begin(), found.end()),
             QSet<QString>({tree.path("set/a.jpg"), tree.path("set/deeper/b.jpg")}));
    // The entry path is folder + separator + name, with one separator between each level.
    for (const QString &p : found)
        QVERIFY(!p.contains(QLatin1String("//")));
}

void TestFolderWalk::folderNamedLikePhotoIsWalkedAndListed()
{
    FileTree tree;
    tree.file("x.jpg/inner.jpeg");
    QStringList found;
    vx::walkFolder(tree.root(), QString(), vx::photoEndings(), found);
    // The folder's content lands before the folder itself: it is walked at the point it was met.
    QCOMPARE(found, QStringList({tree.path("x.jpg/inner.jpeg"), tree.path("x.jpg")}));

    FileTree archives;
    archives.file("y.zip/a.zip");
    QStringList zips;
    vx::walkFolder(archives.root(), QString(), {QStringLiteral(".zip")}, zips);
    QCOMPARE(zips, QStringList({archives.path("y.zip/a.zip"), archives.path("y.zip")}));
}

void TestFolderWalk::hiddenEntriesAreWalked()
{
    FileTree tree;
    tree.file(".hidden.jpg");
    tree.file(".cache/inside.jpg");
    QStringList found;
    vx::walkFolder(tree.root(), QString(), vx::photoEndings(), found);
    QCOMPARE(found.size(), 2);
}

void TestFolderWalk::linksToFoldersAreNotEntered()
{
    FileTree tree;
    const QString real = tree.file("real/p.jpg");
    QVERIFY(tree.symlink(tree.root(), "real/loop"));        // a cycle
    QVERIFY(tree.symlink(real, "real/link-to-file.jpg"));   // a link to a file
    QStringList found;
    vx::walkFolder(tree.root(), QString(), vx::photoEndings(), found);
    found.sort();
    QCOMPARE(found, QStringList({tree.path("real/link-to-file.jpg"), real}));
}

void TestFolderWalk::missingFolderContributesNothing()
{
    QStringList found{QStringLiteral("kept")};
    vx::walkFolder(QStringLiteral("/nonexistent/vorlinex/folder"), QString(), vx::photoEndings(), found);
    QCOMPARE(found, QStringList({QStringLiteral("kept")})); // the walk only appends
}

void TestFolderWalk::trailingSeparatorIsNotDoubled()
{
    FileTree tree;
    tree.file("a.jpg");
    QStringList found;
    vx::walkFolder(tree.root() + QLatin1Char('/'), QString(), vx::photoEndings(), found);
    QCOMPARE(found, QStringList({tree.path("a.jpg")}));
}

void TestFolderWalk::stopHookEndsEveryLevel()
{
    FileTree tree;
    for (int i = 0; i < 5; ++i)
        tree.file(QStringLiteral("d%1/p%1.jpg").arg(i));
    int calls = 0;
    bool stopped = false;
    vx::WalkHooks hooks;
    hooks.beforeEntry = [&] {
        ++calls;
        if (calls == 4)
            stopped = true;
        return !stopped;
    };
    QStringList found;
    vx::walkFolder(tree.root(), QString(), vx::photoEndings(), found, hooks);
    // Once the hook says stop, each open level meets it at its next entry and ends: at most one more
    // call per level (two levels here).
    QVERIFY(calls <= 4 + 2);
    QVERIFY(found.size() < 5);
}

void TestFolderWalk::maskLimitsEntriesAndFolders()
{
    FileTree tree;
    tree.file("a1.jpg");
    tree.file("b1.jpg");
    tree.file("a-folder/a2.jpg");
    tree.file("b-folder/a3.jpg");
    QStringList found;
    vx::walkFolder(tree.root(), QStringLiteral("A*"), vx::photoEndings(), found);
    found.sort();
    QCOMPARE(found, QStringList({tree.path("a-folder/a2.jpg"), tree.path("a1.jpg")}));
}

void TestFolderWalk::lowerExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::newRow("plain") << "a.JPG" << ".jpg";
    QTest::newRow("two dots") << "a.b.JpEg" << ".jpeg";
    QTest::newRow("none") << "README" << "";
    QTest::newRow("dot only") << "." << ".";
}

void TestFolderWalk::lowerExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QCOMPARE(vx::lowerExtension(name), extension);
}

void TestFolderWalk::randomOrderIsAPermutation_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("empty") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("fifty") << 50;
    QTest::newRow("negative is empty") << -3;
}

void TestFolderWalk::randomOrderIsAPermutation()
{
    QFETCH(int, n);
    std::vector<int> order{7, 7, 7};
    vx::MakeRandomOrder(order, n);
    QCOMPARE(int(order.size()), std::max(n, 0));
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < int(sorted.size()); ++i)
        QCOMPARE(sorted[std::size_t(i)], i);
}

void TestFolderWalk::randomOrderReachesPastSixteenBits()
{
    // A 16-bit count would build an order of 70000 & 0xFFFF = 4464 entries and never draw the rest.
    const int n = 70000;
    std::vector<int> order;
    vx::MakeRandomOrder(order, n);
    QCOMPARE(int(order.size()), n);
    int pastSixteenBits = 0;
    for (int i = 0; i < 1000; ++i)
        if (order[std::size_t(i)] > 65535)
            ++pastSixteenBits;
    QVERIFY(pastSixteenBits > 0);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(sorted.back(), n - 1);
    QVERIFY(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
}

void TestFolderWalk::randomStaysInRange()
{
    // The upper half of state * n: for the largest state the result is still below n.
    vx::RandSeed = 0xFFFFFFFFu;
    for (std::uint32_t n : {1u, 2u, 50u, 100000u, 0xFFFFFFFFu})
        for (int i = 0; i < 1000; ++i)
            QVERIFY(vx::Random(n) < n);
    // Golden arrangements, worked out apart from this code from the generator's definition: state :=
    // state * 134775813 + 1 (mod 2^32), Random(n) = upper half of state * n, and position i swapped with
    // Random(n) over the whole range.
    struct Golden {
        int n;
        std::uint32_t seed;
        std::vector<int> order;
    };
    const Golden golden[] = {
        {10, 12345, {8, 2, 3, 0, 4, 5, 6, 1, 7, 9}},
        {7, 0xFFFFFFFFu, {5, 1, 3, 4, 0, 2, 6}},
        {16, 0, {14, 12, 7, 3, 15, 8, 9, 11, 6, 10, 0, 13, 5, 2, 1, 4}},
    };
    const auto restore = qScopeGuard([] { vx::clock::setHighResolutionCounterForTesting({}); });
    for (const Golden &g : golden) {
        // MakeRandomOrder seeds itself from the high-resolution counter.
        vx::clock::setHighResolutionCounterForTesting([seed = g.seed] { return seed; });
        std::vector<int> order;
        vx::MakeRandomOrder(order, g.n);
        QCOMPARE(order, g.order);
    }
}

QTEST_GUILESS_MAIN(TestFolderWalk)
#include "tst_folder_walk.moc"
