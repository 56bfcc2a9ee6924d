#include "reports/PathSeparators.h"

#include <QDir>

namespace vx::reports {

bool isPathSeparator(QChar c) { return c == QDir::separator() || c == QLatin1Char('/'); }

qsizetype lastSeparatorAtOrBefore(const QString &text, qsizetype from)
{
    for (qsizetype i = std::min(from, text.size() - 1); i >= 0; --i)
        if (isPathSeparator(text.at(i)))
            return i;
    return -1;
}

QString ParentFolderText(const QString &path)
{
    return path.left(lastSeparatorAtOrBefore(path, path.size() - 1) + 1);
}

} // namespace vx::reports
