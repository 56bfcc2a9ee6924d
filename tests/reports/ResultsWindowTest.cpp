// The results window on its own and the two set-list runs through the main window's menu items.

#include "app/Unit1.h"
#include "reports/Results.h"
#include "tests/reports/WhileModal.h"
#include "tests/support/ScriptedDesktop.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using vx::reports::TResultForm;
using vx::test::WhileModal;

class ResultsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowLayout();
    void showsCountsAndEmptiesOnClose_data();
    void showsCountsAndEmptiesOnClose();
    void copyPutsAllOnClipboardAndLeavesNothingSelected();
    void copyButtonKeepsItsDistanceToTheRightEdge();
    void setLists_data();
    void setLists();
    void emptyListsOpenNoWindow();
    void reopeningShowsOnlyTheNewList();
};

void ResultsWindowTest::windowLayout()
{
    vx::test::ScriptedDesktop desktop;
    TResultForm form(desktop);
    QCOMPARE(form.windowTitle(), QStringLiteral("Результаты"));
    QVERIFY(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(form.Memo1->isReadOnly());
    QCOMPARE(form.Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(form.Button1->text(), QStringLiteral("Скопировать в буфер"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Строк:"));
    QVERIFY(form.minimumSize().width() < form.width()); // resizable
}

void ResultsWindowTest::showsCountsAndEmptiesOnClose_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("label");
    QTest::newRow("two sets") << QStringList{"SetA", "SetB"} << "Строк: 2";
    QTest::newRow("nothing") << QStringList{} << "Строк: 0";
    QTest::newRow("empty last name still counts") << QStringList{"Rel", ""} << "Строк: 2";
    QTest::newRow("many") << QStringList(1000, QStringLiteral("S")) << "Строк: 1000";
}

void ResultsWindowTest::showsCountsAndEmptiesOnClose()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, label);
    vx::test::ScriptedDesktop desktop;
    TResultForm form(desktop);
    QString shownText, shownLabel;
    bool modal = false;
    QPoint centreOffset;
    WhileModal watch(form, [&] {
        shownText = form.Memo1->toPlainText();
        shownLabel = form.Label1->text();
        modal = form.isModal() && QApplication::activeModalWidget() == &form;
        centreOffset = form.frameGeometry().center() - form.screen()->availableGeometry().center();
    });
    form.move(0, 0); // where the user left it last time
    form.showList(lines);
    QCOMPARE(watch.opened(), 1);
    QVERIFY(modal);
    QCOMPARE(shownLabel, label);
    QCOMPARE(shownText.split(QLatin1Char('\n')).mid(0, lines.size()), lines);
    // QRect::center() rounds down on both rectangles, so a pixel or two either way is still centred.
    QVERIFY2(qAbs(centreOffset.x()) <= 2 && qAbs(centreOffset.y()) <= 2, "the window opens centred on the screen");
    QVERIFY(form.Memo1->toPlainText().isEmpty());
    QVERIFY(!form.isVisible());
}

void ResultsWindowTest::copyPutsAllOnClipboardAndLeavesNothingSelected()
{
    vx::test::ScriptedDesktop desktop;
    TResultForm form(desktop);
    bool selected = true;
    int caret = -1;
    WhileModal watch(form, [&] {
        // A selection the user made before pressing the button must not survive either.
        QTextCursor partial = form.Memo1->textCursor();
        partial.setPosition(2);
        partial.setPosition(6, QTextCursor::KeepAnchor);
        form.Memo1->setTextCursor(partial);
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        selected = form.Memo1->textCursor().hasSelection();
        caret = form.Memo1->textCursor().position();
    });
    form.showList({"Set.One", "Two", "Три"});
    QCOMPARE(desktop.clipboard, QStringLiteral("Set.One\nTwo\nТри\n"));
    QVERIFY(!selected);
    QCOMPARE(caret, 0);
}

void ResultsWindowTest::copyButtonKeepsItsDistanceToTheRightEdge()
{
    vx::test::ScriptedDesktop desktop;
    TResultForm form(desktop);
    int before = -1, after = -2, memoGrowth = 0;
    WhileModal watch(form, [&] {
        auto rightGap = [&] { return form.width() - form.Button1->mapTo(&form, QPoint(form.Button1->width(), 0)).x(); };
        before = rightGap();
        const int memoWidth = form.Memo1->width();
        form.resize(form.width() + 200, form.height() + 100);
        QApplication::processEvents();
        after = rightGap();
        memoGrowth = form.Memo1->width() - memoWidth;
    });
    form.showList({"A"});
    QCOMPARE(after, before);
    QCOMPARE(memoGrowth, 200);
}

void ResultsWindowTest::setLists_data()
{
    QTest::addColumn<bool>("archives");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    const QString sep = QDir::separator();
    auto p = [&](QString path) { return path.replace(QLatin1Char('/'), sep); };
    QTest::newRow("Rel/SetA then Rel/SetB")
        << false << QStringList{p("/d/Rel/SetA/1.jpg"), p("/d/Rel/SetA/2.jpg"), p("/d/Rel/SetB/1.jpg")}
        << "SetA\nSetB\n" << "Строк: 2";
    QTest::newRow("A, B, A") << false << QStringList{p("/d/A/1.jpg"), p("/d/B/1.jpg"), p("/d/A/2.jpg")} << "A\nB\nA\n"
                             << "Строк: 3";
    QTest::newRow("Set.One.zip and Two.zip") << true << QStringList{p("/d/Rel/Set.One.zip"), p("/d/Rel/Two.zip")}
                                             << "Set.One\nTwo\n" << "Строк: 2";
}

void ResultsWindowTest::setLists()
{
    QFETCH(bool, archives);
    QFETCH(QStringList, entries);
    QFETCH(QString, text);
    QFETCH(QString, label);
    vx::test::ScriptedDesktop desktop;
    TForm1 window(desktop);
    TResultForm results(desktop, &window);
    vx::Form1View &view = window.view();
    (archives ? view.lbzip : view.lb1)->addItems(entries);
    QString shownText, shownLabel;
    WhileModal watch(results, [&] {
        shownText = results.Memo1->toPlainText();
        shownLabel = results.Label1->text();
    });
    window.setResultForm(&results);
    (archives ? window.N1 : window.N2)->trigger();
    QCOMPARE(watch.opened(), 1);
    QCOMPARE(shownText, text);
    QCOMPARE(shownLabel, label);
    QVERIFY(desktop.shown.isEmpty());
}

void ResultsWindowTest::emptyListsOpenNoWindow()
{
    vx::test::ScriptedDesktop desktop;
    TForm1 window(desktop);
    TResultForm results(desktop, &window);
    window.setResultForm(&results);
    WhileModal watch(results, {});
    window.N2->trigger();
    window.N1->trigger();
    QTest::qWait(20);
    QCOMPARE(watch.opened(), 0);
}

void ResultsWindowTest::reopeningShowsOnlyTheNewList()
{
    vx::test::ScriptedDesktop desktop;
    TForm1 window(desktop);
    TResultForm results(desktop, &window);
    vx::Form1View &view = window.view();
    const QString sep = QDir::separator();
    view.lb1->addItems({sep + "d" + sep + "SetA" + sep + "1.jpg"});
    view.lbzip->addItems({sep + "d" + sep + "Z.zip"});
    QStringList texts;
    window.setResultForm(&results);
    WhileModal watch(results, [&] { texts << results.Memo1->toPlainText(); });
    window.N2->trigger();
    window.N1->trigger();
    QCOMPARE(texts, (QStringList{"SetA\n", "Z\n"}));
}

QTEST_MAIN(ResultsWindowTest)
#include "ResultsWindowTest.moc"
