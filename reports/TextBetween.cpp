#include "reports/TextBetween.h"

namespace vx::reports {

QString TextBetween(const QString &text, const QString &opening, const QString &closing)
{
    qsizetype start = 0;
    if (!opening.isEmpty()) {
        const qsizetype found = text.indexOf(opening);
        if (found >= 0)
            start = found + opening.size();
    }
    qsizetype end = text.size();
    if (!closing.isEmpty()) {
        // The closing delimiter is searched from the start of the text, not from behind the opening one,
        // so a closing delimiter that only stands in front of the start gives nothing.
        end = text.indexOf(closing);
        if (end < start)
            return QString();
    }
    return text.mid(start, end - start);
}

} // namespace vx::reports
