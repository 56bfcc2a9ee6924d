#pragma once
// The three lines that the technical-data box of the folder page shows.

#include <QStringList>

namespace vx::reports {

// "Разрешение : нет данных" stands in the third line when no photo gave a usable size.
inline constexpr const char16_t *NoResolutionText = u"нет данных";

// A "W,H" text written as "WxH".
QString DisplayResolution(const QString &text);

// "Файлов: " files, "Папок: " folders, "Разрешение : " lowest " - " highest, where sortedResolutions is
// already in key order (lowest first).
QStringList TechDataLines(int files, int folders, const QStringList &sortedResolutions);

} // namespace vx::reports
