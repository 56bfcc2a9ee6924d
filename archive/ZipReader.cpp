#include "archive/ZipReader.h"

#include "archive/CentralDirectory.h"
#include "archive/EndRecord.h"
#include "archive/ExtractTarget.h"
#include "archive/NameMask.h"
#include "archive/OffsetCorrection.h"
#include "archive/OutputSink.h"
#include "archive/RecoveryScan.h"
#include "archive/ZipFormat.h"
#include "platform/Desktop.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"
#include "platform/TemporaryFile.h"
#include "platform/os/File.h"
#include "platform/os/FileInfo.h"
#include "platform/os/FileTime.h"
#include "platform/os/Rename.h"

#include <QDir>
#include <QFileInfo>

namespace vx::zip {
namespace {

constexpr int MaxPasswordLength = 255;
constexpr uint32_t FilteredAttributeBits = 0x02 | 0x04 | 0x08 | 0x10;

// The folder of a name, "/" separated, up to and including its last separator; "" at the root.
QString folderOf(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    const qsizetype cut = name.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? QString() : name.left(cut + 1);
}

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

// Whether shown (a folder as items show it, "\" separated) is folder with its "/" read as "\".
bool showsFolder(const QString &shown, QStringView folder)
{
    if (shown.size() != folder.size())
        return false;
    for (qsizetype i = 0; i < folder.size(); ++i)
        if (shown[i] != (folder[i] == QLatin1Char('/') ? QLatin1Char('\\') : folder[i]))
            return false;
    return true;
}

void applyAttributes(const QString &path, const TDirItem &item)
{
    const uint32_t mode = (item.externalAttributes >> 16) & 0777;
    // Unix writers keep the mode in the high half; some leave it 0, which must not lock the file away.
    if ((item.versionMadeBy >> 8) == format::HostUnix && mode != 0)
        files::setUnixPermissions(path, mode);
    else if (item.externalAttributes & format::AttrReadOnly)
        files::setReadOnly(path);
}

} // namespace

void ZipReader::OpenReadOnly() { open(nativePath(FileName)); }

void ZipReader::OpenReadOnly(const std::filesystem::path &file)
{
    FileName = shownText(file);
    open(file);
}

void ZipReader::open(const std::filesystem::path &file)
{
    const QString namePart = fileNamePartOf(FileName);
    if (namePart.isEmpty())
        throw error(ErrBlankFileName);
    if (!files::exists(file))
        throw error(ErrArchiveNotFound, FileName);
    CloseReader();
    QString systemError;
    if (!file_.open(file, systemError))
        throw EZipError(ErrOpenFailed, QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, systemError));
    try {
        const bool oem = Options.OEMFileNames;
        const std::optional<EndRecord> end = findEndRecord(file_);
        bool readDirectory = false;
        if (end) {
            archiveComment_ = end->comment;
            const DirectoryLocation where = locateDirectory(file_, *end);
            if (where.kind == DirectoryLocation::Found) {
                if (auto table = readCentralDirectory(file_, where.start, where.entries, oem)) {
                    table_ = std::move(*table);
                    directoryStart_ = where.start;
                    readDirectory = true;
                    if (where.lastDisk == 0)
                        leadingDataSize_ = correctOffsets(file_, table_, end->position);
                }
            }
        }
        if (!readDirectory) {
            table_ = recoverEntries(file_, oem, end.has_value());
            directoryStart_ = file_.size();
            recovered_ = true;
        }
    } catch (...) {
        CloseReader();
        throw;
    }
}

void ZipReader::CloseReader()
{
    file_.close();
    table_.clear();
    nameIndex_.clear();
    directoryStart_ = 0;
    leadingDataSize_ = 0;
    archiveComment_.clear();
    recovered_ = false;
}

void ZipReader::requireOpen() const
{
    if (!IsOpen())
        throw error(ErrNotOpen);
}

bool ZipReader::askAgain(const QString &entryName)
{
    if (!desktop_)
        return false;
    QString typed;
    if (!desktop_->askPassword(QStringLiteral("Password for \"%1\"").arg(entryName), QStringLiteral("Enter password: "),
                               MaxPasswordLength, typed))
        return false;
    Password = typed.left(MaxPasswordLength);
    return true;
}

bool ZipReader::candidateMatches(int row, const TZipArchiveItem::SearchState &search) const
{
    const TDirItem &entry = table_[row];
    if (entry.externalAttributes & FilteredAttributeBits & ~search.attributeFilter)
        return false;
    if (!search.recurse && folderOf(entry.name).compare(folderOf(search.mask), Qt::CaseInsensitive) != 0)
        return false;
    if (!entryMatchesMask(search.mask, entry.name))
        return false;
    if (!search.excludeMask.isEmpty() && entryMatchesMask(search.excludeMask, entry.name))
        return false;
    return true;
}

