// The main window's frame: start-up state, the count edits, shortcuts, help and the failure guard.
#include "app/Windows.h"
#include "platform/Error.h"
#include "tests/support/EntryTexts.h"
#include "tests/support/ScriptedDesktop.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using vx::test::ScriptedDesktop;
using vx::test::Shown;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpState_data();
    void startUpState();
    void windowFrame();
    void countEdit_data();
    void countEdit();
    void countEditDiscardsOtherCharacters();
    void tabStripSwitchesPages();
    void ctrlASelectsCurrentPageList();
    void f1ShowsAbout();
    void helpIconShowsHelpWindow();
    void helpLabelsOpenForumPages();
    void helpDescriptionParagraphs();
    void toolMenusHoldTheirItems();
    void guardShowsFailureAndLeavesWindowIdle();
    void abortButtonOnlySetsFlag();

private:
    ScriptedDesktop *desktop = nullptr;
    vx::Windows *windows = nullptr;
    vx::Form1View &v() { return windows->Form1.view(); }
    QWidget *child(const QString &name) { return windows->Form1.findChild<QWidget *>(name); }
};

void TestMainWindow::init()
{
    desktop = new ScriptedDesktop;
    windows = new vx::Windows(*desktop);
    windows->Form1.show();
}

void TestMainWindow::cleanup()
{
    delete windows;
    delete desktop;
}

void TestMainWindow::startUpState_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("enabled");
    const auto row = [](const char *name, const char *caption, bool hidden, bool enabled) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << hidden << enabled;
    };
    row("Button1", "Выбрать папку...", false, true);
    row("Button3", "Удалить выделенные", false, true);
    row("Button10", "Очистить всё", true, true);
    row("Button2", "Создать примеры", false, false);
    row("Button7", "Обновить", true, true);
    row("Button12", "Другие инструменты...", false, true);
    row("UploadButton1", "Загрузить на фотохостинг", true, true);
    row("Button4", "Выбрать папку...", false, true);
    row("Button5", "Удалить выделенные", false, true);
    row("Button9", "Очистить всё", true, true);
    row("Button6", "Создать примеры", false, false);
    row("Button8", "Обновить", true, true);
    row("Button11", "Другие инструменты...", false, true);
    row("UploadButton2", "Загрузить на фотохостинг", true, true);
    row("SpeedButton1", "Прервать", false, true);
}

void TestMainWindow::startUpState()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, hidden);
    QFETCH(bool, enabled);
    auto *button = qobject_cast<QPushButton *>(child(name));
    QVERIFY2(button, qPrintable(name));
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->isHidden(), hidden);
    QCOMPARE(button->isEnabled(), enabled);
}

