// The folder walk and the random arrangement, without windows.
#include "folders/FolderWalk.h"
#include "folders/RandomOrder.h"
#include "platform/Clock.h"
#include "tests/support/EntryTexts.h"
#include "tests/support/FileTree.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <filesystem>

using vx::test::FileTree;

namespace {

QStringList walk(const QString &root, const QString &mask = {}, const QStringList &endings = vx::photoEndings(),
                 const vx::WalkHooks &hooks = {})
{
    std::vector<vx::ListEntry> found;
    vx::walkFolder(vx::nativePath(root), mask, endings, found, hooks);
    return vx::test::texts(found);
}

// The text the walk shows for a path of the tree: native separators throughout, whatever form the tree's
// root came in.
QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

// A chain of folders deeper than any path the system takes whole, made and removed one level at a time
// relative to the one above (the working folder moves down and back).
class DeepChain {
public:
    DeepChain(const QString &root, int levels) : root_(root.toStdString()), levels_(levels)
    {
        const auto home = std::filesystem::current_path();
        std::filesystem::current_path(root_);
        for (int i = 0; i < levels_; ++i) {
            std::filesystem::create_directory(folderName(i));
            std::filesystem::current_path(folderName(i));
            FILE *photo = std::fopen(photoName(i).c_str(), "wb");
            std::fclose(photo);
        }
        std::filesystem::current_path(home);
    }
    ~DeepChain()
    {
        const auto home = std::filesystem::current_path();
        std::filesystem::current_path(root_);
        for (int i = 0; i < levels_; ++i)
            std::filesystem::current_path(folderName(i));
        for (int i = levels_ - 1; i >= 0; --i) {
            std::filesystem::remove(photoName(i));
            std::filesystem::current_path("..");
            std::filesystem::remove(folderName(i));
        }
        std::filesystem::current_path(home);
    }
    static std::string folderName(int i) { return QStringLiteral("level %1 of the set").arg(i, 3, 10, QLatin1Char('0')).toStdString(); }
    static std::string photoName(int i) { return "p" + std::to_string(i) + ".jpg"; }

private:
    std::filesystem::path root_;
    int levels_;
};

} // namespace

class TestFolderWalk : public QObject {
    Q_OBJECT
private slots:
    void acceptsPhotoEndings_data();
    void acceptsPhotoEndings();
    void walksSubFolderBeforeFollowingEntries();
    void namesInOtherEncodingsKeepTheirBytes_data();
    void namesInOtherEncodingsKeepTheirBytes();
    void folderNamedLikePhotoIsWalkedAndListed();
    void hiddenEntriesAreWalked();
    void linksToFoldersAreWalkedOncePerFolder();
    void linksIntoKernelFileSystemsAreNotFollowed_data();
    void linksIntoKernelFileSystemsAreNotFollowed();
    void treeDeeperThanTheLongestPath();
    void missingFolderContributesNothing();
    void trailingSeparatorIsNotDoubled_data();
    void trailingSeparatorIsNotDoubled();
    void stopHookEndsEveryLevel();
    void maskLimitsEntriesAndFolders_data();
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
    const QStringList found = walk(tree.root());
    QCOMPARE(found.contains(shown(path)), listed);
    QCOMPARE(found.size(), listed ? 1 : 0);
}

void TestFolderWalk::walksSubFolderBeforeFollowingEntries()
{
    // Every folder in NTFS's order (upper-cased UTF-16 compared), whatever order the file system keeps:
    // byte order would put "B set" and "_last" before "a", and "Я" before "б".
    FileTree tree;
    for (const char *name : {"_last.jpg", "c.jpg", "B set/x.jpg", "B set/Inner/y.jpeg", "B set/Inner/notes.txt",
                             "a.jpg", "Яблоко/б.jpg", "Яблоко/Я.jpg", "Яблоко/a.JPG"})
        tree.file(QString::fromUtf8(name));
    QStringList expected;
    for (const char *name : {"a.jpg", "B set/Inner/y.jpeg", "B set/x.jpg", "c.jpg", "_last.jpg", "Яблоко/a.JPG",
                             "Яблоко/б.jpg", "Яблоко/Я.jpg"})
        expected << shown(tree.path(QString::fromUtf8(name)));
    QCOMPARE(walk(tree.root()), expected);
}

void TestFolderWalk::namesInOtherEncodingsKeepTheirBytes_data()
{
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("shownFolder");
    QTest::addColumn<QString>("shownName");
    const QString photo = QString::fromUtf8("Фото.jpg");
    QTest::newRow("1251 folder and photo") << QByteArray("\xD1\xE5\xF2 1") << QByteArray("\xD4\xEE\xF2\xEE.jpg")
                                           << QString::fromUtf8("Сет 1") << photo;
    // 866 bytes are no valid UTF-8 either and read as 1251: the name is odd, but it is listed and usable.
    QTest::newRow("866 photo") << QByteArray("set") << QByteArray("\x94\xAE\xE2\xAE.JPG") << QString("set")
                               << QString::fromUtf8("”®в®.JPG");
    QTest::newRow("UTF-8 stays UTF-8") << QByteArray("\xD0\xA1\xD0\xB5\xD1\x82") << photo.toUtf8()
                                       << QString::fromUtf8("Сет") << photo;
}

