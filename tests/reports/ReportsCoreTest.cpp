// The pure pieces of the reports: text helpers, the folder count, the resolution order and the lines
// built from them, the set lists and the results window's text.

#include "reports/ArchiveSetList.h"
#include "reports/FolderRunCounter.h"
#include "reports/FolderSetList.h"
#include "reports/LastPathPart.h"
#include "reports/ResolutionOrder.h"
#include "reports/ResultText.h"
#include "reports/TechDataLines.h"
#include "reports/TextBetween.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

#include <clocale>

using namespace vx::reports;

class ReportsCoreTest : public QObject {
    Q_OBJECT
private slots:
    void textBetween_data();
    void textBetween();
    void lastPathPart_data();
    void lastPathPart();
    void folderRuns_data();
    void folderRuns();
    void resolutionText_data();
    void resolutionText();
    void sortKey_data();
    void sortKey();
    void sortKeyIgnoresTheLocale_data();
    void sortKeyIgnoresTheLocale();
    void techDataLines_data();
    void techDataLines();
    void folderSetList_data();
    void folderSetList();
    void archiveSetList_data();
    void archiveSetList();
    void resultText_data();
    void resultText();
    void lineCount_data();
    void lineCount();
};

void ReportsCoreTest::textBetween_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");
    QTest::addColumn<QString>("expected");
    QTest::newRow("width of W,H") << "1600,1200" << "" << "," << "1600";
    QTest::newRow("height of W,H") << "1600,1200" << "," << "" << "1200";
    QTest::newRow("both delimiters") << "<a>b</a>" << "<a>" << "</a>" << "b";
    QTest::newRow("opening absent starts at the text's start") << "abc]" << "[" << "]" << "abc";
    QTest::newRow("closing absent gives nothing") << "[abc" << "[" << "]" << "";
    QTest::newRow("closing only before the start gives nothing") << "]x[abc" << "[" << "]" << "";
    QTest::newRow("closing searched from the start, not from the opening") << "a]b[c]" << "[" << "]" << "";
    QTest::newRow("no delimiters gives the whole text") << "1600,1200" << "" << "" << "1600,1200";
    QTest::newRow("opening at the very end") << "abc," << "," << "" << "";
    QTest::newRow("adjacent delimiters") << "x[]y" << "[" << "]" << "";
    QTest::newRow("empty text") << "" << "," << "," << "";
    QTest::newRow("first occurrences win") << "1,2,3" << "," << "" << "2,3";
}

void ReportsCoreTest::textBetween()
{
    QFETCH(QString, text);
    QFETCH(QString, opening);
    QFETCH(QString, closing);
    QFETCH(QString, expected);
    QCOMPARE(TextBetween(text, opening, closing), expected);
}

void ReportsCoreTest::lastPathPart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("final separator stays") << "/Photos/SetA/" << "SetA/";
    QTest::newRow("no final separator") << "/Photos/SetA" << "SetA";
    if (QDir::separator() == QLatin1Char('/')) {
        // Only "/" is a root here: a one-letter folder under it is a set.
        QTest::newRow("one-letter folder under the root") << "/a/" << "a/";
        QTest::newRow("one-letter folder, no final separator") << "/a" << "a";
    } else {
        QTest::newRow("drive root") << "C:\\" << "";
    }
    QTest::newRow("empty") << "" << "";
    QTest::newRow("four characters") << "/ab/" << "ab/";
    QTest::newRow("root only") << "/" << "";
    QTest::newRow("no separator gives the whole text") << "abcd" << "abcd";
    QTest::newRow("only a final separator") << "abcd/" << "abcd/";
    QTest::newRow("doubled separator") << "/Rel//" << "/";
    QTest::newRow("native separator") << QStringLiteral("x%1Rel%1SetB%1").arg(QDir::separator()) << QStringLiteral("SetB%1").arg(QDir::separator());
}

void ReportsCoreTest::lastPathPart()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(LastPathPart(path), expected);
}

