#include "upload/FolderDisplayName.h"

#include <QDir>

namespace vx {

QString FolderDisplayName(const QString &folder)
{
    const QChar separator = QDir::separator();
    // A drive root ("C:\") and the root "/" are the only short paths the folder dialog gives.
    if (folder.size() < 3)
        return folder;
    if (folder.size() == 3 && folder.endsWith(separator))
        return QString(folder[0]) + folder[2];
    for (qsizetype i = folder.size() - 2; i >= 0; --i)
        if (folder[i] == separator)
            return folder.mid(i + 1);
    return folder;
}

} // namespace vx
