// Times the archive page's runs on the real main window (offscreen): the technical-data run over a list
// of archives, and the example run ("Обе") into a folder. Dialogs are answered at once (no folder dialog
// through a pending re-create, "No" to the final question); the event pump is the real one, throttled as
// in the program.
// Usage: bench_archive_page techdata LIST RUNS          prints "<best seconds> <photos counted>"
//        bench_archive_page examples LIST N OUT RUNS    prints "<best seconds> <examples written>"
#include "app/Windows.h"
#include "archive/ArchiveExampleRun.h"
#include "archive/ArchiveTechDataRun.h"
#include "platform/QtDesktop.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstdlib>

namespace {

class AnsweringDesktop final : public vx::Desktop {
public:
    bool chooseFolder(const vx::FolderDialogRequest &, QString &) override { return false; }
    void showMessage(const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    void showInformation(const QString &, const QString &text) override { showMessage(text); }
    void showError(const QString &text) override { showMessage(text); }
    bool askYesNo(const QString &, const QString &) override { return false; }
    bool askPassword(const QString &, const QString &, int, QString &) override { return false; }
    vx::FailureAnswer askFailure(const QString &, const QString &) override { return vx::FailureAnswer::Ignore; }
    void openFolder(const QString &) override {}
    void openUrl(const QString &) override {}
    void setClipboardText(const QString &) override {}
    void processEvents() override { pump_.processEvents(); }

private:
    vx::QtDesktop pump_;
};

QStringList readList(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_archive_page techdata LIST RUNS | examples LIST N OUT RUNS\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    AnsweringDesktop desktop;
    vx::Windows windows(desktop);
    windows.Form1.show();
    QApplication::processEvents();
    vx::Form1View &form = windows.Form1.view();
    form.lbzip->addItems(readList(argv[2]));

    double best = 1e9;
    QString result;
    if (mode == QLatin1String("techdata")) {
        const int runs = std::atoi(argv[3]);
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            vx::archive::Button8Click(form, windows.Form1.ZipReader1);
            best = std::min(best, timer.nsecsElapsed() / 1e9);
        }
        const QStringList lines = form.zipinfmemo->toPlainText().split(QLatin1Char('\n'));
        result = lines.value(1).section(QLatin1Char(' '), -1);
    } else if (mode == QLatin1String("examples") && argc >= 6) {
        const QString out = QString::fromLocal8Bit(argv[4]);
        const int runs = std::atoi(argv[5]);
        form.Edit2->setText(QString::fromLocal8Bit(argv[3]));
        for (int i = 0; i < runs; ++i) {
            QDir(out).removeRecursively();
            QDir().mkpath(out);
            form.fd2.path = out;
            form.ArchiveRecreatePending = true;
            QElapsedTimer timer;
            timer.start();
            vx::archive::Button6Click(form, windows.Form1.ZipReader1);
            best = std::min(best, timer.nsecsElapsed() / 1e9);
        }
        result = QString::number(QDir(out).entryList(QDir::Files).size());
    } else {
        return 2;
    }
    std::printf("%.6f %s\n", best, qPrintable(result));
    return 0;
}
