#pragma once
// The real connection: a QTcpSocket used with its blocking waits on the calling thread, so that no
// window event runs while a post is under way.

#include "upload/Connection.h"

namespace vx::http {

class TcpConnector final : public Connector {
public:
    std::unique_ptr<Connection> connect(const QString &host, quint16 port, int timeoutMs) override;
};

} // namespace vx::http
