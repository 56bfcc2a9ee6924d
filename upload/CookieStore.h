#pragma once
// The client's cookies, in memory for the program run: taken from the Set-Cookie and Set-Cookie2
// fields of every reply header block, pruned of expired ones before each request, and sent back in one
// Cookie header to the hosts they belong to.

#include "upload/HttpLimits.h"
#include "upload/HeaderBlock.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace vx::http {

struct Cookie {
    QByteArray name;
    QByteArray value;
    QByteArray path;     // empty when the cookie came without PATH: sent for every path
    QString domain;      // the DOMAIN attribute, or the host of the request that set it
    QDateTime expiry;    // UTC; invalid for a cookie that lives as long as the program
    bool secure = false; // never sent: our connection is never encrypted
};

class CookieStore {
public:
    // A Set-Cookie value as it arrived from a request to host; nothing when it has no name or is too long.
    static std::optional<Cookie> parse(const QByteArray &headerValue, const QString &requestHost, const QDateTime &nowUtc);

    // Whether a cookie for domain may be set by a reply from host.
    static bool accepts(const QString &domain, const QString &host);
    // Whether a cookie of domain goes to host: the host is the domain or one of its sub-domains.
    static bool domainMatches(const QString &domain, const QString &host);

    // Takes the cookies of one header block: every Set-Cookie value, then every Set-Cookie2 value, at most
    // budget of them. A reply may carry several header blocks ("100" answers before the final one), so
    // the caller passes what is left of the reply's allowance; returns how many values were taken.
    int storeFrom(const HeaderBlock &headers, const QString &requestHost, const QDateTime &nowUtc,
                  int budget = kMaxCookiesPerReply);
    // Adds an accepted cookie or replaces the one of the same name in its domain.
    void put(const Cookie &cookie);
    // Removes every cookie whose expiry has come.
    void pruneExpired(const QDateTime &nowUtc);

    // The Cookie header value for a request to host whose target lies in directory; empty when no
    // cookie is to be sent.
    QByteArray cookieHeader(const QString &host, const QString &directory) const;

    int size() const;

private:
    struct Domain {
        QString name;
        QList<Cookie> cookies;
    };
    QList<Domain> domains_;
};

} // namespace vx::http