bool ZipReader::findFrom(TZipArchiveItem &item)
{
    TZipArchiveItem::SearchState &search = item.search;
    if (!search.recurse && !hasWildcards(search.mask)) {
        // Only the entry of exactly that name, through the index.
        if (search.position >= 0)
            return false;
        const int row = nameIndex_.find(table_, search.mask);
        if (row < 0)
            return false;
        search.position = row;
        if (!candidateMatches(row, search))
            return false;
        fill(row, item);
        return true;
    }
    for (int row = search.position + 1; row < table_.size(); ++row) {
        if (candidateMatches(row, search)) {
            search.position = row;
            fill(row, item);
            return true;
        }
    }
    search.position = int(table_.size());
    return false;
}

void ZipReader::fill(int row, TZipArchiveItem &item) const
{
    const TDirItem &entry = table_[row];
    // Split in place: a folder entry's closing separator is no part of either half, and the folder keeps
    // the string it had for the previous item when it is the same (entries of a folder come together).
    const QStringView name(entry.name);
    qsizetype end = name.size();
    if (end > 0 && isSeparator(name[end - 1]))
        --end;
    qsizetype cut = end - 1;
    while (cut >= 0 && !isSeparator(name[cut]) && name[cut] != QLatin1Char(':'))
        --cut;
    const QStringView folder = name.first(cut + 1);
    if (!showsFolder(item.EntryFolder, folder)) {
        item.EntryFolder = folder.toString();
        item.EntryFolder.replace(QLatin1Char('/'), QLatin1Char('\\'));
    }
    item.EntryFileName = name.sliced(cut + 1, end - cut - 1).toString();
    item.PackedSize = int64_t(entry.compressedSize());
    item.UnpackedSize = int64_t(entry.uncompressedSize());
    if (item.UnpackedSize > 0) {
        item.PackRatio = (1.0 - double(entry.compressedSize()) / double(entry.uncompressedSize())) * 100.0;
        if (item.PackRatio < 0)
            item.PackRatio = 0;
    } else {
        item.PackRatio = 100;
    }
    item.IsEncrypted = entry.isEncrypted();
    item.DosDate = entry.dosDate;
    item.DosTime = entry.dosTime;
    item.EntryCrc = entry.crc32;
    item.ExternalAttributes = entry.externalAttributes;
    item.EntryComment = entry.comment;
    item.EntryIndex = row;
}

bool ZipReader::FindFirstEntry(const QString &mask, const QString &excludeMask, uint32_t attributeFilter,
                               TZipArchiveItem &item)
{
    requireOpen();
    item.search = TZipArchiveItem::SearchState{-1, normalizeMask(mask),
                                               excludeMask.isEmpty() ? QString() : normalizeMask(excludeMask),
                                               attributeFilter, Options.Recurse};
    return findFrom(item);
}

bool ZipReader::FindNextEntry(TZipArchiveItem &item)
{
    requireOpen();
    return findFrom(item);
}

bool ZipReader::ExtractEntryToBuffer(const QString &name, QBuffer &buffer)
{
    requireOpen();
    int row = nameIndex_.find(table_, name);
    if (row < 0) {
        TZipArchiveItem found;
        found.search = TZipArchiveItem::SearchState{-1, normalizeMask(name), QString(), 0xFFFFFFFFu, false};
        if (!findFrom(found))
            throw error(ErrEntryNotFound, name);
        row = found.EntryIndex;
    }
    return ExtractEntryToBuffer(row, buffer);
}

bool ZipReader::ExtractEntryToBuffer(int index, QBuffer &buffer)
{
    requireOpen();
    if (index < 0 || index >= table_.size())
        throw error(ErrEntryNotFound, QString::number(index));
    BufferSink sink(buffer);
    try {
        ExtractLimits limits;
        limits.maxDeclaredSize = MaxInMemoryEntrySize;
        return extractEntry(file_, table_[index], directoryStart_, *this, sink, limits) == ExtractOutcome::Extracted;
    } catch (const EZipError &e) {
        sink.rollBack();
        // The lower layers do not know the instance name; give the message its prefix where it has one.
        throw error(e.nativeCode());
    }
}

QList<int> ZipReader::markMatching(const QString &name, uint32_t attributeFilter, const QString &excludeMask)
{
    QList<int> marked;
    TZipArchiveItem item;
    for (bool found = FindFirstEntry(name, excludeMask, attributeFilter, item); found; found = FindNextEntry(item))
        marked.append(item.EntryIndex);
    return marked;
}

int ZipReader::ExtractMatchingToFolder(const QString &name, uint32_t attributeFilter, const QString &excludeMask)
{
    requireOpen();
    int written = 0;
    for (const int row : markMatching(name, attributeFilter, excludeMask)) {
        bool ok = false;
        const bool goOn = settleEntry(row, ok);
        written += ok ? 1 : 0;
        if (!goOn)
            break;
    }
    return written;
}

bool ZipReader::ExtractEntryToFolder(int index)
{
    requireOpen();
    if (index < 0 || index >= table_.size())
        throw error(ErrEntryNotFound, QString::number(index));
    bool written = false;
    settleEntry(index, written);
    return written;
}

