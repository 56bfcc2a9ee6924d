#include "archive/NameIndex.h"

namespace vx::zip {

void NameIndex::build(const QList<TDirItem> &table) const
{
    rows_.clear();
    rows_.reserve(table.size());
    for (int i = 0; i < table.size(); ++i)
        rows_.insert(qHash(table[i].name.toLower()), i);
    built_ = true;
}

int NameIndex::find(const QList<TDirItem> &table, const QString &name) const
{
    if (!built_)
        build(table);
    const QString lowered = name.toLower();
    int found = -1;
    for (auto [it, end] = rows_.equal_range(qHash(lowered)); it != end; ++it) {
        const int row = it.value();
        // Hashes may collide; and of two entries with the same name the first in directory order wins.
        if ((found < 0 || row < found) && table[row].name.toLower() == lowered)
            found = row;
    }
    return found;
}

} // namespace vx::zip
