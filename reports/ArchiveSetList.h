#pragma once
// The set list of an archive release: one line per archive, its file name without the last extension.

#include <QStringList>

namespace vx::reports {

// "Set.One.zip" gives "Set.One"; a name without "." stays whole.
QString ArchiveSetName(const QString &archivePath);

// Every entry in list order; duplicates stay.
QStringList ArchiveSetList(const QStringList &archivePaths);

} // namespace vx::reports
