#pragma once
// The reader's failure: a user text of the form "ZipReader1: <text> - Native error: 00012" and the
// numeric code. A few codes carry no instance prefix; that is how the reader has always shown them.

#include "platform/Error.h"

#include <QString>

namespace vx::zip {

enum ZipErrorCode : int {
    ErrOpenFailed = 0, // the platform's own open error; its text stands alone
    ErrExtractFailed = 8,
    ErrBlankFileName = 10,
    ErrArchiveNotFound = 12,
    ErrNotOpen = 13,
    ErrEntryNotFound = 15,
    ErrCannotCreate = 19,
    ErrInvalidArchive = 35,
    ErrNoZip64EndRecord = 40,
    ErrDeflate64 = 55,
    ErrDiskFull = 65,
};

class EZipError : public vx::Error {
public:
    EZipError(int code, const QString &message) : vx::Error(message), code_(code) {}
    int nativeCode() const { return code_; }

    // The error for code with its standard text; "%s" in the text is filled with arg.
    static EZipError make(int code, const QString &arg = {}, const QString &instanceName = QStringLiteral("ZipReader1"));
    // The standard text of a code, without prefix or suffix ("%s" left in place).
    static QString textOf(int code);

private:
    int code_;
};

} // namespace vx::zip
