#include "archive/NameMask.h"

namespace vx::zip {
namespace {

bool isSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }

QChar folded(QChar c) { return c.toCaseFolded(); }

} // namespace

QString normalizeMask(const QString &mask)
{
    QString m = mask;
    if (m.size() >= 2 && isSeparator(m[0]) && isSeparator(m[1])) {
        // \\server\share\rest: drop up to and including the separator after the share name.
        qsizetype i = 2;
        int parts = 0;
        while (i < m.size() && parts < 2) {
            if (isSeparator(m[i]))
                ++parts;
            ++i;
        }
        m = parts == 2 ? m.mid(i) : QString();
    } else if (m.size() >= 2 && m[1] == QLatin1Char(':') && m[0].isLetter()) {
        m = m.mid(2);
        if (!m.isEmpty() && isSeparator(m[0]))
            m = m.mid(1);
    }
    m.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (m == QLatin1String("*.*"))
        m = QStringLiteral("*");
    return m;
}

bool hasWildcards(const QString &mask)
{
    return mask.contains(QLatin1Char('*')) || mask.contains(QLatin1Char('?'));
}

QString fileNamePartOf(const QString &name)
{
    for (qsizetype i = name.size() - 1; i >= 0; --i)
        if (isSeparator(name[i]) || name[i] == QLatin1Char(':'))
            return name.mid(i + 1);
    return name;
}

bool entryMatchesMask(const QString &normalizedMask, const QString &entryName)
{
    if (normalizedMask == QLatin1String("*"))
        return true;
    QString full = entryName;
    if (!full.isEmpty() && isSeparator(full.back()))
        full.chop(1);
    const bool wild = hasWildcards(normalizedMask);
    // Without wildcards a plain comparison does; stored names may still use "\" (old DOS writers).
    auto matches = [&](const QString &text) {
        if (!wild) {
            if (text.size() != normalizedMask.size())
                return false;
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QChar a = text[i] == QLatin1Char('\\') ? QLatin1Char('/') : text[i];
                if (folded(a) != folded(normalizedMask[i]))
                    return false;
            }
            return true;
        }
        QString t = text;
        t.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return wildcardMatch(normalizedMask, t);
    };
    return matches(full) || matches(fileNamePartOf(full));
}

} // namespace vx::zip
