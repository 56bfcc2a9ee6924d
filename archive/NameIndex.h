#pragma once
// Entry names, case ignored, to their rows. Keeps only a hash per row (the names themselves stay in the
// table), so a directory of 100,000 entries costs no second copy of every name. Built on the first
// lookup by name: listing, and the runs that reach entries by row, never pay for it.

#include "archive/DirItem.h"

#include <QList>
#include <QMultiHash>
#include <QString>

namespace vx::zip {

class NameIndex {
public:
    // Forgets the rows; the next lookup indexes the table it is given.
    void clear()
    {
        rows_.clear();
        built_ = false;
    }
    // The first row in directory order whose name equals name ignoring case, or -1.
    int find(const QList<TDirItem> &table, const QString &name) const;

private:
    void build(const QList<TDirItem> &table) const;

    mutable QMultiHash<size_t, int> rows_;
    mutable bool built_ = false;
};

} // namespace vx::zip
