// reports_bench_run techdata|broken LIST: fills the folder page's photo list with the paths in LIST (one
// per line) and runs the technical data (Button7Click) or the broken-photo finder (N3Click) once on the
// real main window, with no screen, with the real event pump. The script times the whole process. Prints what
// the run produced, so the script can check it against the peer: the three report lines, or the photos
// the finder selected, one path per line in list order. With VX_PRINT_RUN_SECONDS set, the run's own
// seconds (start-up, window and list left out) go to standard error as "run_seconds: X".
#include "app/Unit1.h"
#include "platform/QtDesktop.h"
#include "reports/BrokenPhotoFinderRun.h"
#include "reports/FolderTechDataRun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstring>

namespace {

// The window's own Desktop for everything that runs events; messages and questions are answered here so
// that no modal box stops the clock (the finder ends on one). Nothing is ever deleted: every question
// gets No.
class BenchDesktop final : public vx::Desktop {
public:
    QStringList messages;
    bool chooseFolder(const vx::FolderDialogRequest &, QString &) override { return false; }
    void showMessage(const QString &text) override { messages << text; }
    void showInformation(const QString &, const QString &text) override { messages << text; }
    void showError(const QString &text) override { messages << text; }
    bool askYesNo(const QString &, const QString &text) override
    {
        messages << text;
        return false;
    }
    bool askPassword(const QString &, const QString &, int, QString &) override { return false; }
    vx::FailureAnswer askFailure(const QString &, const QString &) override { return vx::FailureAnswer::Abort; }
    void openFolder(const QString &) override {}
    void openUrl(const QString &) override {}
    void setClipboardText(const QString &) override {}
    void processEvents() override { pump_.processEvents(); }
    bool pumpDue() const override { return pump_.pumpDue(); }

private:
    vx::QtDesktop pump_;
};

} // namespace

// The one place this bench calls the report runs.
void runReport(vx::Form1View &view, bool techdata)
{
    view.guarded([&] {
        if (techdata)
            vx::reports::Button7Click(view);
        else
            vx::reports::N3Click(view);
    });
}

int main(int argc, char **argv)
{
    // No screen, and no fonts loaded: a font database costs more start-up than the run being measured,
    // and the page's runs draw nothing a user would read here.
    qputenv("QT_QPA_PLATFORM", "minimal");
    QApplication application(argc, argv);
    const bool techdata = argc == 3 && std::strcmp(argv[1], "techdata") == 0;
    const bool broken = argc == 3 && std::strcmp(argv[1], "broken") == 0;
    if (!techdata && !broken) {
        std::fprintf(stderr, "usage: reports_bench_run techdata|broken LIST\n");
        return 2;
    }
    QFile listFile(QString::fromLocal8Bit(argv[2]));
    if (!listFile.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    const QStringList photos = QString::fromLocal8Bit(listFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);

    BenchDesktop desktop;
    TForm1 window(desktop);
    window.show();
    vx::Form1View &view = window.view();
    QApplication::processEvents();
    view.lb1->addItems(photos);
    QElapsedTimer clock;
    clock.start();
    runReport(view, techdata);
    if (qEnvironmentVariableIsSet("VX_PRINT_RUN_SECONDS"))
        std::fprintf(stderr, "run_seconds: %.4f\n", double(clock.nsecsElapsed()) / 1e9);

    if (techdata) {
        std::printf("%s\n", view.infmemo->toPlainText().toLocal8Bit().constData());
    } else {
        for (int i = 0; i < view.lb1->count(); ++i)
            if (view.lb1->item(i)->isSelected())
                std::printf("%s\n", view.lb1->item(i)->text().toLocal8Bit().constData());
    }
    return 0;
}
