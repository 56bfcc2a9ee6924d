#include "upload/HttpClient.h"

#include "upload/FormDataBody.h"
#include "upload/HeaderBlock.h"
#include "upload/HeaderFolding.h"
#include "upload/HttpFailure.h"
#include "upload/ReplyStream.h"
#include "upload/TcpConnection.h"

#include <QDateTime>

namespace vx::http {
namespace {

[[noreturn]] void fail(FailureKind kind, const char *what) { throw Failure(kind, QString::fromLatin1(what)); }

[[noreturn]] void failRead(LineStatus s)
{
    if (s == LineStatus::TooLong)
        fail(FailureKind::LineTooLong, "reply line over the line limit");
    fail(FailureKind::Receive, s == LineStatus::TimedOut ? "no reply data in time" : "connection failed");
}

[[noreturn]] void failRead(ReadStatus s)
{
    if (s == ReadStatus::Closed)
        fail(FailureKind::ShortBody, "connection closed before the end of the body");
    fail(FailureKind::Receive, s == ReadStatus::TimedOut ? "no reply data in time" : "connection failed");
}

bool isKeepAlive(const QByteArray &value) { return value.trimmed().compare("keep-alive", Qt::CaseInsensitive) == 0; }

// The chunk size before its first space, in hex; text that is not hex counts as 0, as the old servers
// that put extensions or junk there expect. Sizes of more digits than any real size are refused.
quint64 chunkSize(const QByteArray &line)
{
    const qsizetype space = line.indexOf(' ');
    const QByteArray digits = space < 0 ? line : line.left(space);
    if (digits.size() > kMaxChunkSizeDigits)
        fail(FailureKind::BadChunk, "chunk size of too many digits");
    quint64 v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return 0;
        v = v * 16 + static_cast<quint64>(d);
    }
    return v;
}

// Reads count bytes in pieces, so that a discarded body never sits in memory whole.
void readCount(ReplyStream &in, qint64 count, QByteArray &out, bool discard)
{
    while (count > 0) {
        const qint64 piece = discard ? std::min<qint64>(count, kReceiveBufferBytes) : count;
        if (discard)
            out.clear();
        const ReadStatus s = in.readExact(piece, out);
        if (s != ReadStatus::Data)
            failRead(s);
        count -= piece;
    }
    if (discard)
        out.clear();
}

} // namespace

HttpClient::HttpClient(std::unique_ptr<Connector> connector)
    : connector_(connector ? std::move(connector) : std::make_unique<TcpConnector>())
{
}

HttpClient::~HttpClient() { closeConnection(); }

void HttpClient::closeConnection()
{
    if (connection_) {
        connection_->close();
        connection_.reset();
    }
}

void HttpClient::keepOrClose(const HeaderBlock &headers)
{
    const bool keep = connection_ && connection_->isOpen()
        && (isKeepAlive(headers.value("Connection")) || isKeepAlive(headers.value("Proxy-Connection")));
    if (!keep)
        closeConnection();
}

QByteArray HttpClient::requestHead(const UrlParts &url, const FormDataBody &body)
{
    QList<QPair<QByteArray, QByteArray>> headers = {
        {"Connection", "keep-alive"},
        {"Content-Type", body.ContentTypeHeader().toLatin1()},
        {"Content-Length", QByteArray::number(body.TotalSize())},
        {"Host", url.hostHeader().toLatin1()},
        {"Accept", kAccept},
        {"User-Agent", kUserAgent},
    };
    if (cookies_) {
        cookies_->pruneExpired(QDateTime::currentDateTimeUtc());
        headers.append({"Cookie", cookies_->cookieHeader(url.host, url.directory())});
    }
    QByteArray head = "POST " + url.target.toUtf8() + " HTTP/1.0\r\n";
    for (const auto &h : headers) {
        if (h.second.isEmpty())
            continue;
        for (const QByteArray &piece : foldHeaderLine(h.first + ": " + h.second, kMaxRequestHeaderLineLength))
            head += piece + "\r\n";
    }
    head += "\r\n";
    return head;
}

void HttpClient::sendBody(FormDataBody &body)
{
    body.rewind();
    const qint64 total = body.TotalSize();
    qint64 sent = 0;
    QByteArray piece(kSendPieceBytes, Qt::Uninitialized);
    while (sent < total) {
        if (deadline_.passed())
            fail(FailureKind::Deadline, "the exchange outlasted its deadline");
        qint64 n = 0;
        try {
            n = body.read(piece.data(), std::min<qint64>(kSendPieceBytes, total - sent));
        } catch (const vx::Error &e) {
            throw Failure(FailureKind::Body, e.message());
        }
        if (n <= 0)
            fail(FailureKind::Body, "body ended before its size");
        if (!connection_->writeAll(piece.constData(), n, deadline_.wait(limits_.replyWaitMs)))
            fail(FailureKind::Send, "sending failed");
        sent += n;
    }
    if (!connection_->flush(deadline_.wait(limits_.replyWaitMs)))
        fail(FailureKind::Send, "sending failed");
}

