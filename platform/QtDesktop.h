#pragma once
// The real Desktop: Qt dialogs, the system shell and clipboard, the application's event loop.

#include "platform/Desktop.h"

#include <QElapsedTimer>

#include <optional>

class QWidget;

namespace vx {

class QtDesktop final : public Desktop {
public:
    // owner: the window that message and question boxes belong to (may be null).
    explicit QtDesktop(QWidget *owner = nullptr);

    void setOwner(QWidget *owner) { owner_ = owner; }

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
    QWidget *owner_;
    // Long loops call processEvents per entry. Running the event loop (and so repainting a caption that
    // changed) costs tens of microseconds, so it runs at most once per pumpInterval; the abort button
    // still answers within a few milliseconds.
    QElapsedTimer sincePump_;
    static constexpr qint64 pumpIntervalNs = 4'000'000;
    // What pumpDue last told a loop, kept until the next processEvents: that call does as it was told.
    // Loops ask, change their bar and caption only on a yes, then work on an entry; deciding afresh by
    // the clock after that work would pump a window whose bar and caption were never brought up to date.
    mutable std::optional<bool> promised_;
};

} // namespace vx
