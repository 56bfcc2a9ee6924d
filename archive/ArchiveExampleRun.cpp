#include "archive/ArchiveExampleRun.h"

#include "archive/ArchiveRunGuard.h"
#include "archive/EntryUnpack.h"
#include "archive/JpegEntryList.h"
#include "folders/Orientation.h"
#include "folders/RandomOrder.h"
#include "imaging/Probes.h"
#include "platform/FileOps.h"
#include "platform/ListItems.h"
#include "platform/SpacedEventPump.h"

#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace vx::archive {
namespace {


QString abortedWithCount(int created)
{
    return QStringLiteral("Обработка прервана. \r\n") + QString::number(created) + QStringLiteral(" файл(ов) создано");
}

class ArchiveExampleRun {
public:
    ArchiveExampleRun(vx::Form1View &form, vx::zip::ZipReader &reader, int wanted)
        : form_(form), reader_(reader), wanted_(wanted)
    {
    }

    void run()
    {
        form_.pb1->setMaximum(std::max(wanted_ - 1, 0));
        form_.Label3->setText(QStringLiteral("Отбор и создание примеров..."));
        form_.AbortRequested = false;
        created_ = 0;
        for (int pos = 0; pos < wanted_; ++pos) {
            form_.pb1->setValue(pos);
            form_.desktop->processEvents();
            if (form_.AbortRequested) {
                stop(abortedWithCount(created_));
                return;
            }
            // Whatever goes wrong with one archive (no ZIP data, no JPEG entry, an entry that fails its
            // checks or that libjpeg cannot read, a cancelled password) costs it its example, silently.
            // lbzip stays usable during the run; its entries cannot go (the removal buttons are locked),
            // but an entry that is not there is one more archive without an example, not a crash.
            const QListWidgetItem *item = form_.lbzip->item(pos);
            try {
                if (item && archiveStep(nativePathOf(*item)) == StepEnd::EndRun)
                    return;
            } catch (const std::exception &) {
            }
        }
        // The busy panel is still up while the question waits.
        if (form_.desktop->askYesNo(QStringLiteral("Обработка завершена"),
                                    QStringLiteral("Обработка завершена. Открыть папку с созданными примерами?")))
            form_.desktop->openFolder(form_.fd2.path);
    }

private:
    enum class StepEnd { NextArchive, EndRun };

    // Closes the archive however its step ends: without a JPEG entry, with a failure, or aborted. Windows
    // lets nobody move or delete a folder while a file in it is open, so an archive left open after the
    // run would pin its release folder until the next run or the program's end.
    class ClosesWhenDone {
    public:
        explicit ClosesWhenDone(vx::zip::ZipReader &reader) : reader_(reader) {}
        ~ClosesWhenDone() { reader_.CloseReader(); }
        ClosesWhenDone(const ClosesWhenDone &) = delete;
        ClosesWhenDone &operator=(const ClosesWhenDone &) = delete;

    private:
        vx::zip::ZipReader &reader_;
    };

    StepEnd archiveStep(const std::filesystem::path &path)
    {
        reader_.OpenReadOnly(path);
        const ClosesWhenDone closes(reader_);
        reader_.Options.StorePath = vx::zip::spNoPath;
        reader_.Options.CreateDirs = false;
        reader_.BaseDir = files::joinPath(form_.fd2.path, QString());

        const QList<JpegEntry> entries = ListJpegEntries(reader_);
        if (entries.isEmpty())
            return StepEnd::NextArchive;
        EmptyBuffer(buffer_);
        const JpegEntry *candidate = &entries[draw(entries)];
        probe(*candidate);

        // Read anew for every archive: rg2 stays usable during the run.
        const int filter = form_.rg2->itemIndex();
        if (filter != int(Orientation::Portrait) && filter != int(Orientation::Landscape)) {
            form_.desktop->processEvents();
            if (form_.AbortRequested) {
                stop(QStringLiteral("Обработка прервана"));
                return StepEnd::EndRun;
            }
            write(*candidate);
            return StepEnd::NextArchive;
        }

        const Orientation wanted = Orientation(filter);
        bool gaveUp = false;
        // The first candidate passes unless it is of the other orientation, so a square one is taken; a
        // redrawn one must be strictly of the wanted orientation. The limit is tested right after each
        // redraw's probe, before its candidate is looked at.
        if (!firstCandidateFits(wanted, width(), height())) {
            // Events run once a spell of redraws has passed, not for every candidate.
            SpacedEventPump pump(*form_.desktop);
            for (qsizetype k = 1;; ++k) {
                pump.step();
                if (form_.AbortRequested) {
                    stop(abortedWithCount(created_));
                    return StepEnd::EndRun;
                }
                candidate = &entries[draw(entries)];
                probe(*candidate);
                if (k >= entries.size()) {
                    gaveUp = true;
                    break;
                }
                if (strictlyFits(wanted, width(), height()))
                    break;
            }
        }
        if (!gaveUp)
            write(*candidate);
        return StepEnd::NextArchive;
    }

