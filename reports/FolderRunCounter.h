#pragma once
// The "Папок: " figure of the technical data: the number of runs of consecutive list entries that lie in
// the same parent folder. A folder whose photos do not stand together in the list counts once per run,
// which is what the count has always meant to the users.

#include <QString>
#include <QStringList>

namespace vx::reports {

class FolderRunCounter {
public:
    // Starts with the first entry's folder as the previous folder and a count of 1.
    explicit FolderRunCounter(const QString &firstPath);

    // Counts a new run when path's parent folder differs (exact, case-sensitive text) from the previous one.
    void visit(const QString &path);
    int count() const { return count_; }

private:
    QString previousFolder_;
    int count_ = 1;
};

// The count over a whole list (0 for an empty list).
int CountFolderRuns(const QStringList &paths);

} // namespace vx::reports
