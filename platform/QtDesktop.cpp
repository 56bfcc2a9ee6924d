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
#include <QPointer>
#include <QProcess>
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

void QtDesktop::showMessage(const QString &text) { dialogs::message(QMessageBox::NoIcon, {}, text, owner_)->exec(); }

void QtDesktop::showInformation(const QString &title, const QString &text)
{
    dialogs::message(QMessageBox::Information, title, text, owner_)->exec();
}

void QtDesktop::showError(const QString &text) { dialogs::message(QMessageBox::Critical, {}, text, owner_)->exec(); }

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
    const QString notOpened = QStringLiteral("Не удалось открыть папку\r\n") + path;
#ifdef Q_OS_WIN
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(path))))
        showMessage(notOpened);
#else
    // The desktop's opener runs apart from the program, and only its exit tells whether it found a
    // program for folders; the box comes when it has given up. Its owner may be gone by then.
    auto *opener = new QProcess(QCoreApplication::instance());
    const QPointer<QWidget> owner = owner_;
    const bool hadOwner = owner_ != nullptr;
    const auto tell = [opener, owner, hadOwner](const QString &text) {
        opener->deleteLater();
        if (!hadOwner || owner)
            dialogs::message(QMessageBox::Warning, {}, text, owner)->exec();
    };
    QObject::connect(opener, &QProcess::errorOccurred, opener, [tell, notOpened](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            tell(notOpened + QStringLiteral("\r\nНе найдена программа xdg-open (пакет xdg-utils), которая открывает папки."));
    });
    QObject::connect(opener, &QProcess::finished, opener, [opener, tell, notOpened](int code, QProcess::ExitStatus status) {
        if (code != 0 || status != QProcess::NormalExit)
            tell(notOpened);
        else
            opener->deleteLater();
    });
    // An opener still running when the program ends (some run the file manager until it closes) is let
    // go: destroying its QProcess would kill the window the user asked for.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, opener,
                     [opener] { opener->setParent(nullptr); });
    opener->start(QStringLiteral("xdg-open"), {QDir::fromNativeSeparators(path)});
#endif
}

void QtDesktop::openUrl(const QString &url) { QDesktopServices::openUrl(QUrl(url)); }

void QtDesktop::setClipboardText(const QString &text) { QApplication::clipboard()->setText(text); }

bool QtDesktop::pumpDue() const
{
    promised_ = sincePump_.nsecsElapsed() >= pumpIntervalNs;
    return *promised_;
}

void QtDesktop::processEvents()
{
    const bool due = promised_ ? *promised_ : sincePump_.nsecsElapsed() >= pumpIntervalNs;
    promised_.reset();
    if (!due)
        return;
    QCoreApplication::processEvents();
    sincePump_.restart();
}

} // namespace vx
