#include "platform/QtDialogs.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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
    return dialog;
}

std::unique_ptr<QMessageBox> question(const QString &title, const QString &text, QWidget *owner)
{
    return std::make_unique<QMessageBox>(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                                         owner);
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
    if (auto *edit = dialog->findChild<QLineEdit *>())
        edit->setMaxLength(maxLength);
    return dialog;
}

std::unique_ptr<QMessageBox> readerFailure(const QString &caption, const QString &text, QWidget *owner)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, caption, text, QMessageBox::NoButton, owner);
    box->addButton(QStringLiteral("&Abort"), QMessageBox::RejectRole)->setObjectName(QStringLiteral("abort"));
    box->addButton(QStringLiteral("&Retry"), QMessageBox::AcceptRole)->setObjectName(QStringLiteral("retry"));
    box->addButton(QStringLiteral("&Ignore"), QMessageBox::DestructiveRole)->setObjectName(QStringLiteral("ignore"));
    return box;
}

} // namespace vx::dialogs
