#include "folders/ExampleRun.h"

#include "folders/Orientation.h"
#include "folders/RandomOrder.h"
#include "imaging/Probes.h"
#include "platform/Error.h"
#include "platform/FileOps.h"
#include "platform/ListItems.h"
#include "platform/SpacedEventPump.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace vx::folders {
namespace {

enum class Exit { Completed, Aborted, GaveUp };

class ExampleRun {
public:
    ExampleRun(Form1View &form, int wanted, bool viaDialog)
        : form_(form), wanted_(wanted), viaDialog_(viaDialog), count_(form.lb1->count()),
          orientation_(Orientation(form.rg1->itemIndex()))
    {
    }

    void run()
    {
        form_.CreatedExamples.clear();
        created_ = 0;
        form_.AbortRequested = false;
        form_.placePanelOverList();
        form_.pb1->setMaximum(wanted_);
        form_.pb1->setValue(0);
        form_.pb1->show();
        form_.Label3->setText(QStringLiteral("Отбор и создание примеров..."));
        form_.Panel1->show();
        form_.DisableControls();
        finish(passes());
    }

private:
    Exit passes()
    {
        // The first pass has N steps; each further pass draws again for the examples still missing,
        // its bounds fixed when it starts. A failed copy spends its step.
        for (int p = 1; p <= wanted_; ++p)
            if (auto exit = step(p))
                return *exit;
        while (created_ < wanted_) {
            const int first = created_ + 1;
            for (int p = first; p <= wanted_; ++p)
                if (auto exit = step(p))
                    return *exit;
            form_.desktop->processEvents();
        }
        return Exit::Completed;
    }

    std::optional<Exit> step(int p)
    {
        if (form_.AbortRequested)
            return Exit::Aborted;
        form_.desktop->processEvents();
        form_.pb1->setValue(created_);
        int candidate = draw(p);
        if (orientation_ != Orientation::Both && !firstCandidateFits(candidate)) {
            // Redraws must be strictly of the wanted orientation; the limit is tested right after each
            // redraw's probe, before its candidate is looked at. A long list with a rare orientation
            // redraws for seconds, so the window's events run now and then, and Прервать (or closing
            // the window) ends the run here as at the start of a step.
            SpacedEventPump pump(*form_.desktop);
            for (int k = 1;; ++k) {
                pump.step();
                if (form_.AbortRequested)
                    return Exit::Aborted;
                candidate = draw(p);
                const bool fits = strictlyFits(candidate);
                if (k >= count_ - 1)
                    return Exit::GaveUp;
                if (fits)
                    break;
            }
        }
        copy(candidate);
        return std::nullopt;
    }

    int draw(int p)
    {
        MakeRandomOrder(order_, count_);
        return order_[std::size_t(p - 1)];
    }

    // Probes the candidate; a photo that cannot be decoded counts as the wrong orientation. A file that
    // has gone since the scan writes nothing, so the previous probe's values judge it.
    bool probe(int candidate)
    {
        try {
            ProbeScaledJpegSize(nativePathOf(*form_.lb1->item(candidate)));
            return true;
        } catch (const Error &) {
            return false;
        }
    }

    // The first candidate of a step passes unless it is of the other orientation; a square one passes.
    bool firstCandidateFits(int candidate)
    {
        return probe(candidate) && vx::firstCandidateFits(orientation_, ProbeWidth, ProbeHeight);
    }

    bool strictlyFits(int candidate)
    {
        return probe(candidate) && vx::strictlyFits(orientation_, ProbeWidth, ProbeHeight);
    }

    void copy(int candidate)
    {
        const std::filesystem::path source = nativePathOf(*form_.lb1->item(candidate));
        const std::filesystem::path name = source.filename();
        const ListEntry target{nativePath(form_.fd2.path) / name,
                               files::joinPath(form_.fd2.path, shownName(name.native()))};
        if (!files::copyNoOverwrite(source, target.path))
            return;
        ++created_;
        form_.CreatedExamples.push_back(target);
    }

    void finish(Exit exit)
    {
        switch (exit) {
        case Exit::Completed:
            form_.becomeIdle();
            if (form_.desktop->askYesNo(QStringLiteral("Обработка завершена"),
                                        QStringLiteral("Обработка завершена. Открыть папку с созданными примерами?")))
                form_.desktop->openFolder(form_.fd2.path);
            return;
        case Exit::Aborted:
            form_.Panel1->hide();
            form_.desktop->showMessage(viaDialog_ ? QStringLiteral("Обработка прервана. \r\n") +
                                                        QString::number(created_) + QStringLiteral(" файл(ов) создано")
                                                  : QStringLiteral("Обработка прервана."));
            form_.EnableControls();
            return;
        case Exit::GaveUp:
            form_.Panel1->hide();
            form_.desktop->showMessage(
                orientation_ == Orientation::Portrait
                    ? QStringLiteral("Среди файлов не наберётся нужного количества примеров с портретной ориентацией")
                    : QStringLiteral("Среди файлов не наберётся нужного количества примеров с альбомной ориентацией"));
            form_.EnableControls();
            return;
        }
    }

    Form1View &form_;
    const int wanted_;
    const bool viaDialog_;
    const int count_;
    const Orientation orientation_;
    int created_ = 0;
    std::vector<int> order_;
};

} // namespace

void Button2Click(Form1View &form)
{
    if (form.lb1->count() == 0)
        return;
    bool isNumber = false;
    const int wanted = form.Edit1->text().toInt(&isNumber);
    if (!isNumber)
        return;
    if (wanted > form.lb1->count()) {
        form.desktop->showMessage(QStringLiteral("Желаемое количество примеров не может быть больше количества файлов"));
        return;
    }
    bool viaDialog = false;
    if (form.FolderRecreatePending) {
        form.FolderRecreatePending = false;
    } else {
        if (!form.execute(form.fd2))
            return;
        viaDialog = true;
    }
    ExampleRun(form, wanted, viaDialog).run();
}

void SpeedButton2Click(Form1View &form)
{
    if (!form.Button2->isEnabled())
        return;
    for (auto example = form.CreatedExamples.rbegin(); example != form.CreatedExamples.rend(); ++example)
        if (files::exists(example->path))
            files::remove(example->path);
    form.FolderRecreatePending = true;
    if (form.Button2->isEnabled())
        Button2Click(form);
}

} // namespace vx::folders
