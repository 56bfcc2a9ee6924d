#include "reports/FolderRunCounter.h"

#include "reports/PathSeparators.h"

namespace vx::reports {

FolderRunCounter::FolderRunCounter(const QString &firstPath) : previousFolder_(ParentFolderText(firstPath)) {}

void FolderRunCounter::visit(const QString &path)
{
    QString folder = ParentFolderText(path);
    if (folder != previousFolder_) {
        previousFolder_ = std::move(folder);
        ++count_;
    }
}

int CountFolderRuns(const QStringList &paths)
{
    if (paths.isEmpty())
        return 0;
    FolderRunCounter counter(paths.first());
    for (const QString &path : paths)
        counter.visit(path);
    return counter.count();
}

} // namespace vx::reports
