#include "reports/LastPathPart.h"

#include "reports/PathSeparators.h"

namespace vx::reports {

QString LastPathPart(const QString &path)
{
    // Shorter texts are at most a drive root with its separator ("C:\"), which names no set.
    if (path.size() < 4)
        return QString();
    // The search starts at the second-to-last character so that a folder path's own final separator
    // does not count.
    const qsizetype cut = lastSeparatorAtOrBefore(path, path.size() - 2);
    return path.mid(cut + 1);
}

} // namespace vx::reports
