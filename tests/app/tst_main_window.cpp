// The main window's frame: start-up state, the count edits, shortcuts, help and the failure guard.
#include "app/Windows.h"
#include "platform/Error.h"
#include "tests/support/EntryTexts.h"
#include "tests/support/FileTree.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/ScriptedDesktop.h"

#include <QAction>
#include <QApplication>
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
    void countEditKeys_data();
    void countEditKeys();
    void tabOrderFollowsEachPage_data();
    void tabOrderFollowsEachPage();
    void focusReturnsToTheControlThatStartedIt_data();
    void focusReturnsToTheControlThatStartedIt();
    void longPathsShowTheirFileName();
    void picturesHaveAccessibleNames();
    void tabStripSwitchesPages();
    void ctrlASelectsCurrentPageList_data();
    void ctrlASelectsCurrentPageList();
    void f1ShowsAbout();
    void helpIconShowsHelpWindow();
    void helpLabelsOpenForumPages();
    void helpDescriptionParagraphs();
    void toolMenusHoldTheirItems();
    void guardShowsFailureAndLeavesWindowIdle();
    void abortButtonOnlySetsFlag();

private:
    // Shortcuts go to the active window only; the offscreen platform activates on request.
    void activate()
    {
        QApplication::setActiveWindow(&windows->Form1);
        QVERIFY(QTest::qWaitForWindowActive(&windows->Form1));
    }
    // Presses a key where the focus is, as the keyboard would.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }
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

void TestMainWindow::ctrlASelectsCurrentPageList_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus");
    QTest::newRow("photos, focus in the list") << 0 << "lb1";
    QTest::newRow("photos, focus in the count edit") << 0 << "Edit1";
    QTest::newRow("photos, focus on a button") << 0 << "Button1";
    QTest::newRow("photos, focus in the technical data") << 0 << "infmemo";
    QTest::newRow("archives, focus in the list") << 1 << "lbzip";
    QTest::newRow("archives, focus in the count edit") << 1 << "Edit2";
    QTest::newRow("archives, focus on the orientation") << 1 << "rg2";
    QTest::newRow("archives, focus in the technical data") << 1 << "zipinfmemo";
}

void TestMainWindow::ctrlASelectsCurrentPageList()
{
    QFETCH(int, page);
    QFETCH(QString, focus);
    v().lb1->addItems({"a", "b", "c"});
    v().lbzip->addItems({"x.zip", "y.zip"});
    v().TabSet1->setCurrentIndex(page);
    activate();
    QWidget *target = child(focus);
    QVERIFY(target);
    target->setFocus();
    QTRY_VERIFY(target->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == target);
    press(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(v().lb1->selectedItems().size(), page == 0 ? 3 : 0);
    QCOMPARE(v().lbzip->selectedItems().size(), page == 1 ? 2 : 0);
    // The count edits keep their text, and their own text is not selected instead.
    for (QLineEdit *edit : {v().Edit1, v().Edit2}) {
        QCOMPARE(edit->text(), QStringLiteral("50"));
        QVERIFY(!edit->hasSelectedText());
    }
}

void TestMainWindow::countEditKeys_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("Edit1") << 0;
    QTest::newRow("Edit2") << 1;
}

void TestMainWindow::countEditKeys()
{
    // Keys that move the focus or edit reach the count edit; only typed characters are filtered.
    QFETCH(int, page);
    v().TabSet1->setCurrentIndex(page);
    QLineEdit *edit = page == 0 ? v().Edit1 : v().Edit2;
    QPushButton *before = page == 0 ? v().Button3 : v().Button5;
    QPushButton *after = page == 0 ? v().Button2 : v().Button6;
    after->setEnabled(true);
    activate();
    edit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), edit);

    edit->setText(QStringLiteral("45"));
    press(Qt::Key_Home);
    // X11 hands Delete over with the DEL character as its text.
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(QChar(0x7f)), Qt::NoModifier);
    QCOMPARE(edit->text(), QStringLiteral("5"));
    press(Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral("1"));
    QCOMPARE(edit->text(), QStringLiteral("50")); // "51" is capped
    press(Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("0"));
    press(Qt::Key_Right);
    QTest::keyClicks(edit, QStringLiteral("7"));
    QCOMPARE(edit->text(), QStringLiteral("07"));

    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Tab, QStringLiteral("\t"), Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), after);
    QCOMPARE(edit->text(), QStringLiteral("07"));
    edit->setFocus();
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Backtab, QStringLiteral("\t"), Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), before);
}

