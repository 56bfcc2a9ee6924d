#include "reports/FolderTechDataRun.h"

#include "imaging/JpegMarkers.h"
#include "platform/Error.h"
#include "reports/FolderRunCounter.h"
#include "reports/ResolutionOrder.h"
#include "platform/FileOps.h"
#include "platform/ListItems.h"
#include "reports/TechDataLines.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace vx::reports {

namespace {

// The first photo is opened once before the walk: when even that fails (the release's disk went away,
// no access to the folder), the run reports it instead of writing a report that measured nothing.
void openAndCloseFirst(const std::filesystem::path &path)
{
    QFile file;
    files::openForReading(file, path);
}

} // namespace

void Button7Click(vx::Form1View &form)
{
    QListWidget &list = *form.lb1;
    if (list.count() == 0)
        return;

    form.Button7->hide();
    form.DisableControls();
    form.pb1->setMaximum(list.count() - 1);
    form.pb1->setValue(0);
    form.pb1->show();
    form.Label3->setText(QStringLiteral("Пересчёт тех. данных..."));
    form.AbortRequested = false;
    form.Panel1->show();

    openAndCloseFirst(nativePathOf(*list.item(0)));

    FolderRunCounter folders(list.item(0)->text());
    QStringList resolutions;
    for (int i = 0; i < list.count(); ++i) {
        // The bar shows the entries done; it is moved just before a pump that will draw it.
        if (i > 0)
            form.showProgress(i - 1);
        form.desktop->processEvents();
        const QString path = list.item(i)->text();
        folders.visit(path);
        if (form.AbortRequested) {
            form.becomeIdle();
            form.Label3->clear();
            form.Button7->show();
            form.infmemo->clear();
            return;
        }
        try {
            const JpegSize size = ReadJpegSizeFromFile(nativePathOf(*list.item(i)));
            if (std::optional<QString> text = ResolutionText(size.width, size.height))
                resolutions << *text;
        } catch (const vx::Error &) {
            // An unreadable photo still counts as a file and its folder as a folder; it adds no size.
        }
    }
    form.pb1->setValue(list.count() - 1);
    SortResolutions(resolutions);

    form.infmemo->setPlainText(TechDataLines(list.count(), folders.count(), resolutions).join(QLatin1Char('\n')));
    form.EnableControls();
    form.Panel1->hide();
    form.Button7->hide();
}

} // namespace vx::reports
