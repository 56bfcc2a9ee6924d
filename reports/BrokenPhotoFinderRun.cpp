#include "reports/BrokenPhotoFinderRun.h"

#include "imaging/ScaledJpegSize.h"
#include "platform/FileOps.h"
#include "platform/ListItems.h"
#include "reports/BrokenPhotoTest.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

#include <vector>

namespace vx::reports {

namespace {

// The test results are laid over the list's selection once more after the loop. The shortcut Ctrl+A stays
// live while the list is locked, and a select-all pressed during the run would otherwise mark good photos
// as broken and offer them for deletion.
int applyResults(QListWidget &list, const std::vector<bool> &broken)
{
    int n = 0;
    for (int i = 0; i < list.count() && std::size_t(i) < broken.size(); ++i) {
        list.item(i)->setSelected(broken[std::size_t(i)]);
        n += broken[std::size_t(i)] ? 1 : 0;
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
void deleteSelected(QListWidget &list)
{
    for (int i = list.count() - 1; i >= 0; --i) {
        QListWidgetItem *item = list.item(i);
        if (!item->isSelected())
            continue;
        const std::filesystem::path path = vx::nativePathOf(*item);
        if (!vx::files::exists(path))
            continue;
        if (vx::files::remove(path))
            delete list.takeItem(i);
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

    for (int i = 0; i < list.count(); ++i) {
        form.desktop->processEvents();
        if (form.AbortRequested) {
            form.becomeIdle();
            form.AbortRequested = false;
            return;
        }
        // Shown by the next pump; built only when that pump is due.
        if (form.desktop->pumpDue()) {
            form.Label3->setText(QStringLiteral("Поиск \"битых\" фото (Файл № ") + QString::number(i + 1) +
                                 QLatin1Char(')'));
            form.pb1->setValue(i);
        }
        QListWidgetItem *item = list.item(i);
        item->setSelected(false);
        results[std::size_t(i)] = IsBrokenPhoto(decoder, vx::nativePathOf(*item));
        if (results[std::size_t(i)])
            item->setSelected(true);
    }

    const int broken = applyResults(list, results);
    if (broken == 0)
        form.desktop->showMessage(QStringLiteral("Обработка завершена.\r\n\"Битых фото не найдено."));
    else if (form.desktop->askYesNo(QStringLiteral("Обработка завершена"), foundQuestion(broken)))
        deleteSelected(list);

    form.Panel1->hide();
    form.label2->setText(QStringLiteral("Файлов: ") + QString::number(list.count()));
    form.EnableControls();
}

} // namespace vx::reports
