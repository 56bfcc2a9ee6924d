#include "platform/WindowDesktop.h"

namespace vx {

bool WindowDesktop::chooseFolder(const FolderDialogRequest &request, QString &chosen)
{
    return !closed_ && real_.chooseFolder(request, chosen);
}

void WindowDesktop::showMessage(const QString &text)
{
    if (!closed_)
        real_.showMessage(text);
}

void WindowDesktop::showInformation(const QString &title, const QString &text)
{
    if (!closed_)
        real_.showInformation(title, text);
}

void WindowDesktop::showError(const QString &text)
{
    if (!closed_)
        real_.showError(text);
}

bool WindowDesktop::askYesNo(const QString &title, const QString &text)
{
    return !closed_ && real_.askYesNo(title, text);
}

bool WindowDesktop::askPassword(const QString &caption, const QString &prompt, int maxLength, QString &password)
{
    return !closed_ && real_.askPassword(caption, prompt, maxLength, password);
}

FailureAnswer WindowDesktop::askFailure(const QString &caption, const QString &text)
{
    return closed_ ? FailureAnswer::Abort : real_.askFailure(caption, text);
}

void WindowDesktop::openFolder(const QString &path)
{
    if (!closed_)
        real_.openFolder(path);
}

void WindowDesktop::openUrl(const QString &url)
{
    if (!closed_)
        real_.openUrl(url);
}

void WindowDesktop::setClipboardText(const QString &text)
{
    if (!closed_)
        real_.setClipboardText(text);
}

void WindowDesktop::processEvents() { real_.processEvents(); }

bool WindowDesktop::pumpDue() const { return real_.pumpDue(); }

} // namespace vx
