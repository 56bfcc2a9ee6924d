#pragma once
// The entries of a page list as plain texts, in list order.

#include <QStringList>

class QListWidget;

namespace vx::reports {

QStringList ListWidgetTexts(const QListWidget &list);

} // namespace vx::reports
