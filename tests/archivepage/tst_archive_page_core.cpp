// The widget-free pieces of the archive page: the order of the size texts that picks the two measured
// entries per archive, and the resolution range with its pair-wise replacement and limit.
#include "archive/ArchiveResolutionRange.h"
#include "archive/SizeListEnds.h"

#include <QCollator>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using vx::archive::ArchiveResolutionRange;
using vx::archive::JpegEntry;
using vx::archive::Resolution;
using vx::archive::SizeListEnds;

namespace {
JpegEntry sized(qint64 size, const QString &name)
{
    const qsizetype cut = name.lastIndexOf('\\') + 1;
    return JpegEntry{0, name.left(cut), name.mid(cut), size};
}
QString text(const JpegEntry &e) { return QString::number(e.unpackedSize) + '|' + e.name(); }
} // namespace

Q_DECLARE_METATYPE(Resolution)

class TestArchivePageCore : public QObject {
    Q_OBJECT
private slots:
    void sizeListEnds_data();
    void sizeListEnds();
    void endsAgreeWithRussianCollation();
    void maximum_data();
    void maximum();
    void minimum_data();
    void minimum();
    void lines();
};

void TestArchivePageCore::sizeListEnds_data()
{
    QTest::addColumn<QList<qint64>>("sizes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("sizes as text, not as numbers") << QList<qint64>{9523, 1234567} << QStringList{"a.jpg", "b.jpg"}
                                                   << "1234567|b.jpg" << "9523|a.jpg";
    QTest::newRow("a size text that begins a longer one comes first")
        << QList<qint64>{2, 1000000, 9, 100, 10} << QStringList{"a", "b", "c", "d", "e"} << "10|e" << "9|c";
    QTest::newRow("zero first, 50 after 5") << QList<qint64>{5, 0, 50} << QStringList{"a", "b", "c"} << "0|b"
                                            << "50|c";
    QTest::newRow("equal sizes: names ignoring case") << QList<qint64>{7, 7, 7} << QStringList{"b.jpg", "C.jpg", "A.jpg"}
                                                      << "7|A.jpg" << "7|C.jpg";
    QTest::newRow("equal sizes: the folder counts before the file name")
        << QList<qint64>{7, 7} << QStringList{"b\\a.jpg", "a\\z.jpg"} << "7|a\\z.jpg" << "7|b\\a.jpg";
    QTest::newRow("equal texts ignoring case: the first one stays")
        << QList<qint64>{7, 7} << QStringList{"Photo.jpg", "PHOTO.JPG"} << "7|Photo.jpg" << "7|Photo.jpg";
    QTest::newRow("one entry is both ends") << QList<qint64>{42} << QStringList{"x"} << "42|x" << "42|x";
}

void TestArchivePageCore::sizeListEnds()
{
    QFETCH(QList<qint64>, sizes);
    QFETCH(QStringList, names);
    QFETCH(QString, first);
    QFETCH(QString, last);
    SizeListEnds ends;
    QVERIFY(ends.isEmpty());
    for (int i = 0; i < sizes.size(); ++i)
        ends.insert(sized(sizes[i], names[i]));
    QCOMPARE(text(ends.first()), first);
    QCOMPARE(text(ends.last()), last);
    ends.clear();
    QVERIFY(ends.isEmpty());
}

void TestArchivePageCore::endsAgreeWithRussianCollation()
{
    // The Russian collation of the whole "size|name" text is the order the ends stand for. Sizes are kept
    // distinct so ties between names, which any case-insensitive order may break its own way, do not count.
    QCollator russian(QLocale(QLocale::Russian, QLocale::Russia));
    russian.setCaseSensitivity(Qt::CaseInsensitive);
    if (russian.compare("9|a", "10|a") <= 0 || russian.compare("10|a", "100|a") >= 0)
        QSKIP("this Qt has no locale-aware collation for Russian");
    QRandomGenerator random(20261209);
    for (int round = 0; round < 200; ++round) {
        SizeListEnds ends;
        QStringList texts;
        QSet<qint64> used;
        const int count = 1 + int(random.bounded(40));
        for (int i = 0; i < count; ++i) {
            qint64 size;
            do {
                const int digits = 1 + int(random.bounded(9));
                size = qint64(random.bounded(quint64(1) << (digits * 3)));
            } while (used.contains(size));
            used << size;
            const JpegEntry e = sized(size, QStringLiteral("dir\\Фото%1.jpg").arg(random.bounded(1000)));
            ends.insert(e);
            texts << text(e);
        }
        std::sort(texts.begin(), texts.end(), [&](const QString &a, const QString &b) { return russian.compare(a, b) < 0; });
        QCOMPARE(text(ends.first()), texts.first());
        QCOMPARE(text(ends.last()), texts.last());
    }
}

void TestArchivePageCore::maximum_data()
{
    QTest::addColumn<Resolution>("current");
    QTest::addColumn<Resolution>("candidate");
    QTest::addColumn<Resolution>("result");
    QTest::newRow("wider and higher") << Resolution{400, 300} << Resolution{500, 400} << Resolution{500, 400};
    QTest::newRow("wider but lower: its own height") << Resolution{400, 300} << Resolution{500, 100}
                                                     << Resolution{500, 100};
    QTest::newRow("higher though narrower") << Resolution{400, 300} << Resolution{300, 500} << Resolution{300, 500};
    QTest::newRow("smaller both ways") << Resolution{400, 300} << Resolution{300, 200} << Resolution{400, 300};
    QTest::newRow("equal") << Resolution{400, 300} << Resolution{400, 300} << Resolution{400, 300};
    QTest::newRow("width at the limit") << Resolution{400, 300} << Resolution{20000, 100} << Resolution{400, 300};
    QTest::newRow("height at the limit") << Resolution{400, 300} << Resolution{100, 20000} << Resolution{400, 300};
    QTest::newRow("just below the limit") << Resolution{400, 300} << Resolution{19999, 19999}
                                          << Resolution{19999, 19999};
    QTest::newRow("from nothing") << Resolution{0, 0} << Resolution{1, 1} << Resolution{1, 1};
}

void TestArchivePageCore::maximum()
{
    QFETCH(Resolution, current);
    QFETCH(Resolution, candidate);
    QFETCH(Resolution, result);
    ArchiveResolutionRange range;
    range.maximum = current;
    range.offerMaximum(candidate);
    QCOMPARE(range.maximum.width, result.width);
    QCOMPARE(range.maximum.height, result.height);
}

void TestArchivePageCore::minimum_data()
{
    QTest::addColumn<Resolution>("current");
    QTest::addColumn<Resolution>("candidate");
    QTest::addColumn<Resolution>("result");
    QTest::newRow("narrower and lower") << Resolution{400, 300} << Resolution{300, 200} << Resolution{300, 200};
    QTest::newRow("lower though wider: its own width") << Resolution{400, 300} << Resolution{500, 100}
                                                       << Resolution{500, 100};
    QTest::newRow("narrower though higher") << Resolution{400, 300} << Resolution{300, 500} << Resolution{300, 500};
    QTest::newRow("larger both ways") << Resolution{400, 300} << Resolution{500, 400} << Resolution{400, 300};
    QTest::newRow("no limit at the lower end") << Resolution{400, 300} << Resolution{20000, 10}
                                               << Resolution{20000, 10};
    QTest::newRow("0x0 stays") << Resolution{0, 0} << Resolution{300, 200} << Resolution{0, 0};
}

void TestArchivePageCore::minimum()
{
    QFETCH(Resolution, current);
    QFETCH(Resolution, candidate);
    QFETCH(Resolution, result);
    ArchiveResolutionRange range;
    range.minimum = current;
    range.offerMinimum(candidate);
    QCOMPARE(range.minimum.width, result.width);
    QCOMPARE(range.minimum.height, result.height);
}

void TestArchivePageCore::lines()
{
    ArchiveResolutionRange range;
    range.minimum = {1200, 1600};
    range.maximum = {4000, 3000};
    QCOMPARE(vx::archive::ArchiveTechDataLines(12, 345, range),
             QStringList({"Архивов: 12", "Всего фото: 345", "Разрешение: 1200x1600 - 4000x3000"}));
}

QTEST_MAIN(TestArchivePageCore)
#include "tst_archive_page_core.moc"
