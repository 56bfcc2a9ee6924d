#include "reports/TechDataLines.h"

#include "reports/TextBetween.h"

namespace vx::reports {

QString DisplayResolution(const QString &text)
{
    const QString comma = QStringLiteral(",");
    return TextBetween(text, QString(), comma) + QLatin1Char('x') + TextBetween(text, comma, QString());
}

QStringList TechDataLines(int files, int folders, const QStringList &sortedResolutions)
{
    QString range;
    if (sortedResolutions.isEmpty())
        range = QString::fromUtf16(NoResolutionText);
    else
        range = DisplayResolution(sortedResolutions.first()) + QStringLiteral(" - ") +
                DisplayResolution(sortedResolutions.last());
    return {QStringLiteral("Файлов: ") + QString::number(files), QStringLiteral("Папок: ") + QString::number(folders),
            QStringLiteral("Разрешение : ") + range};
}

} // namespace vx::reports
