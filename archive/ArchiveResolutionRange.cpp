#include "archive/ArchiveResolutionRange.h"

namespace vx::archive {
namespace {

QString written(const Resolution &r) { return QStringLiteral("%1x%2").arg(r.width).arg(r.height); }

} // namespace

void ArchiveResolutionRange::offerMaximum(const Resolution &candidate)
{
    if (candidate.width >= MaximumResolutionLimit || candidate.height >= MaximumResolutionLimit)
        return;
    if (candidate.width > maximum.width || candidate.height > maximum.height)
        maximum = candidate;
}

void ArchiveResolutionRange::offerMinimum(const Resolution &candidate)
{
    if (candidate.width < minimum.width || candidate.height < minimum.height)
        minimum = candidate;
}

QStringList ArchiveTechDataLines(int archives, int photos, const ArchiveResolutionRange &range)
{
    return {QStringLiteral("Архивов: ") + QString::number(archives),
            QStringLiteral("Всего фото: ") + QString::number(photos),
            QStringLiteral("Разрешение: ") + written(range.minimum) + QStringLiteral(" - ") + written(range.maximum)};
}

} // namespace vx::archive
