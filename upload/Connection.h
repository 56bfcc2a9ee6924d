#pragma once
// The byte stream under the HTTP client. The client reads replies only through this interface, so the
// unit tests and the fuzzer can feed it bytes from memory while the window talks TCP.

#include <QString>
#include <QtGlobal>

#include <memory>

namespace vx::http {

enum class ReadStatus { Data, Closed, TimedOut, Failed };

struct ReadResult {
    ReadStatus status;
    qint64 size = 0; // bytes placed in the buffer when status is Data (always > 0 then)
};

class Connection {
public:
    virtual ~Connection() = default;
    // Hands every byte to the connection or fails (false) on an error or when no progress is made
    // within timeoutMs. A connection may queue a bounded amount before it waits for the peer.
    virtual bool writeAll(const char *data, qint64 size, int timeoutMs) = 0;
    // Waits until everything queued has gone out.
    virtual bool flush(int timeoutMs) = 0;
    // Waits up to timeoutMs for data and takes at most maxSize bytes of it.
    virtual ReadResult read(char *buffer, qint64 maxSize, int timeoutMs) = 0;
    // False once the peer has closed or the connection failed; data already received may remain.
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
};

class Connector {
public:
    virtual ~Connector() = default;
    // Resolves host to an IPv4 address and connects; throws http::Failure (Resolve, Connect).
    virtual std::unique_ptr<Connection> connect(const QString &host, quint16 port, int timeoutMs) = 0;
};

} // namespace vx::http
