#include "reports/ListWidgetTexts.h"

#include <QListWidget>

namespace vx::reports {

QStringList ListWidgetTexts(const QListWidget &list)
{
    QStringList texts;
    texts.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

} // namespace vx::reports
