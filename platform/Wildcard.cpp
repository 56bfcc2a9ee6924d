#include "platform/Wildcard.h"

namespace vx {

bool wildcardMatch(const QString &mask, const QString &text)
{
    qsizetype m = 0, t = 0;
    qsizetype starMask = -1, starText = 0;
    while (t < text.size()) {
        if (m < mask.size() && mask[m] == QLatin1Char('*')) {
            starMask = m++;
            starText = t;
        } else if (m < mask.size() && (mask[m] == QLatin1Char('?') || mask[m].toCaseFolded() == text[t].toCaseFolded())) {
            ++m;
            ++t;
        } else if (starMask >= 0) {
            m = starMask + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == QLatin1Char('*'))
        ++m;
    return m == mask.size();
}

} // namespace vx
