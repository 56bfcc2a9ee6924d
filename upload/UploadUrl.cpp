#include "upload/UploadUrl.h"

#include "upload/HttpLimits.h"

namespace vx::http {

QString UrlParts::hostHeader() const
{
    return port == kDefaultPort ? host : host + QLatin1Char(':') + QString::number(port);
}

QString UrlParts::directory() const
{
    QString path = target.left(target.indexOf(QLatin1Char('?')) < 0 ? target.size() : target.indexOf(QLatin1Char('?')));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QStringLiteral("/") : path.left(slash + 1);
}

std::optional<UrlParts> splitUrl(const QString &url)
{
    QString rest = url.trimmed();
    const qsizetype scheme = rest.indexOf(QStringLiteral("://"));
    if (scheme >= 0) {
        if (rest.left(scheme).compare(QStringLiteral("http"), Qt::CaseInsensitive) != 0)
            return std::nullopt;
        rest = rest.mid(scheme + 3);
    }
    qsizetype end = rest.size();
    for (QChar stop : {QLatin1Char('/'), QLatin1Char('?'), QLatin1Char('#')}) {
        const qsizetype at = rest.indexOf(stop);
        if (at >= 0 && at < end)
            end = at;
    }
    const QString authority = rest.left(end);
    QString target = rest.mid(end);
    const qsizetype fragment = target.indexOf(QLatin1Char('#'));
    if (fragment >= 0)
        target.truncate(fragment);
    if (!target.startsWith(QLatin1Char('/')))
        target.prepend(QLatin1Char('/'));

    UrlParts parts;
    parts.target = target;
    const qsizetype colon = authority.lastIndexOf(QLatin1Char(':'));
    parts.host = colon < 0 ? authority : authority.left(colon);
    if (colon >= 0) {
        bool ok = false;
        const uint port = authority.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            return std::nullopt;
        parts.port = static_cast<quint16>(port);
    }
    if (parts.host.isEmpty() || parts.host.contains(QLatin1Char('@')))
        return std::nullopt;
    // The target goes into the request line as it stands: a space or a line break would end it.
    for (QChar c : parts.target)
        if (c.unicode() <= ' ' || c.unicode() == 0x7f)
            return std::nullopt;
    for (QChar c : parts.host)
        if (c.unicode() <= ' ' || c.unicode() >= 0x7f)
            return std::nullopt;
    return parts;
}

} // namespace vx::http
