#pragma once
// Forward search for a 4-byte record signature through fixed windows of the file, each next window
// starting 4 bytes before the end of the previous one so that a signature on a window boundary is seen.

#include "archive/ArchiveFile.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace vx::zip {

// Keeps its current window, so a caller that walks from hit to hit (or rejects candidates one after
// the other) reads each part of the file once.
class SignatureScanner {
public:
    SignatureScanner(ArchiveFile &file, uint32_t signature, qint64 windowSize);

    // The first position >= from where the signature occurs and at least minBytes bytes (counted from
    // the position) remain in the file; nullopt when there is none.
    std::optional<qint64> next(qint64 from, qint64 minBytes);
    // n bytes at pos, from the current window when it holds them; false past the end of the file.
    bool read(qint64 pos, char *out, qint64 n);

private:
    bool load(qint64 start);

    ArchiveFile &file_;
    char sig_[4];
    qint64 windowSize_;
    QByteArray window_;
    qint64 windowStart_ = -1;
    qint64 windowLength_ = 0;
};

// One search without a kept window.
std::optional<qint64> findSignatureForward(ArchiveFile &file, qint64 from, uint32_t signature, qint64 windowSize,
                                           qint64 minBytes);

} // namespace vx::zip
