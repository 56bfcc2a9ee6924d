#include "platform/QtDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>

namespace vx::dialogs {
namespace {

// The dialog's file model fills and sorts the folder's rows in the background, after the dialog has
// opened; each time it does, the views are brought back to the selected folder. The first time the
// folder that holds it is loaded, the held folder becomes the selection.
void keepSelectionInView(QFileDialog &dialog, const QString &held, const QString &parent)
{
    auto *model = dialog.findChild<QFileSystemModel *>();
    if (!model)
        return;
    auto selectedOnce = std::make_shared<bool>(false);
    const auto bringIntoView = [&dialog, model, held, parent, selectedOnce] {
        const QModelIndex heldIndex = model->index(held);
        for (QAbstractItemView *view : dialog.findChildren<QAbstractItemView *>()) {
            if (view->model() != model || view->rootIndex() != model->index(parent))
                continue;
            if (!*selectedOnce && heldIndex.isValid())
                view->selectionModel()->setCurrentIndex(
                    heldIndex, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            const QModelIndex current = view->currentIndex();
            if (current.isValid())
                view->scrollTo(current, QAbstractItemView::PositionAtCenter);
        }
        if (heldIndex.isValid() && model->rowCount(model->index(parent)) > 0)
            *selectedOnce = true;
    };
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog, [bringIntoView, parent](const QString &path) {
        if (QDir(path) == QDir(parent))
            bringIntoView();
    });
    QObject::connect(model, &QAbstractItemModel::layoutChanged, &dialog, bringIntoView);
}

template <class Box>
std::unique_ptr<Box> aboveOtherWindows(std::unique_ptr<Box> box)
{
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    return box;
}

// Room the title bar takes besides the title: the window's icon, its buttons and margins.
constexpr int kTitleBarExtras = 140;

} // namespace

std::unique_ptr<QFileDialog> folderPicker(const FolderDialogRequest &request, QWidget *owner)
{
    QString held = QDir::fromNativeSeparators(request.heldPath);
    if (held.isEmpty() || !QFileInfo(held).isDir())
        held = QDir::currentPath();
    held = QDir::cleanPath(QDir(held).absolutePath());
    QDir parentDir(held);
    const bool hasParent = parentDir.cdUp();
    const QString parent = hasParent ? parentDir.absolutePath() : held;

    auto dialog = std::make_unique<QFileDialog>(owner, request.title, parent);
    dialog->setObjectName(QStringLiteral("folderPicker"));
    dialog->setWindowTitle(request.title);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::ReadOnly, !request.newFolderButton);
    dialog->move(request.topLeft);
    // Only folders are listed: their size column is empty and their type column says "folder" on every
    // row, so both go, and the names and the side bar's places get the room.
    if (auto *details = dialog->findChild<QTreeView *>(QStringLiteral("treeView"))) {
        details->setColumnHidden(1, true);
        details->setColumnHidden(2, true);
        details->setColumnWidth(0, 300);
        details->header()->setStretchLastSection(true);
    }
    if (auto *splitter = dialog->findChild<QSplitter *>(QStringLiteral("splitter")))
        splitter->setSizes({150, 550});
    dialog->resize(700, 440);
    if (hasParent) {
        dialog->selectFile(held);
        keepSelectionInView(*dialog, held, parent);
    }
    return aboveOtherWindows(std::move(dialog));
}

std::unique_ptr<QMessageBox> message(int icon, const QString &title, const QString &text, QWidget *owner)
{
    return aboveOtherWindows(std::make_unique<QMessageBox>(
        QMessageBox::Icon(icon), title.isEmpty() ? QApplication::applicationDisplayName() : title, text,
        QMessageBox::Ok, owner));
}

std::unique_ptr<QMessageBox> question(const QString &title, const QString &text, QWidget *owner)
{
    return aboveOtherWindows(std::make_unique<QMessageBox>(QMessageBox::Question, title, text,
                                                           QMessageBox::Yes | QMessageBox::No, owner));
}

std::unique_ptr<QInputDialog> readerPassword(const QString &caption, const QString &prompt, int maxLength,
                                             QWidget *owner)
{
    auto dialog = std::make_unique<QInputDialog>(owner);
    dialog->setWindowTitle(caption);
    dialog->setLabelText(prompt);
    dialog->setTextEchoMode(QLineEdit::Password);
    dialog->setOkButtonText(QStringLiteral("OK"));
    dialog->setCancelButtonText(QStringLiteral("Cancel"));
    // The title names the entry. Title bars draw it in a bold face of about the window's font size; the
    // dialog's layout sizes the window from its children, so the edit is what is made wide.
    QFont titleFont = dialog->font();
    titleFont.setBold(true);
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const int halfScreen = screen ? screen->availableGeometry().width() / 2 : 640;
    const int width = std::min(QFontMetrics(titleFont).horizontalAdvance(caption) + kTitleBarExtras, halfScreen);
    if (auto *edit = dialog->findChild<QLineEdit *>()) {
        edit->setMaxLength(maxLength);
        const QMargins margins = dialog->layout() ? dialog->layout()->contentsMargins() : QMargins();
        edit->setMinimumWidth(width - margins.left() - margins.right());
    }
    return aboveOtherWindows(std::move(dialog));
}

std::unique_ptr<QMessageBox> readerFailure(const QString &caption, const QString &text, QWidget *owner)
{
    auto box = aboveOtherWindows(
        std::make_unique<QMessageBox>(QMessageBox::Warning, caption, text, QMessageBox::NoButton, owner));
    box->addButton(QStringLiteral("&Abort"), QMessageBox::RejectRole)->setObjectName(QStringLiteral("abort"));
    box->addButton(QStringLiteral("&Retry"), QMessageBox::AcceptRole)->setObjectName(QStringLiteral("retry"));
    box->addButton(QStringLiteral("&Ignore"), QMessageBox::DestructiveRole)->setObjectName(QStringLiteral("ignore"));
    return box;
}

} // namespace vx::dialogs
