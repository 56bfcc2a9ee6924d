#pragma once
// The read-only ZIP reader the archive page works with (the main window owns one, ZipReader1): opens an
// archive, lists its entries by name mask, unpacks one entry into memory and unpacks entries into the
// output folder. All failures are EZipError; dialogs (password, failure) go through Desktop.

#include "archive/ArchiveFile.h"
#include "archive/DirItem.h"
#include "archive/EntryExtractor.h"
#include "archive/NameIndex.h"
#include "archive/ZipArchiveItem.h"
#include "archive/ZipError.h"

#include <QBuffer>
#include <QList>
#include <QString>

#include <filesystem>

#include <cstdint>

namespace vx {
class Desktop;
}

namespace vx::zip {

enum TStorePath { spNoPath, spRelativePath, spFullPath };
enum TOverwriteMode { omNever, omAlways };
enum TZip64Mode { zmDisabled, zmAuto, zmAlways };

struct TZipOptions {
    TStorePath StorePath = spRelativePath; // concerns writing only; masks lose a drive prefix either way
    bool CreateDirs = true;                // false: write entries under their file-name part only
    bool Recurse = true;                   // searches look into every folder of the archive
    TOverwriteMode OverwriteMode = omAlways;
    bool ReplaceReadOnly = true;
    bool SetAttributes = true;
    bool FlushBuffers = true; // flush written files that lie on a removable drive
    bool OEMFileNames = true; // names without the UTF-8 flag are OEM (866) text
};

// Attribute filters of the callers: 79 leaves out directories, 10431 leaves out nothing.
inline constexpr uint32_t FilterNoDirectories = 79;
inline constexpr uint32_t FilterEverything = 10431;

class ZipReader final : private PasswordSource {
public:
    explicit ZipReader(Desktop *desktop = nullptr) : desktop_(desktop) {}
    ~ZipReader() override { CloseReader(); }
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    void setDesktop(Desktop *desktop) { desktop_ = desktop; }

    QString Name = QStringLiteral("ZipReader1"); // the instance name in error messages
    QString FileName;
    QString BaseDir;
    TZipOptions Options;
    QString Password; // tried first on encrypted entries; survives closing and reopening
    // A failed size or check-sum test is always an error here, and Zip64 matters for writing only.
    static constexpr bool ExtractCorruptedFiles = false;
    static constexpr TZip64Mode Zip64Mode = zmDisabled;

    // Opens FileName and loads its directory (closing what was open first). A failure leaves it closed.
    void OpenReadOnly();
    // Opens the archive at its native path (a list entry's), FileName becoming the path's shown text.
    void OpenReadOnly(const std::filesystem::path &file);
    void CloseReader();
    bool IsOpen() const { return file_.isOpen(); }

    // The first entry in directory order that matches mask (and not excludeMask) and passes the
    // attribute filter; false when none does.
    bool FindFirstEntry(const QString &mask, const QString &excludeMask, uint32_t attributeFilter,
                        TZipArchiveItem &item);
    bool FindNextEntry(TZipArchiveItem &item);

    // Unpacks the entry called name (exact name first, then the name as a mask in the archive root's
    // sense) into buffer at its current position. False when the user cancelled the password dialog:
    // then nothing is written. Throws 13, 15, 8, 55.
    bool ExtractEntryToBuffer(const QString &name, QBuffer &buffer);
    // The same for the entry table row index (TZipArchiveItem::EntryIndex).
    bool ExtractEntryToBuffer(int index, QBuffer &buffer);

    // Unpacks every entry matching name into BaseDir; failures of single entries are settled with the
    // user in the "Confirm" dialog and not raised. Returns the number of files written.
    int ExtractMatchingToFolder(const QString &name, uint32_t attributeFilter = FilterEverything,
                                const QString &excludeMask = {});
    // Unpacks exactly the entry of row index under the same target rules; true when its file was written.
    bool ExtractEntryToFolder(int index);
    // The same for an entry already unpacked and verified into memory (ExtractEntryToBuffer): its bytes
    // are written as they are, so a photo that was probed is not inflated a second time. Throws 8 when
    // unpacked does not have the entry's size.
    bool WriteUnpackedEntryToFolder(int index, const QByteArray &unpacked);

    // The open archive.
    int EntryCount() const { return int(table_.size()); }
    const TDirItem &Entry(int index) const { return table_.at(index); }
    qint64 DirectoryStart() const { return directoryStart_; }
    qint64 LeadingDataSize() const { return leadingDataSize_; }
    QByteArray ArchiveComment() const { return archiveComment_; }
    bool ReadByRecoveryScan() const { return recovered_; }
    // The row of the entry whose name equals name ignoring case, or -1.
    int IndexOf(const QString &name) const { return nameIndex_.find(table_, name); }

private:
    QString password() const override { return Password; }
    bool askAgain(const QString &entryName) override;

    EZipError error(int code, const QString &arg = {}) const { return EZipError::make(code, arg, Name); }
    void requireOpen() const;
    bool findFrom(TZipArchiveItem &item);
    bool candidateMatches(int row, const TZipArchiveItem::SearchState &search) const;
    void fill(int row, TZipArchiveItem &item) const;
    QList<int> markMatching(const QString &name, uint32_t attributeFilter, const QString &excludeMask);
    // One entry into the output folder with the failure dialog; false when it ended in Abort.
    bool settleEntry(int row, bool &written, const QByteArray *unpacked = nullptr);
    bool writeEntryFile(int row, const QByteArray *unpacked); // throws; false when skipped
    QString targetFolder() const;
    void open(const std::filesystem::path &file);

    Desktop *desktop_;
    ArchiveFile file_;
    QList<TDirItem> table_;
    NameIndex nameIndex_;
    qint64 directoryStart_ = 0;
    qint64 leadingDataSize_ = 0;
    QByteArray archiveComment_;
    bool recovered_ = false;
};

} // namespace vx::zip
