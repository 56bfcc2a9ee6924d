#pragma once
// The parts of a request URL that the client uses: host, port and request target.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vx::http {

struct UrlParts {
    QString host;
    quint16 port = 80;
    QString target; // path, document and query, "/" at least
    // The Host header value: the port is named only when it is not 80.
    QString hostHeader() const;
    // The directory of the target ("/a/b/" for "/a/b/c.php?x"), for cookie paths.
    QString directory() const;
};

// "http://host[:port][/path][?query]"; the scheme may be left out. Anything else (another scheme, no
// host, user information, a bad port) gives nothing.
std::optional<UrlParts> splitUrl(const QString &url);

} // namespace vx::http
