#include "reports/ResolutionOrder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vx::reports {

std::optional<QString> ResolutionText(int width, int height)
{
    if (width < 0 || height < 0 || width >= ResolutionLimit || height >= ResolutionLimit)
        return std::nullopt;
    return QStringLiteral("%1,%2").arg(width).arg(height);
}

namespace {

// "W,H" as the report writes it, read without a number parser: the digits of both sides as one integer
// over a power of ten. With at most 15 digits both are exact doubles, so the one division is the
// correctly rounded value a decimal parser gives. Anything else: nothing.
std::optional<double> plainResolutionKey(const QString &text)
{
    std::int64_t digits = 0;
    std::int64_t scale = 1;
    int count = 0;
    int comma = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u',' && comma < 0 && i > 0) {
            comma = int(i);
            continue;
        }
        if (c < u'0' || c > u'9' || ++count > 15)
            return std::nullopt;
        digits = digits * 10 + (c - u'0');
        if (comma >= 0)
            scale *= 10;
    }
    if (comma < 0 || comma == text.size() - 1)
        return std::nullopt;
    return double(digits) / double(scale);
}

} // namespace

double ResolutionSortKey(const QString &text)
{
    // Tens of thousands of keys in a large release: the texts the report writes skip the general parser.
    if (const std::optional<double> key = plainResolutionKey(text))
        return *key;
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
