#include "platform/Form1View.h"

#include "platform/Error.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>

namespace vx {

QList<QWidget *> Form1View::lockedControls() const
{
    return {Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8, Button9,
            Button10, Button11, Button12, SpeedButton2, SpeedButton3,
            Edit1, rg1, lb1, TabSet1};
}

void Form1View::DisableControls()
{
    for (QWidget *w : lockedControls())
        if (w)
            w->setEnabled(false);
}

void Form1View::EnableControls()
{
    for (QWidget *w : lockedControls())
        if (w)
            w->setEnabled(true);
}

void Form1View::placePanelOverList()
{
    const QRect list = lb1->geometry();
    Panel1->move(list.left() + list.width() / 2 - Panel1->width() / 2,
                 list.top() + list.height() / 2 - Panel1->height());
}

void Form1View::becomeIdle()
{
    if (Panel1)
        Panel1->hide();
    EnableControls();
}

void Form1View::showProgress(int value)
{
    if (desktop->pumpDue())
        pb1->setValue(value);
}

bool Form1View::execute(FolderDialogState &dialog)
{
    QPoint topLeft(0, 0);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect g = screen->geometry();
        topLeft = QPoint(g.left() + g.width() / 5, g.top() + g.height() / 5);
    }
    QString chosen;
    if (!desktop->chooseFolder(FolderDialogRequest{dialog.title, dialog.path, topLeft, dialog.newFolderButton},
                               chosen))
        return false;
    dialog.path = chosen;
    return true;
}

void Form1View::guarded(const std::function<void()> &handler, QWidget *startedByControl)
{
    // Locking the controls for a run pushes the keyboard focus on to whatever still takes it (the
    // read-only technical data); it goes back to the control that started the run once the run is over.
    const QPointer<QWidget> startedBy = startedByControl ? startedByControl : QApplication::focusWidget();
    QString failure;
    try {
        handler();
    } catch (const Error &e) {
        failure = e.message();
    } catch (const std::exception &e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    if (!failure.isNull()) {
        desktop->showError(failure);
        becomeIdle();
    }
    if (startedBy && startedBy->isEnabled() && startedBy->isVisible() && startedBy->window() == window)
        startedBy->setFocus(Qt::OtherFocusReason);
}

} // namespace vx
