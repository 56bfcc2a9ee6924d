// redraw_pump LIST: the folder page's example run over the photos in LIST (one path per line) with
// "Только портретная" and a count of 1, on the real main window, offscreen, into a fresh output folder.
// A list of landscape photos with one portrait among them keeps the run in its redraws. Prints the
// longest spell without window events (the window frozen) and the whole run, in seconds.
#include "app/Unit1.h"
#include "platform/QtDesktop.h"
#include "platform/RadioGroup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

// Answers every dialog at once and notes the longest time between two event pumps of the run.
class GapDesktop final : public vx::Desktop {
public:
    QString folder;
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    bool chooseFolder(const vx::FolderDialogRequest &, QString &chosen) override
    {
        chosen = folder;
        clock.start();
        return true;
    }
    void showMessage(const QString &) override {}
    void showInformation(const QString &, const QString &) override {}
    void showError(const QString &) override {}
    bool askYesNo(const QString &, const QString &) override { return mark(), false; }
    bool askPassword(const QString &, const QString &, int, QString &) override { return false; }
    vx::FailureAnswer askFailure(const QString &, const QString &) override { return vx::FailureAnswer::Abort; }
    void openFolder(const QString &) override {}
    void openUrl(const QString &) override {}
    void setClipboardText(const QString &) override {}
    void processEvents() override
    {
        mark();
        pump_.processEvents();
        last = clock.nsecsElapsed();
    }
    void mark() { longest = std::max(longest, clock.nsecsElapsed() - last); }

private:
    vx::QtDesktop pump_;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    QFile listFile(QString::fromLocal8Bit(argv[1]));
    if (!listFile.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    const QStringList photos = QString::fromLocal8Bit(listFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QTemporaryDir out;
    GapDesktop desktop;
    desktop.folder = out.path();
    TForm1 window(desktop);
    window.show();
    vx::Form1View &view = window.view();
    QApplication::processEvents();
    view.lb1->addItems(photos);
    view.rg1->setItemIndex(0);
    view.Edit1->setText(QStringLiteral("1"));
    view.Button2->setEnabled(true);
    view.Button2->click();
    desktop.mark();
    std::printf("longest_frozen_seconds: %.3f\n", double(desktop.longest) / 1e9);
    std::printf("run_seconds: %.3f\n", double(desktop.clock.nsecsElapsed()) / 1e9);
    return 0;
}