void TestMainWindow::tabOrderFollowsEachPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    // From the top of the left column down, then the list; then the tab strip, and round again.
    // The radio group takes the focus on its checked item.
    QTest::newRow("photos") << 0
                            << QStringList{"Button1", "Button3", "Edit1", "Button2", "rg1", "infmemo", "Button12",
                                           "Image4", "lb1", "TabSet1", "Button1"};
    QTest::newRow("archives") << 1
                              << QStringList{"Button4", "Button5", "Edit2", "Button6", "rg2", "zipinfmemo",
                                             "Button11", "Image3", "lbzip", "TabSet1", "Button4"};
}

void TestMainWindow::tabOrderFollowsEachPage()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    v().TabSet1->setCurrentIndex(page);
    (page == 0 ? v().Button2 : v().Button6)->setEnabled(true);
    activate();
    vx::RadioGroup *orientation = page == 0 ? v().rg1 : v().rg2;
    child(order.first())->setFocus();
    QStringList walked;
    for (qsizetype i = 0; i < order.size(); ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        // Reached by the keyboard, every stop shows a mark that it has the focus, gone once it left.
        const QImage marked = focus->grab().toImage();
        if (auto *item = qobject_cast<QRadioButton *>(focus))
            QVERIFY2(item->isChecked(), qPrintable(item->text()));
        // The radio group's items are its children; the group is what the order names.
        QWidget *named = focus;
        while (named->parentWidget() && named->objectName().isEmpty())
            named = named->parentWidget();
        if (qobject_cast<vx::RadioGroup *>(named->parentWidget()))
            named = named->parentWidget();
        walked << named->objectName();
        press(Qt::Key_Tab);
        if (i > 0)
            QVERIFY2(focus->grab().toImage() != marked, qPrintable("no focus mark on " + named->objectName()));
    }
    QCOMPARE(walked, order);
    // In the group the arrow keys move the check with the focus.
    orientation->item(2)->setFocus();
    press(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), orientation->item(1));
    QCOMPARE(orientation->itemIndex(), 1);
    // Shift+Tab walks the same way back.
    child(order.first())->setFocus();
    press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("TabSet1"));
}

void TestMainWindow::focusReturnsToTheControlThatStartedIt_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::newRow("photo scan") << 0 << "Button1";
    QTest::newRow("examples run") << 0 << "Button2";
    QTest::newRow("archive scan") << 1 << "Button4";
}

void TestMainWindow::focusReturnsToTheControlThatStartedIt()
{
    QFETCH(int, page);
    QFETCH(QString, control);
    vx::test::FileTree tree;
    tree.folder("release");
    QVERIFY(vx::test::writeJpeg(tree.path("release/a.jpg"), 40, 30));
    QVERIFY(vx::test::writeJpeg(tree.path("release/b.jpg"), 30, 40));
    desktop->folderAnswers = {tree.path("release")};
    if (control == QLatin1String("Button2"))
        desktop->folderAnswers.push_back(tree.folder("out"));
    if (control == QLatin1String("Button2")) {
        v().Button1->click();
        QCOMPARE(v().lb1->count(), 2);
    }
    v().Edit1->setText(QStringLiteral("2"));
    v().TabSet1->setCurrentIndex(page);
    activate();
    QWidget *started = child(control);
    QTest::mouseClick(started, Qt::LeftButton);
    QVERIFY(desktop->folderAnswers.empty());
    QCOMPARE(QApplication::focusWidget(), started);
}

void TestMainWindow::longPathsShowTheirFileName()
{
    // Two deep paths that differ in their file name only must not look the same in the list.
    const QString deep = QStringLiteral("/photos/") + QStringLiteral("очень длинная папка релиза/").repeated(6);
    QImage looks[2];
    for (int i = 0; i < 2; ++i) {
        v().lb1->clear();
        v().lb1->addItems({deep + QStringLiteral("photo_%1.jpg").arg(i), QStringLiteral("/photos/a.jpg")});
        QCoreApplication::processEvents(); // the list lays its rows out later
        looks[i] = v().lb1->viewport()->grab().toImage();
    }
    QVERIFY(looks[0] != looks[1]);
}

