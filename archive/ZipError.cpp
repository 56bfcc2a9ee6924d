#include "archive/ZipError.h"

namespace vx::zip {

QString EZipError::textOf(int code)
{
    switch (code) {
    case ErrExtractFailed: return QStringLiteral("Invalid size or check sum of file or unsupported compression format");
    case ErrBlankFileName: return QStringLiteral("File name is blank. Specify appropriate file name");
    case ErrArchiveNotFound: return QStringLiteral("File \"%s\" not found");
    case ErrNotOpen: return QStringLiteral("Archive is not open");
    case ErrEntryNotFound: return QStringLiteral("File \"%s\" not found");
    case ErrCannotCreate: return QStringLiteral("Cannot create file \"%s\"");
    case ErrInvalidArchive: return QStringLiteral("Invalid archive file.");
    case ErrNoZip64EndRecord: return QStringLiteral("Cannot find 64-bit directory end record");
    case ErrDeflate64: return QStringLiteral("Deflate64 compression method is not supported");
    case ErrDiskFull: return QStringLiteral("Disk is full. There is not enough free space on disk.");
    default: return QStringLiteral("Unknown error");
    }
}

EZipError EZipError::make(int code, const QString &arg, const QString &instanceName)
{
    // These texts come from the lower layers of the reader, which never knew the component's name.
    const bool withoutPrefix = code == ErrInvalidArchive || code == ErrNoZip64EndRecord || code == ErrDeflate64 ||
                               code == ErrDiskFull;
    QString text = textOf(code);
    text.replace(QStringLiteral("%s"), arg);
    QString message;
    if (!withoutPrefix)
        message = instanceName + QStringLiteral(": ");
    message += text + QStringLiteral(" - Native error: ") + QStringLiteral("%1").arg(code, 5, 10, QLatin1Char('0'));
    return EZipError(code, message);
}

} // namespace vx::zip
