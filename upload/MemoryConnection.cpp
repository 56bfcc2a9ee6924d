#include "upload/MemoryConnection.h"

#include "upload/HttpFailure.h"

#include <cstring>

namespace vx::http {
namespace {

class MemoryConnection final : public Connection {
public:
    MemoryConnection(ScriptedReply reply, std::shared_ptr<MemoryConnector::Record> record)
        : reply_(std::move(reply)), record_(std::move(record))
    {
    }

    bool writeAll(const char *data, qint64 size, int) override
    {
        if (closed_)
            return false;
        record_->writes.append(size);
        record_->sentTotal += size;
        const qint64 room = record_->maxSentKept - record_->sent.size();
        if (room > 0)
            record_->sent.append(data, std::min(room, size));
        return true;
    }

    bool flush(int) override { return !closed_; }

    ReadResult read(char *buffer, qint64 maxSize, int timeoutMs) override
    {
        if (record_->readTimeoutsMs.size() < 1000)
            record_->readTimeoutsMs.append(timeoutMs);
        if (closed_)
            return {ReadStatus::Closed};
        const qint64 left = reply_.bytes.size() - offset_;
        if (left == 0) {
            if (reply_.silentAtEnd)
                return {ReadStatus::TimedOut};
            peerClosed_ = true;
            return {ReadStatus::Closed};
        }
        qint64 n = std::min(left, maxSize);
        if (reply_.pieceSize > 0)
            n = std::min<qint64>(n, reply_.pieceSize);
        std::memcpy(buffer, reply_.bytes.constData() + offset_, static_cast<std::size_t>(n));
        offset_ += n;
        return {ReadStatus::Data, n};
    }

    // Like a socket, the connection counts as open until the reader has met the close.
    bool isOpen() const override { return !closed_ && !peerClosed_; }

    void close() override
    {
        if (!closed_) {
            record_->closedByClient = !peerClosed_;
            record_->events->append(QStringLiteral("close %1").arg(record_->number));
        }
        closed_ = true;
    }

private:
    ScriptedReply reply_;
    std::shared_ptr<MemoryConnector::Record> record_;
    qint64 offset_ = 0;
    bool closed_ = false;
    bool peerClosed_ = false;
};

} // namespace

std::unique_ptr<Connection> MemoryConnector::connect(const QString &host, quint16 port, int timeoutMs)
{
    if (replies.empty() || replies.front().refuseConnect) {
        if (!replies.empty())
            replies.pop_front();
        throw Failure(FailureKind::Connect, QStringLiteral("connection refused"));
    }
    auto record = std::make_shared<Record>();
    record->host = host;
    record->port = port;
    record->connectTimeoutMs = timeoutMs;
    connections.append(record);
    record->events = events;
    record->number = int(connections.size());
    events->append(QStringLiteral("connect %1").arg(record->number));
    ScriptedReply reply = std::move(replies.front());
    replies.pop_front();
    return std::make_unique<MemoryConnection>(std::move(reply), record);
}

} // namespace vx::http
