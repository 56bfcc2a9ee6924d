#include "reports/LastPathPart.h"

#include "reports/PathSeparators.h"

#include <QDir>

namespace vx::reports {

namespace {
// A drive root names no set. On Windows every text under 4 characters is at most a drive with its
// separator ("C:\"); on Linux only "/" is a root, and "/a/" is the folder a.
bool namesNoSet(const QString &path)
{
    if (QDir::separator() == QLatin1Char('\\'))
        return path.size() < 4;
    return path.isEmpty() || path == QLatin1String("/");
}
} // namespace

QString LastPathPart(const QString &path)
{
    if (namesNoSet(path))
        return QString();
    // The search starts at the second-to-last character so that a folder path's own final separator
    // does not count.
    const qsizetype cut = lastSeparatorAtOrBefore(path, path.size() - 2);
    return path.mid(cut + 1);
}

} // namespace vx::reports
