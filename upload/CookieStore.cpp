#include "upload/CookieStore.h"

#include "upload/HttpDate.h"
#include "upload/HttpLimits.h"


#include <algorithm>

namespace vx::http {
namespace {

// A lone CR or a control byte inside a Set-Cookie value would travel back into our own request.
bool hasControlBytes(const QByteArray &text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return true;
    return false;
}

bool isDottedIpv4(const QString &host)
{
    const QStringList parts = host.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString &p : parts) {
        bool ok = false;
        const uint v = p.toUInt(&ok);
        if (!ok || p.isEmpty() || p.size() > 3 || v > 255)
            return false;
    }
    return true;
}

} // namespace

std::optional<Cookie> CookieStore::parse(const QByteArray &headerValue, const QString &requestHost, const QDateTime &nowUtc)
{
    if (headerValue.size() > kMaxCookieBytes)
        return std::nullopt;
    const QList<QByteArray> items = headerValue.split(';');
    const QByteArray first = items.value(0).trimmed();
    const qsizetype eq = first.indexOf('=');
    Cookie cookie;
    cookie.name = (eq < 0 ? first : first.left(eq)).trimmed();
    cookie.value = eq < 0 ? QByteArray() : first.mid(eq + 1).trimmed();
    if (cookie.name.isEmpty() || hasControlBytes(headerValue))
        return std::nullopt;

    QByteArray expires, maxAge, domain;
    bool hasExpires = false, hasMaxAge = false;
    for (qsizetype i = 1; i < items.size(); ++i) {
        const QByteArray item = items[i].trimmed();
        const qsizetype at = item.indexOf('=');
        if (at < 0) {
            if (item.toUpper() == "SECURE")
                cookie.secure = true;
            continue;
        }
        const QByteArray name = item.left(at).trimmed().toUpper();
        const QByteArray value = item.mid(at + 1).trimmed();
        if (name == "PATH") {
            QByteArray path = value;
            if (path.startsWith('"'))
                path.remove(0, 1);
            if (path.endsWith('"'))
                path.chop(1);
            cookie.path = path;
        } else if (name == "EXPIRES") {
            expires = value;
            hasExpires = true;
        } else if (name == "DOMAIN") {
            domain = value;
        } else if (name == "MAX-AGE") {
            maxAge = value;
            hasMaxAge = true;
        }
    }
    if (hasExpires) {
        cookie.expiry = parseHttpDate(expires);
    } else if (hasMaxAge) {
        bool ok = false;
        const qint64 seconds = maxAge.toLongLong(&ok);
        // Capped at about 100 years so that the sum cannot overflow.
        if (ok && seconds >= 0)
            cookie.expiry = nowUtc.addSecs(std::min<qint64>(seconds, 100LL * 366 * 24 * 3600));
    }
    cookie.domain = domain.isEmpty() ? requestHost : QString::fromLatin1(domain);
    return cookie;
}

bool CookieStore::accepts(const QString &domain, const QString &host)
{
    if (isDottedIpv4(host))
        return domain == host;
    if (!domain.startsWith(QLatin1Char('.')))
        return domain == host;
    const qsizetype dot = host.indexOf(QLatin1Char('.'));
    return dot >= 0 && host.mid(dot) == domain;
}

bool CookieStore::domainMatches(const QString &domain, const QString &host)
{
    QString d = domain.toUpper();
    if (d.startsWith(QLatin1Char('.')))
        d.remove(0, 1);
    const QString h = host.toUpper();
    if (d.isEmpty())
        return false;
    return h == d || h.endsWith(QLatin1Char('.') + d);
}

int CookieStore::storeFrom(const HeaderBlock &headers, const QString &requestHost, const QDateTime &nowUtc,
                           int budget)
{
    QList<QByteArray> values = headers.values("Set-cookie");
    values += headers.values("Set-cookie2");
    int taken = 0;
    for (const QByteArray &v : values) {
        if (taken >= budget)
            break;
        ++taken;
        const std::optional<Cookie> cookie = parse(v, requestHost, nowUtc);
        if (cookie && accepts(cookie->domain, requestHost))
            put(*cookie);
    }
    return taken;
}

void CookieStore::put(const Cookie &cookie)
{
    auto domain = std::find_if(domains_.begin(), domains_.end(), [&](const Domain &d) { return d.name == cookie.domain; });
    if (domain == domains_.end()) {
        domains_.append({cookie.domain, {cookie}});
        return;
    }
    for (Cookie &c : domain->cookies) {
        if (c.name == cookie.name) {
            c = cookie;
            return;
        }
    }
    domain->cookies.append(cookie);
}

void CookieStore::pruneExpired(const QDateTime &nowUtc)
{
    for (Domain &d : domains_)
        d.cookies.removeIf([&](const Cookie &c) { return c.expiry.isValid() && c.expiry <= nowUtc; });
    domains_.removeIf([](const Domain &d) { return d.cookies.isEmpty(); });
}

QByteArray CookieStore::cookieHeader(const QString &host, const QString &directory) const
{
    const QByteArray dir = directory.toUtf8();
    QList<const Cookie *> sent;
    for (const Domain &d : domains_) {
        if (!domainMatches(d.name, host))
            continue;
        for (const Cookie &c : d.cookies)
            if (!c.secure && !c.value.isEmpty() && dir.startsWith(c.path))
                sent.append(&c);
    }
    std::stable_sort(sent.begin(), sent.end(), [](const Cookie *a, const Cookie *b) {
        return a->path.compare(b->path, Qt::CaseInsensitive) > 0;
    });
    QByteArray out;
    for (const Cookie *c : sent) {
        if (!out.isEmpty())
            out += "; ";
        out += c->name + '=' + c->value;
    }
    return out;
}

int CookieStore::size() const
{
    int n = 0;
    for (const Domain &d : domains_)
        n += d.cookies.size();
    return n;
}

} // namespace vx::http
