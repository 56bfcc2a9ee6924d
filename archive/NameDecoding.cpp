#include "archive/NameDecoding.h"

#include "archive/ZipFormat.h"
#include "platform/CodePage.h"

namespace vx::zip {
namespace {

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

QString decodeDirectoryName(QByteArrayView raw, uint16_t flags, bool oemNames)
{
    // Plain ASCII is the same in 866, 1251 and UTF-8; most names take this way and skip iconv.
    if (isAscii(raw))
        return QString::fromLatin1(raw);
    QByteArray bytes = raw.toByteArray();
    if (oemNames && !(flags & format::FlagUtf8Name))
        bytes = codepage::oemToAnsi(bytes);
    if (!isAscii(bytes) && codepage::isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return codepage::fromAnsi(bytes);
}

QString decodeRecoveredName(const QByteArray &raw, uint16_t flags, bool oemNames, bool endRecordFound)
{
    if (isAscii(raw))
        return QString::fromLatin1(raw);
    QByteArray bytes = raw;
    if (endRecordFound && oemNames && !(flags & format::FlagUtf8Name))
        bytes = codepage::oemToAnsi(bytes);
    return codepage::fromAnsi(bytes);
}

} // namespace vx::zip
