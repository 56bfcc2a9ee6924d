#include "fuzz/fuzz_zip_reader_run.h"

#include "archive/ZipReader.h"
#include "platform/Desktop.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace vx::fuzz {
namespace {

// Answers one password prompt with a second guess, then cancels; failures are ignored.
class FuzzDesktop final : public Desktop {
public:
    int passwordPrompts = 0;
    bool chooseFolder(const FolderDialogRequest &, QString &) override { return false; }
    void showMessage(const QString &) override {}
    void showInformation(const QString &, const QString &) override {}
    void showError(const QString &) override {}
    bool askYesNo(const QString &, const QString &) override { return false; }
    bool askPassword(const QString &, const QString &, int, QString &password) override
    {
        if (passwordPrompts++ > 0)
            return false;
        password = QStringLiteral("foofoofoo");
        return true;
    }
    FailureAnswer askFailure(const QString &, const QString &) override { return FailureAnswer::Ignore; }
    void openFolder(const QString &) override {}
    void openUrl(const QString &) override {}
    void setClipboardText(const QString &) override {}
    void processEvents() override {}
};

// Memory extraction of larger entries would only slow the fuzzer; the bound itself has its own tests.
constexpr uint64_t MaxFuzzEntrySize = uint64_t(4) << 20;
// Writing files is the slow part of a run; the target rules are the same for every entry after these.
constexpr int MaxFolderExtractions = 8;

} // namespace

ZipRunSummary runZipReaderInput(const uint8_t *data, size_t size, const QString &scratch)
{
    ZipRunSummary summary;
    const QString archivePath = scratch + QStringLiteral("/input.zip");
    const QString outDir = scratch + QStringLiteral("/out");
    {
        QFile f(archivePath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return summary;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QDir(outDir).removeRecursively();
    QDir().mkpath(outDir);

    FuzzDesktop desktop;
    zip::ZipReader reader(&desktop);
    reader.FileName = archivePath;
    reader.Password = QStringLiteral("foo");
    reader.Options.CreateDirs = false;
    reader.BaseDir = outDir;
    try {
        reader.OpenReadOnly();
    } catch (const zip::EZipError &) {
        return summary;
    }
    summary.opened = true;
    zip::TZipArchiveItem item;
    for (bool found = reader.FindFirstEntry(QStringLiteral("*.*"), QString(), zip::FilterEverything, item); found;
         found = reader.FindNextEntry(item)) {
        ++summary.entries;
        if (uint64_t(item.UnpackedSize) > MaxFuzzEntrySize)
            continue;
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        try {
            if (reader.ExtractEntryToBuffer(item.EntryIndex, buffer))
                ++summary.extracted;
        } catch (const zip::EZipError &) {
        }
        // Names through the mask search too: wildcards and separators in hostile names.
        try {
            QBuffer byName;
            reader.ExtractEntryToBuffer(item.EntryFolder + item.EntryFileName, byName);
        } catch (const zip::EZipError &) {
        }
        if (summary.entries <= MaxFolderExtractions && reader.ExtractEntryToFolder(item.EntryIndex))
            ++summary.written;
    }
    // Everything written must sit directly in the output folder.
    QDirIterator it(scratch, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        if (path == archivePath || path == outDir)
            continue;
        if (info.absolutePath() != QFileInfo(outDir).absoluteFilePath() || info.isDir() || info.isSymLink())
            summary.escaped = true;
    }
    return summary;
}

} // namespace vx::fuzz
