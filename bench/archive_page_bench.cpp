// Runs one of the archive page's runs once on the real main window (no screen): the technical-data run
// over a list of archives, or the example run ("Обе") of COUNT examples into a folder, emptied first.
// Dialogs are answered at once (no folder dialog through a pending re-create, "No" to the final
// question); the event pump is the real one, throttled as in the program. The script times the whole
// process and checks what it prints against the peer's result.
// Usage: bench_archive_page techdata LIST          prints the three report lines
//        bench_archive_page examples LIST COUNT OUT  prints the names of the examples written
#include "app/Windows.h"
#include "archive/ArchiveExampleRun.h"
#include "archive/ArchiveTechDataRun.h"
#include "platform/QtDesktop.h"

#include <QApplication>
#include <QDir>
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
    bool pumpDue() const override { return pump_.pumpDue(); }

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

// The one place this bench calls the runs.
void runTechData(vx::Windows &windows) { vx::archive::Button8Click(windows.Form1.view(), windows.Form1.ZipReader1); }
void runExamples(vx::Windows &windows) { vx::archive::Button6Click(windows.Form1.view(), windows.Form1.ZipReader1); }

} // namespace

int main(int argc, char **argv)
{
    // No screen, and no fonts loaded: a font database costs more start-up than the run being measured,
    // and the page's runs draw nothing a user would read here.
    qputenv("QT_QPA_PLATFORM", "minimal");
    QApplication application(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool techdata = mode == QLatin1String("techdata") && argc == 3;
    const bool examples = mode == QLatin1String("examples") && argc == 5;
    if (!techdata && !examples) {
        std::fprintf(stderr, "usage: bench_archive_page techdata LIST | examples LIST COUNT OUT\n");
        return 2;
    }
    AnsweringDesktop desktop;
    vx::Windows windows(desktop);
    windows.Form1.show();
    QApplication::processEvents();
    vx::Form1View &form = windows.Form1.view();
    form.lbzip->addItems(readList(argv[2]));

    if (techdata) {
        runTechData(windows);
        std::printf("%s\n", form.zipinfmemo->toPlainText().toUtf8().constData());
        return 0;
    }
    const QString out = QString::fromLocal8Bit(argv[4]);
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    form.Edit2->setText(QString::fromLocal8Bit(argv[3]));
    form.fd2.path = out;
    form.ArchiveRecreatePending = true;
    runExamples(windows);
    for (const QString &name : QDir(out).entryList(QDir::Files, QDir::Name))
        std::printf("%s\n", name.toUtf8().constData());
    return 0;
}
