#pragma once
// Every conversation with the user that is not one of the window's own controls goes through Desktop:
// the folder picker, message and question boxes, the archive reader's password and failure dialogs,
// the shell (open a folder or a web address), the clipboard and the event pump of long operations.
// The windows get a QtDesktop; tests get a ScriptedDesktop that answers from a queue and records.

#include <QPoint>
#include <QString>

namespace vx {

// The three answers of the reader's failure dialog ("&Abort", "&Retry", "&Ignore").
enum class FailureAnswer { Abort, Retry, Ignore };

// What a folder picker opens with and where.
struct FolderDialogRequest {
    QString title;            // shown as the dialog window's caption
    QString heldPath;         // selected when the dialog opens (the current folder when it does not exist)
    QPoint topLeft;           // where the dialog window is placed
    bool newFolderButton = true;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Returns true and the chosen folder (no trailing separator except for a root) on OK; false on Cancel.
    virtual bool chooseFolder(const FolderDialogRequest &request, QString &chosen) = 0;

    // A plain message box with an OK button and the application's title.
    virtual void showMessage(const QString &text) = 0;
    // A message box with the information icon and its own title.
    virtual void showInformation(const QString &title, const QString &text) = 0;
    // A message box for a failure an operation did not catch.
    virtual void showError(const QString &text) = 0;
    // A Yes/No question box with the question icon; true for Yes.
    virtual bool askYesNo(const QString &title, const QString &text) = 0;

    // The archive reader's dialogs. askPassword returns false on Cancel.
    virtual bool askPassword(const QString &caption, const QString &prompt, int maxLength, QString &password) = 0;
    virtual FailureAnswer askFailure(const QString &caption, const QString &text) = 0;

    virtual void openFolder(const QString &path) = 0;
    virtual void openUrl(const QString &url) = 0;
    virtual void setClipboardText(const QString &text) = 0;

    // Lets pending window events run; long operations call it once per step.
    virtual void processEvents() = 0;
    // Whether the next processEvents will run the event loop. Loops change what shows their progress
    // (a bar's value, a caption) only then: nobody sees the changes in between, and each costs a
    // layout. A desktop that pumps on every call says yes every time.
    virtual bool pumpDue() const { return true; }
};

} // namespace vx
