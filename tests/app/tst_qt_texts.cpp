// Qt's own texts in Russian, the archive reader's dialogs in their English, and the folder picker's
// opening state. Dialogs are built and shown without their modal loop. Also the real desktop's event pump
// keeping the answer its pumpDue gave.
#include "app/QtTranslation.h"
#include "platform/QtDesktop.h"
#include "platform/QtDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The view of the picker that is on screen, and the name of its current row.
QAbstractItemView *visibleView(QFileDialog &dialog)
{
    for (QAbstractItemView *view : dialog.findChildren<QAbstractItemView *>())
        if (view->isVisible() && qobject_cast<QFileSystemModel *>(view->model()))
            return view;
    return nullptr;
}

QString currentName(QFileDialog &dialog)
{
    QAbstractItemView *view = visibleView(dialog);
    return view ? view->currentIndex().data().toString() : QString();
}

bool currentRowInView(QFileDialog &dialog)
{
    QAbstractItemView *view = visibleView(dialog);
    if (!view || !view->currentIndex().isValid())
        return false;
    return view->viewport()->rect().contains(view->visualRect(view->currentIndex()));
}

} // namespace

class TestQtTexts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void standardButtonsReadRussian();
    void readerDialogsKeepTheirTexts();
    void passwordDialogShowsItsWholeTitle_data();
    void passwordDialogShowsItsWholeTitle();
    void folderThatCannotBeOpenedIsReported_data();
    void folderThatCannotBeOpenedIsReported();
    void folderPickerOpensOnHeldFolder_data();
    void folderPickerOpensOnHeldFolder();
    void pumpDoesWhatItTold_data();
    void pumpDoesWhatItTold();

private:
    QTemporaryDir tree;
};

void TestQtTexts::initTestCase()
{
    QVERIFY(vx::installQtRussianTexts());
    // Enough folders that the held one lies far below the first screenful.
    for (int i = 0; i < 300; ++i)
        QVERIFY(QDir(tree.path()).mkpath(QStringLiteral("release/set%1").arg(i, 3, 10, QLatin1Char('0'))));
}

void TestQtTexts::standardButtonsReadRussian()
{
    const auto box = vx::dialogs::question(QStringLiteral("Обработка завершена"), QStringLiteral("?"), nullptr);
    QCOMPARE(box->button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
    QCOMPARE(box->button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));
    QCOMPARE(box->icon(), QMessageBox::Question);
    QCOMPARE(box->windowTitle(), QStringLiteral("Обработка завершена"));
    // The help window stays on top of the others; no box may open behind it.
    QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(vx::dialogs::message(QMessageBox::Information, "t", "x", nullptr)->windowFlags() & Qt::WindowStaysOnTopHint);

    const auto picker = vx::dialogs::folderPicker({QStringLiteral("Укажите папку"), tree.path(), {}, true}, nullptr);
    auto *buttons = picker->findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Отмена"));
}

void TestQtTexts::readerDialogsKeepTheirTexts()
{
    const auto password = vx::dialogs::readerPassword(QStringLiteral("Password for \"a.jpg\""),
                                                      QStringLiteral("Enter password: "), 255, nullptr);
    password->show();
    auto *buttons = password->findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QStringList texts;
    for (QAbstractButton *b : buttons->buttons())
        texts << b->text();
    texts.sort();
    QCOMPARE(texts, QStringList({"Cancel", "OK"}));
    QCOMPARE(password->windowTitle(), QStringLiteral("Password for \"a.jpg\""));
    QCOMPARE(password->labelText(), QStringLiteral("Enter password: "));
    QVERIFY(password->windowFlags() & Qt::WindowStaysOnTopHint);
    password->hide();

    const auto failure = vx::dialogs::readerFailure(QStringLiteral("Confirm"), QStringLiteral("x"), nullptr);
    texts.clear();
    for (QAbstractButton *b : failure->buttons())
        texts << b->text();
    texts.sort();
    QCOMPARE(texts, QStringList({"&Abort", "&Ignore", "&Retry"}));
    QVERIFY(failure->windowFlags() & Qt::WindowStaysOnTopHint);
}

void TestQtTexts::passwordDialogShowsItsWholeTitle_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("short name") << "a.jpg";
    QTest::newRow("deep entry") << "Sets/2024/Очень длинное название фотосета, часть вторая/IMG_0006.jpg";
    QTest::newRow("wider than half the screen") << QString("x/").repeated(400) + "6.jpg";
}

