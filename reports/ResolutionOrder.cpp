#include "reports/ResolutionOrder.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vx::reports {

std::optional<QString> ResolutionText(int width, int height)
{
    if (width < 0 || height < 0 || width >= ResolutionLimit || height >= ResolutionLimit)
        return std::nullopt;
    return QStringLiteral("%1,%2").arg(width).arg(height);
}

double ResolutionSortKey(const QString &text)
{
    // QString::toDouble always reads the C locale's "." whatever the user's regional settings, so the
    // comma is swapped for it rather than relying on a locale whose decimal mark happens to be ",".
    QString decimal = text;
    decimal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double key = decimal.toDouble(&ok);
    // A non-finite key would break the strict ordering the sort relies on.
    return ok && std::isfinite(key) ? key : 0.0;
}

void SortResolutions(QStringList &texts)
{
    // Keys are computed once; a run over a large release sorts tens of thousands of texts.
    std::vector<std::pair<double, QString>> keyed;
    keyed.reserve(std::size_t(texts.size()));
    for (QString &t : texts)
        keyed.emplace_back(ResolutionSortKey(t), std::move(t));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        texts[qsizetype(i)] = std::move(keyed[i].second);
}

} // namespace vx::reports