void TestMainWindow::windowFrame()
{
    TForm1 &form = windows->Form1;
    QCOMPARE(form.size(), QSize(608, 471));
    QCOMPARE(form.minimumSize(), form.maximumSize()); // fixed border
    QCOMPARE(form.windowTitle(), QStringLiteral("Vorlinex by Kestrow for Setboard"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Vorlinex"));
    QCOMPARE(v().TabSet1->count(), 2);
    QCOMPARE(v().TabSet1->tabText(0), QStringLiteral("Фотосеты"));
    QCOMPARE(v().TabSet1->tabText(1), QStringLiteral("Фотосеты в архивах"));
    QCOMPARE(v().TabSet1->currentIndex(), 0);
    QCOMPARE(v().Notebook1->currentIndex(), 0);
    QCOMPARE(v().TabSet1->height(), 18);
    QVERIFY(v().Panel1->isHidden());
    QCOMPARE(v().Panel1->size(), QSize(241, 91));
    QCOMPARE(v().Panel1->pos(), QPoint(264, 128));
    QCOMPARE(v().Label1->text(), QStringLiteral("Работаем..."));
    QCOMPARE(v().lb1->width(), 440);
    QCOMPARE(v().lb1->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(v().lbzip->geometry(), v().lb1->geometry());
    QCOMPARE(v().Edit1->text(), QStringLiteral("50"));
    QCOMPARE(v().Edit2->maxLength(), 2);
    for (vx::RadioGroup *rg : {v().rg1, v().rg2}) {
        QCOMPARE(rg->title(), QStringLiteral("Ориентация"));
        QCOMPARE(rg->itemIndex(), 2);
        QCOMPARE(rg->item(0)->text(), QStringLiteral("Только портретная"));
        QCOMPARE(rg->item(1)->text(), QStringLiteral("Только альбомная"));
        QCOMPARE(rg->item(2)->text(), QStringLiteral("Обе"));
    }
    QCOMPARE(v().SpeedButton2->toolTip(), QStringLiteral("Создать другие примеры, удалив старые"));
    QVERIFY(v().SpeedButton2->isHidden());
    QVERIFY(v().SpeedButton3->isHidden());
    QVERIFY(v().infmemo->isReadOnly());
    QCOMPARE(v().StaticText1->text(), QStringLiteral("Нужное кол-во примеров:"));
    QVERIFY(v().CreatedExamples.empty());
    QCOMPARE(v().fd2.title, QStringLiteral("В какой папке создать примеры?"));
    QCOMPARE(v().fd3.title, QStringLiteral("Укажите папку"));
    // Image4 shows Image3's picture.
    QCOMPARE(v().Image4->pixmap().toImage(), v().Image3->pixmap().toImage());
}

void TestMainWindow::countEdit_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("createEnabled");
    QTest::newRow("7 then 5 becomes 50") << "75" << "50" << true;
    QTest::newRow("one digit") << "7" << "7" << true;
    QTest::newRow("zero") << "0" << "0" << false;
    QTest::newRow("leading zero") << "05" << "05" << true;
    QTest::newRow("fifty stays") << "50" << "50" << true;
    QTest::newRow("51 becomes 50") << "51" << "50" << true;
    QTest::newRow("letters discarded") << "a4b" << "4" << true;
    QTest::newRow("empty") << "" << "" << false;
}

void TestMainWindow::countEdit()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(bool, createEnabled);
    for (auto [edit, button] : {std::pair{v().Edit1, v().Button2}, std::pair{v().Edit2, v().Button6}}) {
        edit->clear();
        QVERIFY(!button->isEnabled());
        edit->setFocus();
        QTest::keyClicks(edit, keys);
        QCOMPARE(edit->text(), text);
        QCOMPARE(button->isEnabled(), createEnabled);
    }
}

void TestMainWindow::countEditDiscardsOtherCharacters()
{
    v().Edit1->clear();
    QTest::keyClicks(v().Edit1, QStringLiteral("4"));
    QTest::keyClick(v().Edit1, Qt::Key_Minus);
    QTest::keyClick(v().Edit1, Qt::Key_Space);
    QCOMPARE(v().Edit1->text(), QStringLiteral("4"));
    QTest::keyClick(v().Edit1, Qt::Key_Backspace);
    QCOMPARE(v().Edit1->text(), QString());
    QVERIFY(!v().Button2->isEnabled());
}

void TestMainWindow::tabStripSwitchesPages()
{
    v().TabSet1->setCurrentIndex(1);
    QCOMPARE(v().Notebook1->currentIndex(), 1);
    QVERIFY(v().lbzip->isVisible());
    v().TabSet1->setCurrentIndex(0);
    QCOMPARE(v().Notebook1->currentIndex(), 0);
}

void TestMainWindow::ctrlASelectsCurrentPageList()
{
    v().lb1->addItems({"a", "b", "c"});
    v().lbzip->addItems({"x.zip", "y.zip"});
    QVERIFY(QTest::qWaitForWindowActive(&windows->Form1) || true);
    windows->Form1.SelecTall1->trigger();
    QCOMPARE(v().lb1->selectedItems().size(), 3);
    QCOMPARE(v().lbzip->selectedItems().size(), 0);
    v().TabSet1->setCurrentIndex(1);
    windows->Form1.SelecTall1->trigger();
    QCOMPARE(v().lbzip->selectedItems().size(), 2);
    QCOMPARE(windows->Form1.SelecTall1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    QCOMPARE(windows->Form1.About1->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(windows->Form1.actions().contains(windows->Form1.SelecTall1)); // works without a visible menu
}

void TestMainWindow::f1ShowsAbout()
{
    windows->Form1.About1->trigger();
    QCOMPARE(desktop->shown.size(), 1);
    QCOMPARE(desktop->shown[0].kind, Shown::Information);
    QCOMPARE(desktop->shown[0].title, QStringLiteral("Информация"));
    QCOMPARE(desktop->shown[0].text, QStringLiteral("Vorlinex v0.1 by Kestrow для Setboard"));
}

void TestMainWindow::helpIconShowsHelpWindow()
{
    vx::Thelpform &help = windows->helpform;
    QVERIFY(help.isHidden());
    QTest::mouseClick(v().Image3, Qt::LeftButton); // on the hidden page: call the handler instead
    windows->Form1.Image3Click();
    QVERIFY(help.isVisible());
    QCOMPARE(help.windowTitle(), QStringLiteral("Инфа"));
    QVERIFY(help.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(help.tb1->currentIndex(), 1);
    QCOMPARE(help.tb1->tabText(0), QStringLiteral("Описание"));
    QCOMPARE(help.tb1->tabText(1), QStringLiteral("О программе"));
    help.hide();
    QTest::mouseClick(v().Image4, Qt::LeftButton);
    QVERIFY(help.isVisible());
}

void TestMainWindow::helpLabelsOpenForumPages()
{
    vx::Thelpform &help = windows->helpform;
    help.showCentred();
    QCOMPARE(help.Label4->text(), QStringLiteral("Kestrow"));
    QCOMPARE(help.Label5->text(), QStringLiteral("Setboard"));
    QCOMPARE(help.Label4->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(help.Label4, Qt::LeftButton);
    QTest::mouseClick(help.Label5, Qt::LeftButton);
    QCOMPARE(desktop->openedUrls, QStringList({"https://setboard.example/profile/kestrow", "https://setboard.example/"}));
}

void TestMainWindow::helpDescriptionParagraphs()
{
    const QString text = windows->helpform.memo1->toPlainText();
    const QStringList paragraphs = text.split(QStringLiteral("\n\n"));
    QCOMPARE(paragraphs.size(), 18);
    QCOMPARE(paragraphs.first(), QStringLiteral("Vorlinex by Kestrow for Setboard"));
    QVERIFY(paragraphs[12].startsWith(QStringLiteral("1. Выбрать папку с релизом.\n(Если ваша раздача в архивах")));
    QCOMPARE(paragraphs.last(), QStringLiteral("4. Если нужно - собрать тех. данные, нажав кнопку \"Обновить\"."));
    QVERIFY(windows->helpform.memo1->isReadOnly());
}

void TestMainWindow::toolMenusHoldTheirItems()
{
    QCOMPARE(v().PopupMenu1->actions().size(), 2);
    QCOMPARE(v().PopupMenu1->actions()[0]->text(), QStringLiteral("Создать список сетов"));
    QCOMPARE(v().PopupMenu1->actions()[1]->text(), QStringLiteral("Найти \"битые\" фото"));
    QCOMPARE(v().PopupMenuZIP->actions().size(), 1);
    QCOMPARE(v().PopupMenuZIP->actions()[0]->text(), QStringLiteral("Создать список сетов"));
    v().Button12->click();
    QVERIFY(v().PopupMenu1->isVisible());
    v().PopupMenu1->hide();
}

void TestMainWindow::guardShowsFailureAndLeavesWindowIdle()
{
    v().DisableControls();
    v().Panel1->show();
    v().guarded([] { throw vx::Error(QStringLiteral("JPEG error #42")); });
    QCOMPARE(desktop->messages(), QStringList({"JPEG error #42"}));
    QCOMPARE(desktop->shown[0].kind, Shown::Error);
    QVERIFY(v().Panel1->isHidden());
    QVERIFY(v().Button1->isEnabled());
    QVERIFY(v().TabSet1->isEnabled());
    v().guarded([] { throw std::runtime_error("disk full"); });
    QCOMPARE(desktop->messages().last(), QStringLiteral("disk full"));
}

void TestMainWindow::abortButtonOnlySetsFlag()
{
    QVERIFY(!v().AbortRequested);
    v().SpeedButton1->click();
    QVERIFY(v().AbortRequested);
    QVERIFY(desktop->shown.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