void TestFolderWalk::namesInOtherEncodingsKeepTheirBytes()
{
    QFETCH(QByteArray, folder);
    QFETCH(QByteArray, name);
    QFETCH(QString, shownFolder);
    QFETCH(QString, shownName);
    FileTree tree;
    std::vector<std::filesystem::path> photos;
    for (const char *prefix : {"", "1 ", "2 "})
        photos.push_back(tree.nativeFile(folder + "/" + prefix + name));
    std::vector<vx::ListEntry> found;
    vx::walkFolder(vx::nativePath(tree.root()), QString(), vx::photoEndings(), found);
    QCOMPARE(found.size(), photos.size());
    for (const vx::ListEntry &entry : found) {
        QVERIFY(std::find(photos.begin(), photos.end(), entry.path) != photos.end());
        QVERIFY(entry.text.startsWith(shown(tree.path(shownFolder)) + QDir::separator()));
        QVERIFY(entry.text.endsWith(shownName));
    }
}

void TestFolderWalk::folderNamedLikePhotoIsWalkedAndListed()
{
    FileTree tree;
    tree.file("x.jpg/inner.jpeg");
    const QStringList found = walk(tree.root());
    // The folder's content lands before the folder itself: it is walked at the point it was met.
    QCOMPARE(found, QStringList({shown(tree.path("x.jpg/inner.jpeg")), shown(tree.path("x.jpg"))}));

    FileTree archives;
    archives.file("y.zip/a.zip");
    const QStringList zips = walk(archives.root(), {}, {QStringLiteral(".zip")});
    QCOMPARE(zips, QStringList({shown(archives.path("y.zip/a.zip")), shown(archives.path("y.zip"))}));
}

void TestFolderWalk::hiddenEntriesAreWalked()
{
    FileTree tree;
    tree.file(".hidden.jpg");
    tree.file(".cache/inside.jpg");
    QCOMPARE(walk(tree.root()).size(), 2);
}

void TestFolderWalk::linksToFoldersAreWalkedOncePerFolder()
{
    FileTree tree;
    tree.file("outside/set/q.jpg");
    const QString real = tree.file("rel/real/p.jpg");
    tree.folder("rel/a");
    tree.folder("rel/b");
    QVERIFY(tree.symlink(tree.path("rel"), "rel/real/loop"));             // back to an ancestor
    QVERIFY(tree.symlink(tree.path("rel/real"), "rel/real/self.jpg"));    // to its own folder, named like a photo
    QVERIFY(tree.symlink(real, "rel/real/link-to-file.jpg"));
    QVERIFY(tree.symlink(tree.path("outside/set"), "rel/a/linked"));
    QVERIFY(tree.symlink(tree.path("outside/set"), "rel/b/linked-again")); // the same folder, another branch
    QVERIFY(tree.symlink(tree.path("rel/b"), "rel/a/to-b"));               // no cycle: b is no ancestor of a
    // Each real folder once, where it is met first: "set" through a/linked, b through a/to-b.
    QStringList expected{tree.path("rel/a/linked/q.jpg"), tree.path("rel/real/link-to-file.jpg"), real,
                         tree.path("rel/real/self.jpg")};
    // Levels that each hold two links to the next, all reached from level 0: entered once per link,
    // their 19 photos would be listed 2^19 - 1 times. Each is listed once, where it is met first.
    QString firstMet = QStringLiteral("rel/z/0/");
    for (int level = 0; level < 19; ++level) {
        tree.file(QStringLiteral("rel/z/%1/p.jpg").arg(level));
        if (level > 0) {
            QVERIFY(tree.symlink(tree.path(QStringLiteral("rel/z/%1").arg(level)), QStringLiteral("rel/z/%1/one").arg(level - 1)));
            QVERIFY(tree.symlink(tree.path(QStringLiteral("rel/z/%1").arg(level)), QStringLiteral("rel/z/%1/two").arg(level - 1)));
        }
        expected << tree.path(firstMet + QStringLiteral("p.jpg"));
        firstMet += QStringLiteral("one/");
    }
    // A walk that enters the cycle would go on for a very long time: stop it far beyond this tree's size.
    int entries = 0;
    vx::WalkHooks hooks;
    hooks.beforeEntry = [&entries] { return ++entries < 10000; };
    QStringList found = walk(tree.path("rel"), {}, vx::photoEndings(), hooks);
    found.sort();
    for (QString &path : expected)
        path = shown(path);
    expected.sort();
    QCOMPARE(found, expected);
}