void TestMainWindow::picturesHaveAccessibleNames()
{
    for (QWidget *picture : {static_cast<QWidget *>(v().Image1), static_cast<QWidget *>(v().Image2),
                             static_cast<QWidget *>(v().Image3), static_cast<QWidget *>(v().Image4)})
        QVERIFY2(!picture->accessibleName().isEmpty(), qPrintable(picture->objectName()));
    QCOMPARE(v().Image3->accessibleName(), QStringLiteral("Справка"));
    QCOMPARE(v().Image4->accessibleName(), QStringLiteral("Справка"));
    QVERIFY(v().Image1->accessibleName() != v().Image2->accessibleName());
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
    QTest::mouseClick(v().Image4, Qt::LeftButton);
    QVERIFY(help.isVisible());
    QCOMPARE(help.windowTitle(), QStringLiteral("Инфа"));
    QVERIFY(help.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(help.tb1->currentIndex(), 1);
    QCOMPARE(help.tb1->tabText(0), QStringLiteral("Описание"));
    QCOMPARE(help.tb1->tabText(1), QStringLiteral("О программе"));
    help.hide();
    // The archive page's icon, clicked on its own page.
    v().TabSet1->setCurrentIndex(1);
    QVERIFY(v().Image3->isVisible());
    QTest::mouseClick(v().Image3, Qt::LeftButton);
    QVERIFY(help.isVisible());
    help.hide();
    // A right click is no click on the icon.
    QTest::mouseClick(v().Image3, Qt::RightButton);
    QVERIFY(help.isHidden());
    // From the keyboard: Space on the focused icon.
    activate();
    v().Image3->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), v().Image3);
    press(Qt::Key_Space);
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
    const QStringList expected{
        "Vorlinex by Kestrow for Setboard",
        "Данная утилита предназначена для создания примеров к раздачам с фотосетами.",
        "Умеет:",
        "- Создавать нужное количество примеров из фотографий релиза (учитываются как каталоги, так и подкаталоги).",
        "- Работать с zip-архивами, вытаскивать примеры (в данной версии - по одному на архив) без распаковки самих архивов.",
        "- Фильтровать примеры по соотношению сторон (можно отобрать только фото с портретной или альбомной ориентацией, или обойтись без фильтра).",
        "- Собирать тех. данные: количество фото, сетов (в том числе в архивах - без их распаковки), максимальное/минимальное разрешение фото",
        "Дополнительных компонентов (JAVA, .NET, библиотеки архиваторов и т.п.) не требуется.",
        "Что хотелось бы сделать:",
        "- Загрузку файлов на FastPic (на данный момент их API, точнее инфа по нему, очень скудна, но API тем не менее у них есть, поэтому можно попытаться реализовать).",
        "- Другие предложения, которые, возможно, появятся (для связи можно использовать форму личных сообщений трекера)",
        "Порядок работы:",
        "1. Выбрать папку с релизом.\n(Если ваша раздача в архивах - перейти на вкладку \"Фотосеты в архивах\" и выбрать папку с архивами).",
        "Дождаться пока закончится сканирование каталогов или прервать сканирование - тогда примеры будут созданы из того, что программа успела найти.",
        "2. Указать желаемое количество примеров (в данной версии ограничено до 50) и ориентацию (портретную/альбомную или обе).",
        "3. Нажать кнопку \"Создать примеры\". Дождаться завершения обработки. По желанию откроется папка с получившимися примерами.",
        "Иногда примеров может получиться немного меньше, чем требуется (например 48 вместо 50).\nВ этом случае можно просто указать недостающее количество и ещё раз нажать кнопку \"Создать примеры\" - это позволит добавить их до нужного числа, а уже существующие картинки не будут затронуты.",
        "4. Если нужно - собрать тех. данные, нажав кнопку \"Обновить\".",
    };
    // The line breaks inside a paragraph are layout only; an empty line stands between paragraphs.
    const QStringList paragraphs = windows->helpform.memo1->toPlainText().split(QStringLiteral("\n\n"));
    QCOMPARE(paragraphs.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(paragraphs[i], expected[i]);
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
