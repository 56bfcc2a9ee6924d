#include "platform/QtDesktop.h"

#include "platform/QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace vx {

QtDesktop::QtDesktop(QWidget *owner) : owner_(owner) { sincePump_.start(); }

bool QtDesktop::chooseFolder(const FolderDialogRequest &request, QString &chosen)
{
    const std::unique_ptr<QFileDialog> dialog = dialogs::folderPicker(request, owner_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return false;
    chosen = QDir::toNativeSeparators(QDir::cleanPath(dialog->selectedFiles().first()));
    return true;
}

void QtDesktop::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner_);
    box.exec();
}

void QtDesktop::showInformation(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, owner_);
    box.exec();
}

void QtDesktop::showError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDesktop::askYesNo(const QString &title, const QString &text)
{
    return dialogs::question(title, text, owner_)->exec() == QMessageBox::Yes;
}

bool QtDesktop::askPassword(const QString &caption, const QString &prompt, int maxLength, QString &password)
{
    const std::unique_ptr<QInputDialog> dialog = dialogs::readerPassword(caption, prompt, maxLength, owner_);
    if (dialog->exec() != QDialog::Accepted)
        return false;
    password = dialog->textValue().left(maxLength);
    return true;
}

FailureAnswer QtDesktop::askFailure(const QString &caption, const QString &text)
{
    const std::unique_ptr<QMessageBox> box = dialogs::readerFailure(caption, text, owner_);
    box->exec();
    const QString clicked = box->clickedButton() ? box->clickedButton()->objectName() : QString();
    if (clicked == QLatin1String("abort"))
        return FailureAnswer::Abort;
    if (clicked == QLatin1String("retry"))
        return FailureAnswer::Retry;
    return FailureAnswer::Ignore;
}

void QtDesktop::openFolder(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path)));
}

void QtDesktop::openUrl(const QString &url) { QDesktopServices::openUrl(QUrl(url)); }

void QtDesktop::setClipboardText(const QString &text) { QApplication::clipboard()->setText(text); }

bool QtDesktop::pumpDue() const { return sincePump_.nsecsElapsed() >= pumpIntervalNs; }

void QtDesktop::processEvents()
{
    if (!pumpDue())
        return;
    QCoreApplication::processEvents();
    sincePump_.restart();
}

} // namespace vx
