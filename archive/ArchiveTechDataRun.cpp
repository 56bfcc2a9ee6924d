#include "archive/ArchiveTechDataRun.h"

#include "archive/ArchiveResolutionRange.h"
#include "archive/ArchiveRunGuard.h"
#include "archive/EntryUnpack.h"
#include "archive/JpegEntryList.h"
#include "archive/SizeListEnds.h"
#include "imaging/JpegMarkers.h"

#include "platform/ListItems.h"

#include <QBuffer>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace vx::archive {
namespace {

class TechDataRun {
public:
    TechDataRun(vx::Form1View &form, vx::zip::ZipReader &reader) : form_(form), reader_(reader) {}

    void run()
    {
        form_.Button8->hide();
        form_.DisableControls();
        // An empty list would ask for a maximum of -1, which drags the bar's minimum along with it.
        form_.pb1->setMaximum(std::max(form_.lbzip->count() - 1, 0));
        form_.pb1->setValue(0);
        form_.pb1->show();
        form_.Label3->setText(QStringLiteral("Пересчёт тех. данных..."));
        form_.AbortRequested = false;
        form_.Panel1->show();

        for (int i = 0; i < form_.lbzip->count(); ++i) {
            form_.desktop->processEvents();
            form_.showProgress(i);
            if (form_.AbortRequested) {
                form_.becomeIdle();
                form_.Label3->clear();
                form_.Button8->show();
                form_.zipinfmemo->clear();
                return;
            }
            if (const QListWidgetItem *item = form_.lbzip->item(i))
                archive(nativePathOf(*item));
        }

        form_.pb1->setValue(std::max(form_.lbzip->count() - 1, 0));
        form_.zipinfmemo->setPlainText(
            ArchiveTechDataLines(form_.lbzip->count(), total_, range_).join(QLatin1Char('\n')));
        form_.Button8->hide();
        form_.EnableControls();
        form_.Panel1->hide();
    }

private:
    // Opening and listing are not guarded: an archive that cannot be read ends the run with its message.
    void archive(const std::filesystem::path &path)
    {
        reader_.OpenReadOnly(path);
        reader_.Options.StorePath = vx::zip::spNoPath;

        const QList<JpegEntry> names = ListJpegEntries(reader_);
        SizeListEnds sizes;
        for (const JpegEntry &entry : names)
            sizes.insert(entry);
        total_ += int(names.size());

        const JpegEntry *lowest = sizes.isEmpty() ? nullptr : &sizes.first();
        const JpegEntry *highest = sizes.isEmpty() ? nullptr : &sizes.last();
        if (first_) {
            // The minimum starts from a real measurement of the first archive, not from 0.
            measure(lowest, range_.minimum);
            first_ = false;
        }
        measure(highest, maxCandidate_);
        range_.offerMaximum(maxCandidate_);
        measure(lowest, minCandidate_);
        range_.offerMinimum(minCandidate_);

        EmptyBuffer(buffer_);
        reader_.CloseReader();
    }

    // Reads the frame header of entry into target. An entry that cannot be unpacked (none in the archive,
    // a failed check, a cancelled password) or holds no frame header leaves target as it was: the pair
    // keeps the values last measured into it, and comparing them again changes nothing.
    void measure(const JpegEntry *entry, Resolution &target)
    {
        EmptyBuffer(buffer_);
        try {
            if (entry)
                UnpackEntryInto(reader_, entry->index, buffer_);
        } catch (const std::exception &) {
        }
        ReadJpegSizeFromStream(buffer_.data(), target.width, target.height);
    }

    vx::Form1View &form_;
    vx::zip::ZipReader &reader_;
    ArchiveResolutionRange range_;
    Resolution maxCandidate_, minCandidate_;
    int total_ = 0;
    bool first_ = true;
    QBuffer buffer_;
};

} // namespace

void Button8Click(vx::Form1View &form, vx::zip::ZipReader &reader)
{
    if (form.ArchiveRunActive)
        return;
    ArchiveRunGuard active(form);
    TechDataRun(form, reader).run();
}

} // namespace vx::archive
