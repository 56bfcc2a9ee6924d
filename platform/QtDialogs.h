#pragma once
// The Qt dialogs behind QtDesktop, built apart from running them, so that the screenshot tool can
// render them and tests can look at them without ever entering a modal loop.

#include "platform/Desktop.h"

#include <memory>

class QFileDialog;
class QInputDialog;
class QMessageBox;
class QWidget;

namespace vx::dialogs {

// Every dialog here is kept above the program's other windows, the always-on-top help window included:
// a run's question or message must never open hidden behind it.

// The folder picker: opens on the parent of the held folder with the held folder selected and kept in
// view, as the Windows folder browser does; the program's current folder stands in for a held path that
// is not an existing folder. OK with nothing else touched chooses the held folder itself.
std::unique_ptr<QFileDialog> folderPicker(const FolderDialogRequest &request, QWidget *owner);

// A message box with an OK button (the application's name as its title when title is empty).
std::unique_ptr<QMessageBox> message(int icon, const QString &title, const QString &text, QWidget *owner);

// A Yes/No question with the question icon. Its buttons read in the language of Qt's loaded translation.
std::unique_ptr<QMessageBox> question(const QString &title, const QString &text, QWidget *owner);

// The archive reader's own dialogs. They keep the reader's English button texts ("OK", "Cancel";
// "&Abort", "&Retry", "&Ignore") whatever translation Qt has loaded. The password dialog is wide enough
// for its whole title, which names the entry, up to half the screen.
std::unique_ptr<QInputDialog> readerPassword(const QString &caption, const QString &prompt, int maxLength,
                                             QWidget *owner);
std::unique_ptr<QMessageBox> readerFailure(const QString &caption, const QString &text, QWidget *owner);

} // namespace vx::dialogs