void ReportsCoreTest::folderRuns_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<int>("expected");
    QTest::newRow("one photo") << QStringList{"/r/A/1.jpg"} << 1;
    QTest::newRow("empty list") << QStringList{} << 0;
    QTest::newRow("letter case differs") << QStringList{"/r/A/1.jpg", "/r/a/2.jpg"} << 2;
    QTest::newRow("same name, other parent") << QStringList{"/r/1/Photos/a.jpg", "/r/2/Photos/b.jpg"} << 2;
    QTest::newRow("sub-folder between") << QStringList{"/r/A/1.jpg", "/r/A/s/2.jpg", "/r/A/3.jpg"} << 3;
    QTest::newRow("file name only differs") << QStringList{"/r/A/1.jpg", "/r/A/1.jpeg"} << 1;
}

void ReportsCoreTest::folderRuns()
{
    QFETCH(QStringList, paths);
    QFETCH(int, expected);
    QCOMPARE(CountFolderRuns(paths), expected);
}

void ReportsCoreTest::resolutionText_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("expected"); // empty: no resolution
    QTest::newRow("ordinary") << 4000 << 3000 << "4000,3000";
    QTest::newRow("just under the limit") << 19999 << 19999 << "19999,19999";
    QTest::newRow("width at the limit") << 20000 << 100 << "";
    QTest::newRow("height at the limit") << 100 << 20000 << "";
    QTest::newRow("marker read as height") << 16 << 65504 << "";
    QTest::newRow("zero sides") << 0 << 0 << "0,0";
    QTest::newRow("negative") << -1 << 10 << "";
}

void ReportsCoreTest::resolutionText()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, expected);
    QCOMPARE(ResolutionText(width, height).value_or(QString()), expected);
}

void ReportsCoreTest::sortKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("key");
    QTest::newRow("1600,1200") << "1600,1200" << 1600.12;
    QTest::newRow("1600,900") << "1600,900" << 1600.9;
    QTest::newRow("4000,3000") << "4000,3000" << 4000.3;
    QTest::newRow("1080,1920") << "1080,1920" << 1080.192;
    QTest::newRow("height 0") << "800,0" << 800.0;
    QTest::newRow("height with a leading zero") << "1600,0900" << 1600.09;
    QTest::newRow("one plus a fraction that rounds twice") << "1,5472" << 1.5472;
    QTest::newRow("fifteen digits") << "123456789,123456" << 123456789.123456;
    QTest::newRow("seventeen digits, past exact integers") << "9876543210,1234567" << 9876543210.1234567;
    QTest::newRow("no width") << ",1200" << 0.12;
    QTest::newRow("no height") << "1600," << 1600.0;
    QTest::newRow("two commas") << "1,2,3" << 0.0;
    QTest::newRow("not a number") << "abc" << 0.0;
    QTest::newRow("not finite") << "inf" << 0.0;
}

void ReportsCoreTest::sortKey()
{
    QFETCH(QString, text);
    QFETCH(double, key);
    // Exactly the double a decimal parser reads (QCOMPARE would forgive a last-digit difference, which
    // can swap two close keys).
    const double actual = ResolutionSortKey(text);
    QVERIFY2(actual == key, qPrintable(QString::number(actual, 'g', 17)));
}

void ReportsCoreTest::sortKeyIgnoresTheLocale_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<QByteArray>("cLocale");
    QTest::addColumn<QByteArray>("decimalMark"); // as the C library writes it under cLocale
    // Russian settings write "," as the decimal mark, English ones "."; the key must not change.
    QTest::newRow("Russian") << QLocale::Russian << QByteArray("ru_RU.UTF-8") << QByteArray(",");
    QTest::newRow("English") << QLocale::English << QByteArray("C") << QByteArray(".");
}

void ReportsCoreTest::sortKeyIgnoresTheLocale()
{
    QFETCH(QLocale::Language, language);
    QFETCH(QByteArray, cLocale);
    QFETCH(QByteArray, decimalMark);
    const QLocale saved;
    const auto restore = qScopeGuard([&] {
        std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(saved);
    });
    if (!std::setlocale(LC_NUMERIC, cLocale.constData()))
        QSKIP(qPrintable(QStringLiteral("the locale %1 is not installed (scripts/setup test generates it)")
                             .arg(QString::fromLatin1(cLocale))));
    QCOMPARE(QByteArray(std::localeconv()->decimal_point), decimalMark);
    QLocale::setDefault(QLocale(language));
    QCOMPARE(ResolutionSortKey(QStringLiteral("1600,1200")), 1600.12);
    QStringList texts{"1600,900", "1600,1200"};
    SortResolutions(texts);
    QCOMPARE(texts, (QStringList{"1600,1200", "1600,900"}));
}

