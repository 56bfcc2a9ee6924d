#include "archive/ExtractTarget.h"

#include "archive/NameMask.h"

namespace vx::zip {
namespace {

bool isUsablePart(const QString &part)
{
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
        return false;
    for (const QChar c : part)
        if (c.category() == QChar::Other_Control || c == QLatin1Char(':'))
            return false;
    return true;
}

} // namespace

std::optional<QString> safeFileNamePart(const QString &entryName)
{
    const QString part = fileNamePartOf(entryName);
    if (!isUsablePart(part))
        return std::nullopt;
    return part;
}

std::optional<QStringList> safeFolderParts(const QString &entryName)
{
    QString folder = entryName.left(entryName.size() - fileNamePartOf(entryName).size());
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &p : parts)
        if (!isUsablePart(p))
            return std::nullopt;
    return parts;
}

} // namespace vx::zip
