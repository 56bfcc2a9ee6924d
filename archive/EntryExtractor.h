#pragma once
// Extracting one entry: from its local header through decryption and inflate to the size and check-sum
// tests, streaming into a sink.

#include "archive/ArchiveFile.h"
#include "archive/DirItem.h"
#include "archive/OutputSink.h"

#include <QString>

#include <cstdint>

namespace vx::zip {

// The reader's stored password and its dialog, as the extractor needs them.
class PasswordSource {
public:
    virtual ~PasswordSource() = default;
    virtual QString password() const = 0;
    // Asks the user for a new password for the entry; false on Cancel.
    virtual bool askAgain(const QString &entryName) = 0;
};

enum class ExtractOutcome { Extracted, Skipped };

struct ExtractLimits {
    // Entries declared larger are refused before anything is allocated (memory targets).
    uint64_t maxDeclaredSize = UINT64_MAX;
};

// In-memory extractions refuse entries declared above this size.
inline constexpr uint64_t MaxInMemoryEntrySize = uint64_t(512) << 20;

// Throws EZipError 8 (damaged, unsupported, size or check-sum mismatch, output past the declared size),
// 55 (Deflate64) or 65 (the sink took fewer bytes). Skipped: the user cancelled the password dialog.
ExtractOutcome extractEntry(ArchiveFile &file, const TDirItem &item, qint64 directoryStart, PasswordSource &passwords,
                            OutputSink &sink, const ExtractLimits &limits = {});

} // namespace vx::zip
