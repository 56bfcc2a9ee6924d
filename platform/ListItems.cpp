#include "platform/ListItems.h"

#include <QListWidget>
#include <QVariant>

Q_DECLARE_METATYPE(std::filesystem::path)

namespace vx {

void setListEntries(QListWidget &list, const std::vector<ListEntry> &entries)
{
    list.clear();
    list.setUpdatesEnabled(false);
    for (const ListEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.text);
        item->setData(Qt::UserRole, QVariant::fromValue(entry.path));
        list.addItem(item);
    }
    list.setUpdatesEnabled(true);
}

std::filesystem::path nativePathOf(const QListWidgetItem &item)
{
    const QVariant data = item.data(Qt::UserRole);
    if (data.canConvert<std::filesystem::path>())
        return data.value<std::filesystem::path>();
    return nativePath(item.text());
}

ListEntry entryOf(const QListWidgetItem &item) { return {nativePathOf(item), item.text()}; }

} // namespace vx
