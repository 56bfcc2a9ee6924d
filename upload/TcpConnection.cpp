#include "upload/TcpConnection.h"

#include "platform/os/Socket.h"
#include "platform/os/ErrorText.h"
#include "upload/HttpFailure.h"

#include <optional>

namespace vx::http {
namespace {

class TcpConnection final : public Connection {
public:
    explicit TcpConnection(os::TcpSocket socket) : socket_(std::move(socket)) {}
    ~TcpConnection() override { close(); }

    bool writeAll(const char *data, qint64 size, int timeoutMs) override
    {
        if (!open_ || size < 0)
            return false;
        std::error_code error;
        if (socket_.sendAll(data, size_t(size), timeoutMs, error) == os::TransferStatus::Done)
            return true;
        open_ = false;
        return false;
    }

    // The system's send queue takes every byte handed over; nothing waits in ours.
    bool flush(int) override { return open_; }

    ReadResult read(char *buffer, qint64 maxSize, int timeoutMs) override
    {
        if (ended_)
            return {*ended_};
        if (!socket_.isOpen())
            return {ReadStatus::Closed};
        if (maxSize <= 0)
            return {ReadStatus::Failed};
        std::error_code error;
        const os::Received got = socket_.receive(buffer, size_t(maxSize), timeoutMs, error);
        switch (got.status) {
        case os::TransferStatus::Done:
            return {ReadStatus::Data, qint64(got.size)};
        case os::TransferStatus::TimedOut:
            return {ReadStatus::TimedOut};
        case os::TransferStatus::Closed:
            ended_ = ReadStatus::Closed;
            break;
        case os::TransferStatus::Reset:
        case os::TransferStatus::Failed:
            // A reset is no end of the reply: whatever came before it may be cut anywhere.
            ended_ = ReadStatus::Failed;
            break;
        }
        open_ = false;
        return {*ended_};
    }

    bool isOpen() const override { return open_; }

    void close() override
    {
        open_ = false;
        socket_.close();
    }

private:
    os::TcpSocket socket_;
    bool open_ = true;
    std::optional<ReadStatus> ended_;
};

} // namespace

std::unique_ptr<Connection> TcpConnector::connect(const QString &host, quint16 port, int timeoutMs)
{
    std::error_code error;
    const std::optional<os::Ipv4Address> address = os::resolveIpv4(host.toStdString(), error);
    if (!address)
        throw Failure(FailureKind::Resolve, QStringLiteral("cannot resolve ") + host);
    os::TcpSocket socket;
    if (!socket.connect(*address, port, timeoutMs, error))
        throw Failure(FailureKind::Connect, QStringLiteral("cannot connect to ") + host + QStringLiteral(": ")
                                                + QString::fromStdString(os::errorText(error)));
    return std::make_unique<TcpConnection>(std::move(socket));
}

} // namespace vx::http
