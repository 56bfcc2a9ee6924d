#include "reports/BrokenPhotoFinderRun.h"

#include "imaging/ScaledJpegSize.h"
#include "platform/FileOps.h"
#include "platform/ListItems.h"
#include "reports/BrokenPhotoTest.h"

#include <QLabel>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QProgressBar>

#include <algorithm>
#include <functional>
#include <vector>

namespace vx::reports {

namespace {

// The results go into the list's selection in one operation after the loop: selecting row by row costs
// time in proportion to what is already selected, so thousands of broken photos froze the window for
// minutes. Laying them over the selection once more also undoes a select-all (Ctrl+A stays live while
// the list is locked) pressed during the run, which would otherwise offer good photos for deletion.
// Only the first `tested` entries carry results; an aborted run leaves the others as they were.
int applyResults(QListWidget &list, const std::vector<bool> &broken, int tested)
{
    QItemSelection selection;
    int n = 0;
    for (int i = 0; i < tested; ++i) {
        if (!broken[std::size_t(i)])
            continue;
        int last = i;
        while (last + 1 < tested && broken[std::size_t(last + 1)])
            ++last;
        selection.select(list.model()->index(i, 0), list.model()->index(last, 0));
        n += last - i + 1;
        i = last;
    }
    QItemSelectionModel &model = *list.selectionModel();
    if (tested == list.count()) {
        model.select(selection, QItemSelectionModel::ClearAndSelect);
    } else if (tested > 0) {
        model.select(QItemSelection(list.model()->index(0, 0), list.model()->index(tested - 1, 0)),
                     QItemSelectionModel::Deselect);
        model.select(selection, QItemSelectionModel::Select);
    }
    return n;
}

QString foundQuestion(int n)
{
    // The parenthesis after the count has never been closed in this question; users know it this way.
    return QStringLiteral("Обработка завершена.\r\n\"Битые\" фото найдены и выделены в списке (Кол-во: ") +
           QString::number(n) + QStringLiteral("\r\nСтереть помеченные фото с диска?");
}

// From the last entry to the first, so that removing one leaves the indices still to visit unchanged.
// An entry leaves the list only when its file is gone afterwards: one that could not be deleted (no
// access, held by another program) stays selected, so the list keeps telling the truth about the disk.
// The rows come from the selection's ranges: asking every entry whether it is selected costs time in
// proportion to the number of ranges, for each entry.
void deleteSelected(QListWidget &list)
{
    std::vector<int> rows;
    for (const QItemSelectionRange &range : list.selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        const std::filesystem::path path = vx::nativePathOf(*list.item(row));
        if (!vx::files::exists(path))
            continue;
        if (vx::files::remove(path))
            delete list.takeItem(row);
    }
}

} // namespace

void N3Click(vx::Form1View &form)
{
    QListWidget &list = *form.lb1;
    if (list.count() == 0)
        return;

    form.DisableControls();
    form.pb1->setMaximum(list.count() - 1);
    form.pb1->setValue(0);
    form.pb1->show();
    form.Label3->setText(QStringLiteral("Поиск \"битых\" фото..."));
    form.Panel1->show();
    form.AbortRequested = false;
    vx::ScaledJpegDecoder decoder;
    std::vector<bool> results(std::size_t(list.count()), false);

    // The caption and the bar show the entry last tested.
    const auto showTested = [&form](int last) {
        form.Label3->setText(QStringLiteral("Поиск \"битых\" фото (Файл № ") + QString::number(last + 1) +
                             QLatin1Char(')'));
        form.pb1->setValue(last);
    };
    for (int i = 0; i < list.count() && std::size_t(i) < results.size(); ++i) {
        // Built only for a pump that will draw them, and just before it.
        if (i > 0 && form.desktop->pumpDue())
            showTested(i - 1);
        form.desktop->processEvents();
        if (form.AbortRequested) {
            applyResults(list, results, i);
            form.becomeIdle();
            form.AbortRequested = false;
            return;
        }
        results[std::size_t(i)] = IsBrokenPhoto(decoder, vx::nativePathOf(*list.item(i)));
    }
    const int tested = std::min(list.count(), int(results.size()));
    showTested(tested - 1);

    const int broken = applyResults(list, results, tested);
    if (broken == 0)
        form.desktop->showMessage(QStringLiteral("Обработка завершена.\r\n\"Битых фото не найдено."));
    else if (form.desktop->askYesNo(QStringLiteral("Обработка завершена"), foundQuestion(broken)))
        deleteSelected(list);

    form.Panel1->hide();
    form.label2->setText(QStringLiteral("Файлов: ") + QString::number(list.count()));
    form.EnableControls();
}

} // namespace vx::reports
