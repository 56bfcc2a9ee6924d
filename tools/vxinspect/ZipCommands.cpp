// zip-list, zip-names, zip-cat, zip-extract: the ZIP reader from the command line, for regression tests and
// benchmarks. The password dialog answers once with the password given on the command line and
// cancels after that; the failure dialog answers "Ignore" and its text goes to standard error.
#include "tools/vxinspect/Commands.h"

#include "archive/ZipReader.h"
#include "platform/Desktop.h"

#include <QBuffer>
#include <QDir>

#include <cstdio>
#include <optional>

namespace {

class ConsoleDesktop final : public vx::Desktop {
public:
    explicit ConsoleDesktop(std::optional<QString> password) : password_(std::move(password)) {}

    bool chooseFolder(const vx::FolderDialogRequest &, QString &) override { return false; }
    void showMessage(const QString &text) override { printError(text); }
    void showInformation(const QString &, const QString &text) override { printError(text); }
    void showError(const QString &text) override { printError(text); }
    bool askYesNo(const QString &, const QString &) override { return false; }
    bool askPassword(const QString &, const QString &, int maxLength, QString &password) override
    {
        if (!password_)
            return false;
        password = password_->left(maxLength);
        password_.reset();
        return true;
    }
    vx::FailureAnswer askFailure(const QString &, const QString &text) override
    {
        printError(text);
        return vx::FailureAnswer::Ignore;
    }
    void openFolder(const QString &) override {}
    void openUrl(const QString &) override {}
    void setClipboardText(const QString &) override {}
    void processEvents() override {}

    static void printError(const QString &text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

private:
    std::optional<QString> password_;
};

std::optional<QString> optionalArgument(const QStringList &args, int index)
{
    if (index < args.size())
        return args.at(index);
    return std::nullopt;
}

// The archive by its native path, so that a name that is not UTF-8 (1251 bytes on Linux) opens too.
bool openArchive(vx::zip::ZipReader &reader, const QStringList &args)
{
    try {
        reader.OpenReadOnly(vxinspect::argumentPath(args, 0));
        return true;
    } catch (const vx::Error &e) {
        ConsoleDesktop::printError(e.message());
        return false;
    }
}

// Finds every entry as the archive page finds them; line(item, out) appends each entry's line. The lines
// go to standard output through one buffer flushed in large pieces: a listing of 100,000 entries must
// not cost a write per line.
template <typename Line>
int listEntries(vx::zip::ZipReader &reader, Line line)
{
    QByteArray out;
    out.reserve(1 << 20);
    vx::zip::TZipArchiveItem item;
    for (bool found = reader.FindFirstEntry(QStringLiteral("*.*"), QString(), vx::zip::FilterEverything, item); found;
         found = reader.FindNextEntry(item)) {
        line(item, out);
        if (out.size() >= (1 << 20) - 4096) {
            std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
            out.clear();
        }
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int zipList(const QStringList &args)
{
    if (args.size() < 1 || args.size() > 2)
        return 2;
    ConsoleDesktop desktop(optionalArgument(args, 1));
    vx::zip::ZipReader reader(&desktop);
    if (!openArchive(reader, args))
        return 1;
    return listEntries(reader, [](const vx::zip::TZipArchiveItem &item, QByteArray &out) {
        char numbers[96];
        out += (item.EntryFolder + item.EntryFileName).toUtf8();
        const int n = std::snprintf(numbers, sizeof numbers, "\t%lld\t%lld\t%08x\t%x\t%d\n",
                                    static_cast<long long>(item.UnpackedSize), static_cast<long long>(item.PackedSize),
                                    item.EntryCrc, item.ExternalAttributes, item.IsEncrypted ? 1 : 0);
        out.append(numbers, n);
    });
}

// The entries' names as stored, one per line: unzip -Z1's output.
int zipNames(const QStringList &args)
{
    if (args.size() != 1)
        return 2;
    ConsoleDesktop desktop(std::nullopt);
    vx::zip::ZipReader reader(&desktop);
    if (!openArchive(reader, args))
        return 1;
    return listEntries(reader, [&reader](const vx::zip::TZipArchiveItem &item, QByteArray &out) {
        out += reader.Entry(item.EntryIndex).name.toUtf8();
        out += '\n';
    });
}

int zipCat(const QStringList &args)
{
    if (args.size() < 2 || args.size() > 3)
        return 2;
    ConsoleDesktop desktop(optionalArgument(args, 2));
    vx::zip::ZipReader reader(&desktop);
    if (!openArchive(reader, args))
        return 1;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    try {
        if (!reader.ExtractEntryToBuffer(args.at(1), buffer)) {
            ConsoleDesktop::printError(QStringLiteral("vxinspect: entry skipped, the password dialog was cancelled"));
            return 3;
        }
    } catch (const vx::Error &e) {
        ConsoleDesktop::printError(e.message());
        return 1;
    }
    const QByteArray &bytes = buffer.data();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int zipExtract(const QStringList &args)
{
    if (args.size() < 3 || args.size() > 4)
        return 2;
    ConsoleDesktop desktop(optionalArgument(args, 3));
    vx::zip::ZipReader reader(&desktop);
    // As the archive page runs it: file-name parts only, straight into the folder.
    reader.Options.StorePath = vx::zip::spNoPath;
    reader.Options.CreateDirs = false;
    if (!openArchive(reader, args))
        return 1;
    reader.BaseDir = QDir::toNativeSeparators(args.at(2)); // native, as the folder dialog gives folders
    try {
        reader.ExtractMatchingToFolder(args.at(1));
    } catch (const vx::Error &e) {
        ConsoleDesktop::printError(e.message());
        return 1;
    }
    return 0;
}

vxinspect::CommandRegistration listReg("zip-list", "ARCHIVE [PASSWORD]", &zipList);
vxinspect::CommandRegistration namesReg("zip-names", "ARCHIVE", &zipNames);
vxinspect::CommandRegistration catReg("zip-cat", "ARCHIVE NAME [PASSWORD]", &zipCat);
vxinspect::CommandRegistration extractReg("zip-extract", "ARCHIVE NAME DIR [PASSWORD]", &zipExtract);

} // namespace