    int draw(const QList<JpegEntry> &entries)
    {
        MakeRandomOrder(order_, int(entries.size()));
        return order_.front();
    }

    // The candidate's size at one eighth scale into ArchiveImageWidth/Height; throws when the entry cannot
    // be unpacked or read (a cancelled password leaves the buffer empty, which reads as no JPEG).
    void probe(const JpegEntry &entry)
    {
        UnpackEntryInto(reader_, entry.index, buffer_);
        ProbeScaledJpegData(buffer_.data());
    }

    static int width() { return ArchiveImageWidth; }
    static int height() { return ArchiveImageHeight; }

    // Exactly the probed entry is written, not every entry that shares its file name in other folders,
    // and it counts only when its file was written: not after Abort or Ignore in the reader's failure
    // dialog, a cancelled password, or a name that cannot name a file in the output folder. The probe
    // left the entry's verified bytes in the buffer; they are written as they are, not inflated again.
    void write(const JpegEntry &entry)
    {
        if (!reader_.WriteUnpackedEntryToFolder(entry.index, buffer_.data()))
            return;
        const QString written = reader_.BaseDir + entry.fileName;
        form_.CreatedExamples.push_back({nativePath(written), written});
        ++created_;
    }

    void stop(const QString &message)
    {
        form_.Panel1->hide();
        form_.desktop->showMessage(message);
        form_.EnableControls();
    }

    vx::Form1View &form_;
    vx::zip::ZipReader &reader_;
    const int wanted_;
    int created_ = 0;
    std::vector<int> order_;
    QBuffer buffer_;
};

} // namespace

void Button6Click(vx::Form1View &form, vx::zip::ZipReader &reader)
{
    if (form.ArchiveRunActive)
        return;
    bool isNumber = false;
    const int wanted = form.Edit2->text().toInt(&isNumber);
    if (!isNumber)
        return;
    form.Button8->hide();
    if (wanted > form.lbzip->count()) {
        form.desktop->showMessage(QStringLiteral("Желаемое количество примеров не может быть больше количества файлов"));
        return;
    }
    if (!form.ArchiveRecreatePending && !form.execute(form.fd2))
        return;
    // A run that got this far uses the pending re-create up, however it ends.
    form.ArchiveRecreatePending = false;

    ArchiveRunGuard active(form);
    form.DisableControls();
    form.Panel1->show();
    form.pb1->show();
    form.CreatedExamples.clear();
    Randomize();
    ArchiveExampleRun(form, reader, wanted).run();
    form.EnableControls();
    form.Panel1->hide();
    form.Button8->show();
}

void SpeedButton3Click(vx::Form1View &form, vx::zip::ZipReader &reader)
{
    if (form.ArchiveRunActive || !form.Button6->isEnabled())
        return;
    for (auto example = form.CreatedExamples.rbegin(); example != form.CreatedExamples.rend(); ++example)
        if (files::exists(example->path))
            files::remove(example->path);
    form.ArchiveRecreatePending = true;
    Randomize();
    if (form.Button6->isEnabled())
        Button6Click(form, reader);
}

} // namespace vx::archive