void ReportsCoreTest::techDataLines_data()
{
    QTest::addColumn<QStringList>("resolutions"); // unsorted, as measured
    QTest::addColumn<QString>("third");
    QTest::newRow("range over many") << QStringList{"4000,3000", "2000,1500", "1600,1200", "3000,2000"}
                                     << "Разрешение : 1600x1200 - 4000x3000";
    QTest::newRow("nothing measured") << QStringList{} << "Разрешение : нет данных";
}

void ReportsCoreTest::techDataLines()
{
    QFETCH(QStringList, resolutions);
    QFETCH(QString, third);
    SortResolutions(resolutions);
    const QStringList lines = TechDataLines(7, 2, resolutions);
    QCOMPARE(lines, (QStringList{"Файлов: 7", "Папок: 2", third}));
}

void ReportsCoreTest::folderSetList_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("same name in two parents gives one line")
        << QStringList{"/d/Set1/Photos/1.jpg", "/d/Set2/Photos/1.jpg"} << QStringList{"Photos"};
    QTest::newRow("letter case counts") << QStringList{"/d/a/1.jpg", "/d/A/1.jpg"} << QStringList{"a", "A"};
    QTest::newRow("root photo first is not listed") << QStringList{"/1.jpg", "/d/Rel/1.jpg"} << QStringList{"Rel"};
    QTest::newRow("root photo later is an empty line") << QStringList{"/d/Rel/1.jpg", "/1.jpg"} << QStringList{"Rel", ""};
    QTest::newRow("photo without any folder") << QStringList{"1.jpg"} << QStringList{};
    QTest::newRow("empty") << QStringList{} << QStringList{};
}

void ReportsCoreTest::folderSetList()
{
    QFETCH(QStringList, paths);
    QFETCH(QStringList, expected);
    QCOMPARE(FolderSetList(paths), expected);
}

void ReportsCoreTest::archiveSetList_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("no extension") << QStringList{"/d/Rel/Three"} << QStringList{"Three"};
    QTest::newRow("dot in the folder only") << QStringList{"/d/Rel.v2/Four"} << QStringList{"Four"};
    QTest::newRow("name is only an extension") << QStringList{"/d/.zip"} << QStringList{""};
    QTest::newRow("duplicates stay") << QStringList{"/a/S.zip", "/b/S.ZIP"} << QStringList{"S", "S"};
    QTest::newRow("bare name") << QStringList{"X.zip"} << QStringList{"X"};
}

void ReportsCoreTest::archiveSetList()
{
    QFETCH(QStringList, paths);
    QFETCH(QStringList, expected);
    QCOMPARE(ArchiveSetList(paths), expected);
}

void ReportsCoreTest::resultText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("two names") << QStringList{"SetA", "SetB"} << "SetA\nSetB\n" << 2;
    QTest::newRow("nothing") << QStringList{} << "" << 0;
    QTest::newRow("final empty name is a line") << QStringList{"Rel", ""} << "Rel\n\n" << 2;
    QTest::newRow("only an empty name") << QStringList{""} << "\n" << 1;
}

void ReportsCoreTest::resultText()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(ResultText(lines), text);
    QCOMPARE(ResultLineCount(text), count);
}

void ReportsCoreTest::lineCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("no final line break") << "A\nB" << 2;
    QTest::newRow("one line without break") << "A" << 1;
    QTest::newRow("empty lines inside") << "A\n\nB\n" << 3;
    QTest::newRow("two final line breaks") << "A\n\n" << 2;
}

void ReportsCoreTest::lineCount()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(ResultLineCount(text), count);
}

QTEST_APPLESS_MAIN(ReportsCoreTest)
#include "ReportsCoreTest.moc"
