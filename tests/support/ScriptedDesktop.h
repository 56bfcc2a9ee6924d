#pragma once
// A Desktop for tests: every dialog is answered from a queue, every message and question is recorded,
// and the abort button can be pressed at the k-th processEvents call.

#include "platform/Desktop.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

namespace vx::test {

struct Shown {
    enum Kind { Message, Information, Error, Question, Password, Failure, Folder } kind;
    QString title;
    QString text;
    bool panel1Visible = false; // questions only: whether the main window's busy panel showed while it waited
};

class ScriptedDesktop final : public Desktop {
public:
    // Answers, consumed in order. An empty queue cancels a folder dialog, answers No, cancels a
    // password and answers Ignore to a failure.
    std::deque<std::optional<QString>> folderAnswers; // nullopt = Cancel
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> passwordAnswers; // nullopt = Cancel
    std::deque<FailureAnswer> failureAnswers;

    QList<Shown> shown;                  // everything shown, in order
    QList<FolderDialogRequest> folderRequests;
    QStringList openedFolders;
    QStringList openedUrls;
    QString clipboard;
    int processEventsCalls = 0;

    // Runs action at the k-th processEvents call (1-based), e.g. clicking the abort button.
    void atProcessEvents(int k, std::function<void()> action);
    // Runs action at every processEvents call (after any k-th action).
    std::function<void()> onEveryProcessEvents;
    // When true, processEvents also runs the real Qt event loop once.
    bool pumpQt = true;

    QStringList messages() const;        // texts of plain messages and errors, in order
    QStringList questions() const;       // texts of Yes/No questions, in order

    bool chooseFolder(const FolderDialogRequest &request, QString &chosen) override;
    void showMessage(const QString &text) override;
    void showInformation(const QString &title, const QString &text) override;
    void showError(const QString &text) override;
    bool askYesNo(const QString &title, const QString &text) override;
    bool askPassword(const QString &caption, const QString &prompt, int maxLength, QString &password) override;
    FailureAnswer askFailure(const QString &caption, const QString &text) override;
    void openFolder(const QString &path) override;
    void openUrl(const QString &url) override;
    void setClipboardText(const QString &text) override;
    void processEvents() override;

private:
    QList<QPair<int, std::function<void()>>> scheduled_;
};

} // namespace vx::test
