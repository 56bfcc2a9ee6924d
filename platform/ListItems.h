#pragma once
// The page lists keep each entry's native path on its item, beside the text the item shows, so a
// removal or a clear takes both away at once and nothing else has to be kept in step.

#include "platform/NativePath.h"

#include <vector>

class QListWidget;
class QListWidgetItem;

namespace vx {

// Replaces the list's content by the entries, in their order, in one go.
void setListEntries(QListWidget &list, const std::vector<ListEntry> &entries);
// The native path of an item. An item added by its text alone (none of the program's lists does that)
// is taken to name the Unicode path it shows.
std::filesystem::path nativePathOf(const QListWidgetItem &item);
ListEntry entryOf(const QListWidgetItem &item);

} // namespace vx