QByteArray HttpClient::readBody(ReplyStream &in, const HeaderBlock &headers, bool discard)
{
    QByteArray body;
    const qint64 length = headers.contentLength();
    if (length > 0) {
        if (length > kMaxReplyBodyBytes && !discard)
            fail(FailureKind::BodyTooLarge, "reply body over its cap");
        readCount(in, std::min(length, kMaxReplyBodyBytes), body, discard);
        return body;
    }
    if (headers.value("Transfer-Encoding").contains("chunked")) {
        qint64 total = 0;
        QByteArray line;
        for (;;) {
            LineStatus s = in.readLine(line, kMaxLineLength);
            if (s == LineStatus::Closed)
                fail(FailureKind::ShortBody, "connection closed before the last chunk");
            if (s != LineStatus::Line)
                failRead(s);
            const quint64 size = chunkSize(line);
            if (size == 0)
                break;
            if (size > static_cast<quint64>(kMaxReplyBodyBytes - total))
                fail(FailureKind::BodyTooLarge, "reply body over its cap");
            readCount(in, static_cast<qint64>(size), body, discard);
            total += static_cast<qint64>(size);
            s = in.readLine(line, kMaxLineLength); // the CR LF after the chunk's data
            if (s != LineStatus::Line && s != LineStatus::Closed)
                failRead(s);
        }
        // The line after the last chunk; a server that closes instead has still sent the whole body.
        const LineStatus s = in.readLine(line, kMaxLineLength);
        if (s != LineStatus::Line && s != LineStatus::Closed)
            failRead(s);
        return body;
    }
    if (length < 0) {
        const ReadStatus s = in.readToClose(discard ? 0 : kMaxReplyBodyBytes, body);
        if (s == ReadStatus::Data) {
            if (!discard)
                fail(FailureKind::BodyTooLarge, "reply body over its cap");
            // Draining: keep reading and forgetting until the close, the cap or a quiet spell.
            qint64 drained = body.size();
            while (drained <= kMaxReplyBodyBytes) {
                body.clear();
                const ReadStatus more = in.readToClose(kReceiveBufferBytes, body);
                drained += body.size();
                if (more != ReadStatus::Data)
                    break;
            }
            return {};
        }
        if (s != ReadStatus::Closed)
            failRead(s);
        return body;
    }
    return body;
}

QByteArray HttpClient::PostMultipart(const QString &url, FormDataBody &body)
{
    closeConnection();
    const std::optional<UrlParts> parts = splitUrl(url);
    if (!parts)
        fail(FailureKind::BadUrl, "not an http URL");
    const qint64 bodySeconds =
        limits_.deadlineBodyBytesPerSecond > 0 ? body.TotalSize() / limits_.deadlineBodyBytesPerSecond : 0;
    deadline_ = Deadline::in(limits_.deadlineBaseMs + bodySeconds * 1000);
    connection_ = connector_->connect(parts->host, parts->port, deadline_.wait(limits_.connectMs));

    try {
        const QByteArray head = requestHead(*parts, body);
        if (!connection_->writeAll(head.constData(), head.size(), deadline_.wait(limits_.replyWaitMs)))
            fail(FailureKind::Send, "sending failed");
        sendBody(body);

        ReplyStream in(*connection_);
        in.setWaitTimeout(limits_.replyWaitMs);
        in.setDeadline(deadline_);
        int status = -1;
        HeaderBlock headers;
        bool closedInHeader = false;
        qint64 headerBytes = 0;
        // The cookie allowance covers the whole reply, interim "100" blocks included.
        int cookieBudget = kMaxCookiesPerReply;
        QByteArray line;
        do {
            LineStatus s = in.readLine(line, kMaxLineLength);
            if (s != LineStatus::Line) {
                if (s == LineStatus::TooLong)
                    failRead(s);
                fail(FailureKind::Receive, "no status line");
            }
            headerBytes += line.size() + 1;
            status = statusCodeOf(line);
            headers = HeaderBlock();
            for (;;) {
                s = in.readLine(line, kMaxLineLength);
                headerBytes += line.size() + 1;
                if (headerBytes > kMaxHeaderBlockBytes)
                    fail(FailureKind::HeaderTooLarge, "reply header over its cap");
                if (s == LineStatus::Closed) {
                    headers.addLine(line);
                    closedInHeader = true;
                    break;
                }
                if (s != LineStatus::Line)
                    failRead(s);
                if (line.isEmpty())
                    break;
                headers.addLine(line);
            }
            if (!cookies_)
                cookies_.emplace();
            cookieBudget -= cookies_->storeFrom(headers, parts->host, QDateTime::currentDateTimeUtc(), cookieBudget);
        } while (status == 100 && !closedInHeader);

        const bool redirect = (status >= 300 && status <= 399 && status != 304) || !headers.value("Location").isEmpty();
        if (redirect || status < 200 || status > 299) {
            // The body of a refused reply is read and thrown away, with short waits: the request fails
            // whatever it holds.
            in.setWaitTimeout(limits_.failedReplyWaitMs);
            try {
                readBody(in, headers, true);
            } catch (const Failure &) {
            }
            keepOrClose(headers);
            fail(redirect ? FailureKind::Redirect : FailureKind::Status, redirect ? "redirect refused" : "status not 2xx");
        }
        if (closedInHeader)
            fail(FailureKind::ClosedInHeader, "connection closed inside the reply header");
        QByteArray reply;
        if (status != 204)
            reply = readBody(in, headers, false);
        keepOrClose(headers);
        return reply;
    } catch (const Failure &failure) {
        if (failure.kind() != FailureKind::Redirect && failure.kind() != FailureKind::Status)
            closeConnection();
        // A wait cut short by the deadline reads as a time-out below; say what really ended the post.
        if ((failure.kind() == FailureKind::Receive || failure.kind() == FailureKind::Send) && deadline_.passed())
            fail(FailureKind::Deadline, "the exchange outlasted its deadline");
        throw;
    }
}

} // namespace vx::http
