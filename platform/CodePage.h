#pragma once
// The code pages of the OS layer (platform/os/CodePage.h) in Qt's types.

#include <QByteArray>
#include <QString>

namespace vx::codepage {

// OEM 866 bytes to ANSI 1251 bytes; a character without a 1251 form becomes '?'.
QByteArray oemToAnsi(const QByteArray &oem);
// ANSI 1251 bytes to text.
QString fromAnsi(const QByteArray &ansi);
// OEM 866 bytes to text.
QString fromOem(const QByteArray &oem);
// Text to ANSI 1251 bytes; characters without a 1251 form become '?'.
QByteArray toAnsi(const QString &text);
// True when bytes form well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool isValidUtf8(const QByteArray &bytes);

} // namespace vx::codepage