bool ZipReader::WriteUnpackedEntryToFolder(int index, const QByteArray &unpacked)
{
    requireOpen();
    if (index < 0 || index >= table_.size())
        throw error(ErrEntryNotFound, QString::number(index));
    // Bytes of another entry, or a cut buffer, must never pass as this entry's file.
    if (uint64_t(unpacked.size()) != table_[index].uncompressedSize())
        throw error(ErrExtractFailed);
    bool written = false;
    settleEntry(index, written, &unpacked);
    return written;
}

bool ZipReader::settleEntry(int row, bool &written, const QByteArray *unpacked)
{
    written = false;
    const TDirItem &entry = table_[row];
    if ((entry.externalAttributes & format::AttrDirectory) || entry.name.endsWith(QLatin1Char('/')))
        return true;
    for (;;) {
        try {
            written = writeEntryFile(row, unpacked);
            return true;
        } catch (const EZipError &e) {
            const FailureAnswer answer =
                desktop_ ? desktop_->askFailure(QStringLiteral("Confirm"),
                                                e.message() + QStringLiteral(". File processing error, possibly disk is full"))
                         : FailureAnswer::Ignore;
            if (answer == FailureAnswer::Retry)
                continue;
            return answer != FailureAnswer::Abort;
        }
    }
}

QString ZipReader::targetFolder() const { return BaseDir.isEmpty() ? QDir::currentPath() : BaseDir; }

bool ZipReader::writeEntryFile(int row, const QByteArray *unpacked)
{
    const TDirItem &entry = table_[row];
    const std::optional<QString> namePart = safeFileNamePart(entry.name);
    if (!namePart)
        return false;
    QString folder = targetFolder();
    if (Options.CreateDirs) {
        const std::optional<QStringList> parts = safeFolderParts(entry.name);
        if (!parts)
            return false;
        for (const QString &part : *parts) {
            folder = files::joinPath(folder, part);
            const QFileInfo info(folder);
            // A link placed in the output folder must not carry the entry elsewhere.
            if (info.isSymLink() || (info.exists() && !info.isDir()))
                throw error(ErrCannotCreate, files::joinPath(folder, *namePart));
            if (!info.exists() && !QDir().mkdir(folder))
                throw error(ErrCannotCreate, files::joinPath(folder, *namePart));
        }
    }
    const QString target = files::joinPath(folder, *namePart);
    const QFileInfo existing(target);
    const bool replacing = existing.exists() || existing.isSymLink();
    if (replacing && Options.OverwriteMode != omAlways)
        return false;
    // The entry is written under a temporary name beside the target and takes the target's name only
    // when its size and check sum are verified: a full disk keeps the old file, a kill leaves no half
    // photo under the name. The temporary file is created exclusively and never through a link.
    os::File out;
    std::error_code systemError;
    const std::optional<std::filesystem::path> temporary =
        files::createTemporaryFile(nativePath(folder), out, systemError);
    if (!temporary)
        throw error(ErrCannotCreate, target);

    std::optional<EZipError> failure;
    bool extracted = false;
    try {
        if (unpacked) {
            extracted = unpacked->isEmpty() || out.writeAll(unpacked->constData(), size_t(unpacked->size()), systemError);
            if (!extracted)
                failure = error(ErrDiskFull);
        } else {
            FileSink sink(out);
            extracted = extractEntry(file_, entry, directoryStart_, *this, sink) == ExtractOutcome::Extracted;
        }
    } catch (const EZipError &e) {
        failure = error(e.nativeCode());
    }
    // Set on the open file itself, so no name can be swapped under it.
    if (const auto time = os::fromDosDateTime({uint16_t(entry.dosDate), uint16_t(entry.dosTime)}))
        out.setModificationTime(*time, systemError);
    if (Options.FlushBuffers && files::isOnRemovableDrive(target))
        out.flush(systemError);
    const bool closed = out.close(systemError);
    if (!failure && !closed)
        failure = error(ErrDiskFull);
    if (failure || !extracted) {
        os::removeFile(*temporary, systemError);
        if (failure)
            throw *failure;
        return false;
    }
    // An old file goes only now, replaced in one step; a name that was free must still be free (a link
    // planted meanwhile makes the rename fail instead of being followed or replaced).
    bool named = false;
    if (replacing) {
        // A link is replaced as it is; clearing its attributes would change whatever it points to.
        if (Options.ReplaceReadOnly && !existing.isSymLink())
            files::clearReadOnly(target);
        named = os::renameReplacing(*temporary, nativePath(target), systemError);
    } else {
        named = os::renameNoReplace(*temporary, nativePath(target), systemError);
    }
    if (!named) {
        os::removeFile(*temporary, systemError);
        throw error(ErrCannotCreate, target);
    }
    if (Options.SetAttributes)
        applyAttributes(target, entry);
    return true;
}

} // namespace vx::zip