void TestQtTexts::passwordDialogShowsItsWholeTitle()
{
    QFETCH(QString, entry);
    const QString caption = "Password for \"" + entry + "\"";
    const auto password = vx::dialogs::readerPassword(caption, QStringLiteral("Enter password: "), 255, nullptr);
    password->show();
    QFont bold = password->font();
    bold.setBold(true);
    const int halfScreen = QGuiApplication::primaryScreen()->availableGeometry().width() / 2;
    QVERIFY(password->width() >= std::min(QFontMetrics(bold).horizontalAdvance(caption), halfScreen));
    QVERIFY(password->width() <= std::max(halfScreen, password->sizeHint().width()));
    password->hide();
}

void TestQtTexts::folderThatCannotBeOpenedIsReported_data()
{
    QTest::addColumn<QString>("opener"); // the script that stands in for xdg-open; empty: none installed
    QTest::addColumn<QString>("message");
    QTest::newRow("no opener") << "" << "Не удалось открыть папку\r\n%1\r\nНе найдена программа xdg-open (пакет xdg-utils), которая открывает папки.";
    QTest::newRow("opener fails") << "exit 3" << "Не удалось открыть папку\r\n%1";
    QTest::newRow("opener opens it") << "exit 0" << "";
}

void TestQtTexts::folderThatCannotBeOpenedIsReported()
{
    QFETCH(QString, opener);
    QFETCH(QString, message);
    QTemporaryDir bin;
    if (!opener.isEmpty()) {
        QFile script(bin.filePath("xdg-open"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\n" + opener + "\n").toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    QStringList seen;
    QTimer answerer; // answers the box as a user would, from inside its modal loop
    connect(&answerer, &QTimer::timeout, this, [&seen] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seen << box->text();
            box->accept();
        }
    });
    answerer.start(10);
    vx::QtDesktop desktop;
    desktop.openFolder(tree.path());
    qputenv("PATH", path);
    QTRY_VERIFY(QCoreApplication::instance()->findChildren<QProcess *>().isEmpty());
    QCOMPARE(seen, message.isEmpty() ? QStringList() : QStringList{message.arg(tree.path())});
}

void TestQtTexts::folderPickerOpensOnHeldFolder_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("selected");
    const QString release = tree.path() + QStringLiteral("/release");
    QTest::newRow("held folder far down the list") << release + "/set250" << release << "set250";
    QTest::newRow("held folder with a final separator") << release + "/set120/" << release << "set120";
    QTest::newRow("first folder") << release + "/set000" << release << "set000";
    const QDir current = QDir::current();
    QDir currentParent = current;
    currentParent.cdUp();
    QTest::newRow("missing folder: the current folder instead")
        << release + "/gone" << currentParent.absolutePath() << current.dirName();
}

void TestQtTexts::folderPickerOpensOnHeldFolder()
{
    QFETCH(QString, held);
    QFETCH(QString, parent);
    QFETCH(QString, selected);
    const auto picker = vx::dialogs::folderPicker(
        {QStringLiteral("В какой папке создать примеры?"), QDir::toNativeSeparators(held), {}, true}, nullptr);
    QCOMPARE(picker->windowTitle(), QStringLiteral("В какой папке создать примеры?"));
    QCOMPARE(QDir(picker->directory()).absolutePath(), parent);
    picker->resize(500, 300);
    picker->show();
    QTRY_COMPARE(currentName(*picker), selected);
    QTRY_VERIFY(currentRowInView(*picker));
    // OK at once chooses the held folder.
    QCOMPARE(QDir::cleanPath(picker->selectedFiles().value(0)), QDir::cleanPath(parent + "/" + selected));
    picker->hide();
}

void TestQtTexts::pumpDoesWhatItTold_data()
{
    QTest::addColumn<bool>("askAfterPump"); // asked straight after a pump (no), or once the spell is over (yes)
    QTest::newRow("told no, due by the clock at the call") << true;
    QTest::newRow("told yes") << false;
}

// A loop asks pumpDue, updates its bar only on a yes, then works on an entry for a while. The pump that
// follows must do as told: pumping after a no would draw a bar that was never moved.
void TestQtTexts::pumpDoesWhatItTold()
{
    QFETCH(bool, askAfterPump);
    vx::QtDesktop desktop;
    bool told = false;
    int attempts = 0;
    do { // a stalled machine may let the spell pass between the two calls: then try again
        QTest::qSleep(10); // the spell is over: the next call pumps
        desktop.processEvents();
        if (!askAfterPump)
            QTest::qSleep(10);
        told = desktop.pumpDue();
    } while (told == askAfterPump && ++attempts < 20);
    QCOMPARE(told, !askAfterPump);
    bool pumped = false;
    QMetaObject::invokeMethod(this, [&pumped] { pumped = true; }, Qt::QueuedConnection);
    QTest::qSleep(10); // the entry's work outlasts the spell
    desktop.processEvents();
    QCOMPARE(pumped, told);
    QCoreApplication::processEvents(); // nothing queued outlives the row
}

QTEST_MAIN(TestQtTexts)
#include "tst_qt_texts.moc"
