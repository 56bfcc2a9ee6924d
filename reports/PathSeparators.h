#pragma once
// Which characters end a folder in the paths of the page lists. The native separator is the one the
// folder walk writes; "/" is accepted everywhere as well because Qt hands it out on every platform.

#include <QChar>
#include <QString>

namespace vx::reports {

bool isPathSeparator(QChar c);

// Index of the last separator in text at or before position from (-1 when there is none).
qsizetype lastSeparatorAtOrBefore(const QString &text, qsizetype from);

// The parent folder of a full path as text: everything up to and including the last separator
// (empty when the path holds none).
QString ParentFolderText(const QString &path);

} // namespace vx::reports
