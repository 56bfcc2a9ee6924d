#include "reports/ArchiveSetList.h"

#include "reports/PathSeparators.h"

namespace vx::reports {

QString ArchiveSetName(const QString &archivePath)
{
    QString name = archivePath.mid(lastSeparatorAtOrBefore(archivePath, archivePath.size() - 1) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

QStringList ArchiveSetList(const QStringList &archivePaths)
{
    QStringList sets;
    sets.reserve(archivePaths.size());
    for (const QString &path : archivePaths)
        sets << ArchiveSetName(path);
    return sets;
}

} // namespace vx::reports
