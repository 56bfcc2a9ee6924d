#include "reports/SpecialFile.h"

#include <QFileInfo>

namespace vx::reports {

bool IsSpecialFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

QString SpecialFileReason() { return QStringLiteral("Not a regular file"); }

} // namespace vx::reports
