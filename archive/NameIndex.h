#pragma once
// Entry names, case ignored, to their rows. Keeps only a hash per row (the names themselves stay in the
// table), so a directory of 100,000 entries costs no second copy of every name.

#include "archive/DirItem.h"

#include <QList>
#include <QMultiHash>
#include <QString>

namespace vx::zip {

class NameIndex {
public:
    void build(const QList<TDirItem> &table);
    void clear() { rows_.clear(); }
    // The first row in directory order whose name equals name ignoring case, or -1.
    int find(const QList<TDirItem> &table, const QString &name) const;

private:
    QMultiHash<size_t, int> rows_;
};

} // namespace vx::zip
