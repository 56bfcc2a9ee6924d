#pragma once
// The upload's HTTP client: one multipart POST at a time on the calling thread, HTTP/1.0 with
// "Connection: keep-alive", redirects and authorisation requests refused, cookies kept in memory.
// A connection that a reply leaves open is closed by the next post, never reused.

#include "upload/Connection.h"
#include "upload/CookieStore.h"
#include "upload/Deadline.h"
#include "upload/HttpLimits.h"
#include "upload/UploadUrl.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace vx {
class FormDataBody;
}

namespace vx::http {

class ReplyStream;
class HeaderBlock;

struct TimeLimits {
    int connectMs = kConnectTimeoutMs;
    int replyWaitMs = kReplyWaitTimeoutMs;
    int failedReplyWaitMs = kFailedReplyWaitTimeoutMs;
    int deadlineBaseMs = kDeadlineBaseMs;
    qint64 deadlineBodyBytesPerSecond = kDeadlineBodyBytesPerSecond;
};

class HttpClient {
public:
    // The TCP connector by default; tests and the fuzzer give one that serves bytes from memory.
    explicit HttpClient(std::unique_ptr<Connector> connector = nullptr);
    ~HttpClient();
    HttpClient(const HttpClient &) = delete;
    HttpClient &operator=(const HttpClient &) = delete;

    // Posts the body and returns the reply body as received; throws http::Failure.
    QByteArray PostMultipart(const QString &url, FormDataBody &body);

    void setTimeLimits(const TimeLimits &limits) { limits_ = limits; }
    // Tests watch or stand in for the connection; the next post uses the new connector.
    void setConnectorForTesting(std::unique_ptr<Connector> connector)
    {
        closeConnection();
        connector_ = std::move(connector);
    }
    const TimeLimits &timeLimits() const { return limits_; }

    // The store exists from the first reply header block on.
    const CookieStore *cookies() const { return cookies_ ? &*cookies_ : nullptr; }
    bool connectionOpen() const { return connection_ && connection_->isOpen(); }

    static constexpr const char *kAccept = "text/html, */*";
    static constexpr const char *kUserAgent = "Mozilla/3.0 (compatible; Vorlinex)";

private:
    QByteArray requestHead(const UrlParts &url, const FormDataBody &body);
    void sendBody(FormDataBody &body);
    // The reply body by Content-Length, chunks or the close; discarded bytes are not kept.
    QByteArray readBody(ReplyStream &in, const HeaderBlock &headers, bool discard);
    // Leaves the connection open only when it still is and the reply asked for keep-alive.
    void keepOrClose(const HeaderBlock &headers);
    void closeConnection();

    std::unique_ptr<Connector> connector_;
    std::unique_ptr<Connection> connection_;
    std::optional<CookieStore> cookies_;
    TimeLimits limits_;
    Deadline deadline_; // of the post under way
};

} // namespace vx::http
