#include "tests/support/ScriptedDesktop.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace vx::test {

void ScriptedDesktop::atProcessEvents(int k, std::function<void()> action) { scheduled_.append({k, std::move(action)}); }

QStringList ScriptedDesktop::messages() const
{
    QStringList out;
    for (const Shown &s : shown)
        if (s.kind == Shown::Message || s.kind == Shown::Error || s.kind == Shown::Information)
            out << s.text;
    return out;
}

QStringList ScriptedDesktop::questions() const
{
    QStringList out;
    for (const Shown &s : shown)
        if (s.kind == Shown::Question)
            out << s.text;
    return out;
}

bool ScriptedDesktop::chooseFolder(const FolderDialogRequest &request, QString &chosen)
{
    folderRequests << request;
    shown << Shown{Shown::Folder, request.title, request.heldPath};
    if (folderAnswers.empty())
        return false;
    const std::optional<QString> answer = folderAnswers.front();
    folderAnswers.pop_front();
    if (!answer)
        return false;
    chosen = QDir::toNativeSeparators(*answer); // as the folder dialog gives it
    return true;
}

void ScriptedDesktop::showMessage(const QString &text) { shown << Shown{Shown::Message, {}, text}; }

void ScriptedDesktop::showInformation(const QString &title, const QString &text)
{
    shown << Shown{Shown::Information, title, text};
}

void ScriptedDesktop::showError(const QString &text) { shown << Shown{Shown::Error, {}, text}; }

bool ScriptedDesktop::askYesNo(const QString &title, const QString &text)
{
    bool panel1Visible = false;
    for (const QWidget *widget : QApplication::allWidgets())
        if (widget->objectName() == QLatin1String("Panel1") && widget->isVisible())
            panel1Visible = true;
    shown << Shown{Shown::Question, title, text, panel1Visible};
    if (yesNoAnswers.empty())
        return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

bool ScriptedDesktop::askPassword(const QString &caption, const QString &prompt, int maxLength, QString &password)
{
    shown << Shown{Shown::Password, caption, prompt};
    if (passwordAnswers.empty())
        return false;
    const std::optional<QString> answer = passwordAnswers.front();
    passwordAnswers.pop_front();
    if (!answer)
        return false;
    password = answer->left(maxLength);
    return true;
}

FailureAnswer ScriptedDesktop::askFailure(const QString &caption, const QString &text)
{
    shown << Shown{Shown::Failure, caption, text};
    if (failureAnswers.empty())
        return FailureAnswer::Ignore;
    const FailureAnswer answer = failureAnswers.front();
    failureAnswers.pop_front();
    return answer;
}

void ScriptedDesktop::openFolder(const QString &path) { openedFolders << path; }
void ScriptedDesktop::openUrl(const QString &url) { openedUrls << url; }
void ScriptedDesktop::setClipboardText(const QString &text) { clipboard = text; }

void ScriptedDesktop::processEvents()
{
    ++processEventsCalls;
    for (const auto &entry : scheduled_)
        if (entry.first == processEventsCalls)
            entry.second();
    if (onEveryProcessEvents)
        onEveryProcessEvents();
    if (pumpQt)
        QCoreApplication::processEvents();
}

} // namespace vx::test
