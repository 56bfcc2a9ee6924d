#pragma once
// The Desktop one window speaks through. While the window is open it hands every call to the real
// Desktop. Once the window is closed nothing more may reach the user: a long operation that was running
// still winds down through its abort path, and what it would say on the way out (a message, the final
// question, the archive reader's dialogs) must not pop up over a desktop whose window has gone. So after
// windowClosed() every dialog answers as its Cancel, No or Abort would, messages and the shell are
// dropped, and only the event pump still runs.

#include "platform/Desktop.h"

namespace vx {

class WindowDesktop final : public Desktop {
public:
    explicit WindowDesktop(Desktop &real) : real_(real) {}

    void windowClosed() { closed_ = true; }
    bool isWindowClosed() const { return closed_; }

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
    bool pumpDue() const override;

private:
    Desktop &real_;
    bool closed_ = false;
};

} // namespace vx
