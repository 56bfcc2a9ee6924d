#pragma once
// The real connection: the operating-system layer's TCP socket, used with its own time-limited waits on
// the calling thread, so that no window event runs while a post is under way. It tells a reset from an
// orderly close: a reset fails the reply wherever it comes.

#include "upload/Connection.h"

namespace vx::http {

class TcpConnector final : public Connector {
public:
    std::unique_ptr<Connection> connect(const QString &host, quint16 port, int timeoutMs) override;
};

} // namespace vx::http
