#include "platform/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace vx {

QtDesktop::QtDesktop(QWidget *owner) : owner_(owner) { sincePump_.start(); }

bool QtDesktop::chooseFolder(const FolderDialogRequest &request, QString &chosen)
{
    QString start = request.heldPath;
    if (!QFileInfo(start).isDir())
        start = QDir::currentPath();
    QFileDialog dialog(owner_, request.title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, !request.newFolderButton);
    dialog.move(request.topLeft);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    chosen = QDir::toNativeSeparators(QDir::cleanPath(dialog.selectedFiles().first()));
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
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

bool QtDesktop::askPassword(const QString &caption, const QString &prompt, int maxLength, QString &password)
{
    QInputDialog dialog(owner_);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextEchoMode(QLineEdit::Password);
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    password = dialog.textValue().left(maxLength);
    return true;
}

FailureAnswer QtDesktop::askFailure(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, owner_);
    QPushButton *abort = box.addButton(QStringLiteral("&Abort"), QMessageBox::RejectRole);
    QPushButton *retry = box.addButton(QStringLiteral("&Retry"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("&Ignore"), QMessageBox::DestructiveRole);
    box.exec();
    if (box.clickedButton() == abort)
        return FailureAnswer::Abort;
    if (box.clickedButton() == retry)
        return FailureAnswer::Retry;
    return FailureAnswer::Ignore;
}

void QtDesktop::openFolder(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path)));
}

void QtDesktop::openUrl(const QString &url) { QDesktopServices::openUrl(QUrl(url)); }

void QtDesktop::setClipboardText(const QString &text) { QApplication::clipboard()->setText(text); }

void QtDesktop::processEvents()
{
    if (sincePump_.nsecsElapsed() < pumpIntervalNs)
        return;
    QCoreApplication::processEvents();
    sincePump_.restart();
}

} // namespace vx
