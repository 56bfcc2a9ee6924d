#include "reports/ResultText.h"

namespace vx::reports {

QString ResultText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1Char('\n');
    }
    return text;
}

int ResultLineCount(const QString &text)
{
    const int breaks = int(text.count(QLatin1Char('\n')));
    const bool finalLineEmpty = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    return finalLineEmpty ? breaks : breaks + 1;
}

} // namespace vx::reports
