#include "reports/FolderSetList.h"

#include "reports/LastPathPart.h"
#include "reports/PathSeparators.h"

namespace vx::reports {

QString FolderSetName(const QString &photoPath)
{
    QString name = LastPathPart(ParentFolderText(photoPath));
    if (!name.isEmpty() && isPathSeparator(name.back()))
        name.chop(1);
    return name;
}

QStringList FolderSetList(const QStringList &photoPaths)
{
    QStringList sets;
    QString last;
    for (const QString &path : photoPaths) {
        QString name = FolderSetName(path);
        if (name != last) {
            sets << name;
            last = std::move(name);
        }
    }
    return sets;
}

} // namespace vx::reports
