#include "upload/FolderDisplayName.h"

#include <QDir>

namespace vx {

QString FolderDisplayName(const QString &folder)
{
    const QChar separator = QDir::separator();
    // On Windows a path under 4 characters is a drive root ("C:\"), shown as its letter and separator.
    // On Linux only "/" is a root; "/a/" is the folder a.
    if (separator == QLatin1Char('\\')) {
        if (folder.size() < 3)
            return folder;
        if (folder.size() == 3)
            return QString(folder[0]) + folder[2];
    } else if (folder == QLatin1String("/") || folder.isEmpty()) {
        return folder;
    }
    // Paths are native ("\" on Windows), but a text in Qt's own form ("/") still parts its names there.
    for (qsizetype i = folder.size() - 2; i >= 0; --i)
        if (folder[i] == separator || folder[i] == QLatin1Char('/'))
            return folder.mid(i + 1);
    return folder;
}

} // namespace vx
