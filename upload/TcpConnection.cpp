#include "upload/TcpConnection.h"

#include "upload/HttpFailure.h"
#include "upload/HttpLimits.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTcpSocket>

namespace vx::http {
namespace {

constexpr qint64 kMaxQueuedSendBytes = 8 * kSendPieceBytes;

class TcpConnection final : public Connection {
public:
    explicit TcpConnection(std::unique_ptr<QTcpSocket> socket) : socket_(std::move(socket)) {}
    ~TcpConnection() override { close(); }

    bool writeAll(const char *data, qint64 size, int timeoutMs) override
    {
        if (socket_->state() != QAbstractSocket::ConnectedState)
            return false;
        if (socket_->write(data, size) != size)
            return false;
        // Qt sends its queue one written piece at a time; letting a few pieces queue up saves a wait
        // per piece, and memory stays bounded by the queue limit whatever the body.
        while (socket_->bytesToWrite() > kMaxQueuedSendBytes) {
            if (!socket_->waitForBytesWritten(timeoutMs))
                return false;
        }
        return true;
    }

    bool flush(int timeoutMs) override
    {
        while (socket_->bytesToWrite() > 0) {
            if (socket_->state() != QAbstractSocket::ConnectedState || !socket_->waitForBytesWritten(timeoutMs))
                return false;
        }
        return true;
    }

    ReadResult read(char *buffer, qint64 maxSize, int timeoutMs) override
    {
        if (socket_->bytesAvailable() == 0) {
            if (socket_->state() != QAbstractSocket::ConnectedState)
                return {ReadStatus::Closed};
            if (!socket_->waitForReadyRead(timeoutMs)) {
                if (socket_->bytesAvailable() == 0) {
                    if (socket_->error() == QAbstractSocket::SocketTimeoutError
                        && socket_->state() == QAbstractSocket::ConnectedState)
                        return {ReadStatus::TimedOut};
                    if (socket_->error() == QAbstractSocket::RemoteHostClosedError
                        || socket_->state() != QAbstractSocket::ConnectedState)
                        return {ReadStatus::Closed};
                    return {ReadStatus::Failed};
                }
            }
        }
        const qint64 got = socket_->read(buffer, maxSize);
        if (got < 0)
            return {ReadStatus::Failed};
        if (got == 0)
            return {ReadStatus::Closed};
        return {ReadStatus::Data, got};
    }

    bool isOpen() const override { return socket_->state() == QAbstractSocket::ConnectedState; }

    void close() override
    {
        if (socket_->state() != QAbstractSocket::UnconnectedState)
            socket_->abort();
    }

private:
    std::unique_ptr<QTcpSocket> socket_;
};

QHostAddress resolveIpv4(const QString &host)
{
    QHostAddress literal;
    if (literal.setAddress(host))
        return literal.protocol() == QAbstractSocket::IPv4Protocol ? literal : QHostAddress();
    const QHostInfo info = QHostInfo::fromName(host);
    for (const QHostAddress &address : info.addresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    return {};
}

} // namespace

std::unique_ptr<Connection> TcpConnector::connect(const QString &host, quint16 port, int timeoutMs)
{
    const QHostAddress address = resolveIpv4(host);
    if (address.isNull())
        throw Failure(FailureKind::Resolve, QStringLiteral("cannot resolve ") + host);
    auto socket = std::make_unique<QTcpSocket>();
    // Qt takes at most one receive buffer from the system at a time; a server that floods us while the
    // body is still going out waits in the kernel instead of in our memory.
    socket->setReadBufferSize(kReceiveBufferBytes);
    socket->connectToHost(address, port);
    if (!socket->waitForConnected(timeoutMs))
        throw Failure(FailureKind::Connect, QStringLiteral("cannot connect to ") + host + QStringLiteral(": ")
                                                + socket->errorString());
    return std::make_unique<TcpConnection>(std::move(socket));
}

} // namespace vx::http
