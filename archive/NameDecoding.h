#pragma once
// Entry names arrive as bytes: UTF-8 when flag bit 11 says so, otherwise in the writer's OEM code page
// (866 on the Russian systems this reader serves).

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace vx::zip {

// A name from the central directory. With oemNames on and bit 11 clear the bytes are converted 866 →
// 1251 first; then well-formed UTF-8 with at least one byte >= 0x80 is read as UTF-8, anything else as
// 1251. (So an unflagged UTF-8 name becomes unreadable after the OEM step, as the reader always did.)
QString decodeDirectoryName(QByteArrayView raw, uint16_t flags, bool oemNames);

// A name found by the recovery scan: converted 866 → 1251 under the same condition only when an end
// record was found, then always read as 1251.
QString decodeRecoveredName(const QByteArray &raw, uint16_t flags, bool oemNames, bool endRecordFound);

} // namespace vx::zip
