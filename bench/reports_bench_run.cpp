// reports_bench_run techdata|broken LIST [RUNS]: fills the folder page's photo list with the paths in LIST
// (one per line) and times the technical-data run (Button7Click) or the broken-photo finder (N3Click) on
// the real main window, offscreen, with the real event pump. Prints the best wall time in seconds, then
// what the run produced, so the script can check it against the peer: the three report lines, or the
// number of photos found broken.
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

private:
    vx::QtDesktop pump_;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const bool techdata = argc >= 3 && std::strcmp(argv[1], "techdata") == 0;
    const bool broken = argc >= 3 && std::strcmp(argv[1], "broken") == 0;
    if (!techdata && !broken) {
        std::fprintf(stderr, "usage: reports_bench_run techdata|broken LIST [RUNS]\n");
        return 2;
    }
    QFile listFile(QString::fromLocal8Bit(argv[2]));
    if (!listFile.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    const QStringList photos = QString::fromLocal8Bit(listFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;

    BenchDesktop desktop;
    TForm1 window(desktop);
    window.show();
    vx::Form1View &view = window.view();
    QApplication::processEvents();

    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        view.lb1->clear();
        view.lb1->addItems(photos);
        desktop.messages.clear();
        QElapsedTimer timer;
        timer.start();
        view.guarded([&] {
            if (techdata)
                vx::reports::Button7Click(view);
            else
                vx::reports::N3Click(view);
        });
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    std::printf("%.6f\n", best);
    if (techdata) {
        std::printf("%s\n", qPrintable(view.infmemo->toPlainText()));
    } else {
        int selected = 0;
        for (int i = 0; i < view.lb1->count(); ++i)
            selected += view.lb1->item(i)->isSelected() ? 1 : 0;
        std::printf("broken: %d\n", selected);
    }
    for (const QString &m : desktop.messages)
        std::fprintf(stderr, "message: %s\n", qPrintable(m));
    return 0;
}