void TestFolderWalk::linksIntoKernelFileSystemsAreNotFollowed_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("throughLink");
    // /proc/self/root leads back to "/": followed, the walk would list the whole machine.
    QTest::newRow("link to /proc") << "/proc/self" << true;
    QTest::newRow("link to /sys") << "/sys/class" << true;
    QTest::newRow("links inside /proc") << "/proc/self" << false;
}

void TestFolderWalk::linksIntoKernelFileSystemsAreNotFollowed()
{
    QFETCH(QString, target);
    QFETCH(bool, throughLink);
    if (!QFileInfo(target).isDir())
        QSKIP("no such folder here");
    FileTree tree;
    const QString photo = tree.file("a.jpg");
    QVERIFY(tree.symlink(target, "into"));
    int entries = 0;
    vx::WalkHooks hooks;
    const int cap = 200000;
    hooks.beforeEntry = [&entries] { return ++entries < cap; };
    if (throughLink) {
        QCOMPARE(walk(tree.root(), {}, vx::photoEndings(), hooks), QStringList({shown(photo)}));
        QCOMPARE(entries, 4); // ".", "..", "a.jpg", "into"
    } else {
        // Its own folders are walked, its links (root, cwd, exe) are not: the walk ends within the folder.
        QCOMPARE(walk(target, {}, vx::photoEndings(), hooks), QStringList());
        QVERIFY(entries < cap);
    }
}

void TestFolderWalk::treeDeeperThanTheLongestPath()
{
    // 500 levels of 20-character names: 10,500 bytes of path at the bottom, past PATH_MAX (4096).
    FileTree tree;
    const int levels = 500;
    DeepChain chain(tree.root(), levels);
    const QStringList found = walk(tree.root());
    QCOMPARE(found.size(), levels);
    // A folder's content comes before the entries after it: the deepest photo first.
    QVERIFY(found.first().size() > 10000);
    QVERIFY(found.first().endsWith(QDir::separator() + QStringLiteral("p499.jpg")));
}

void TestFolderWalk::missingFolderContributesNothing()
{
    std::vector<vx::ListEntry> found{vx::listEntry(vx::nativePath(QStringLiteral("kept")))};
    vx::walkFolder(vx::nativePath(QStringLiteral("/nonexistent/vorlinex/folder")), QString(), vx::photoEndings(),
                   found);
    QCOMPARE(vx::test::texts(found), QStringList({QStringLiteral("kept")})); // the walk only appends
}

void TestFolderWalk::trailingSeparatorIsNotDoubled_data()
{
    QTest::addColumn<QString>("separator");
    QTest::newRow("native") << QString(QDir::separator());
    QTest::newRow("slash as Qt writes it") << QStringLiteral("/");
}

void TestFolderWalk::trailingSeparatorIsNotDoubled()
{
    QFETCH(QString, separator);
    FileTree tree;
    tree.file("a.jpg");
    tree.file("sub/b.jpg");
    QCOMPARE(walk(QDir::toNativeSeparators(tree.root()) + separator),
             QStringList({shown(tree.path("a.jpg")), shown(tree.path("sub/b.jpg"))}));
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
    const QStringList found = walk(tree.root(), {}, vx::photoEndings(), hooks);
    // Once the hook says stop, each open level meets it at its next entry and ends: at most one more
    // call per level (two levels here).
    QVERIFY(calls <= 4 + 2);
    QVERIFY(found.size() < 5);
}

void TestFolderWalk::maskLimitsEntriesAndFolders_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("expected");
    // Every name that does not start with "a" holds an "a" further on, so a mask that matches anywhere
    // in a name lists too much.
    QTest::newRow("star after a letter, case ignored")
        << "A*" << QStringList{"a-folder/a2.jpg", "a-folder/abc.jpg", "a1.jpg", "abc.jpg"};
    QTest::newRow("question mark is one character") << "a?.jpg" << QStringList{"a1.jpg"};
    QTest::newRow("whole name, not a part") << "a1" << QStringList{};
    QTest::newRow("star dot star takes everything")
        << "*.*" << QStringList{"a-folder/a2.jpg", "a-folder/abc.jpg", "a1.jpg", "abc.jpg", "b-a-folder/a3.jpg",
                                "ba1.jpg", "xa.jpg"};
}

void TestFolderWalk::maskLimitsEntriesAndFolders()
{
    QFETCH(QString, mask);
    QFETCH(QStringList, expected);
    FileTree tree;
    for (const char *name : {"a1.jpg", "abc.jpg", "ba1.jpg", "xa.jpg", "a-folder/a2.jpg", "a-folder/abc.jpg",
                             "b-a-folder/a3.jpg"})
        tree.file(QString::fromLatin1(name));
    QStringList found = walk(tree.root(), mask);
    found.sort();
    for (QString &path : expected)
        path = shown(tree.path(path));
    QCOMPARE(found, expected);
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
    vx::MakeRandomOrderFromSeed(order, n, 0x5EEDu); // a fixed seed: the clock's would make a failure unrepeatable
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
    vx::MakeRandomOrderFromSeed(order, n, 0x5EEDu);
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
