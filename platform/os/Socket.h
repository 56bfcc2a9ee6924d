#pragma once
// A TCP connection over IPv4 with time limits on every wait. It tells the three ends of a stream
// apart: an orderly close by the peer (no more data), a reset (the peer aborted), and every other
// failure of the system; toolkits that fold a reset into "the remote host closed" cannot.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace vx::os {

struct Ipv4Address {
    std::uint8_t octets[4] = {0, 0, 0, 0};
    static constexpr Ipv4Address loopback() { return Ipv4Address{{127, 0, 0, 1}}; }
};

// The first IPv4 address of host (a dotted literal or a name); nothing when it has none.
std::optional<Ipv4Address> resolveIpv4(const std::string &host, std::error_code &error);

enum class TransferStatus {
    Done,     // sent everything, or received size > 0 bytes
    Closed,   // the peer closed its side in order: no more data will come
    TimedOut, // nothing moved within the time limit
    Reset,    // the peer reset the connection (ECONNRESET, WSAECONNRESET)
    Failed,   // any other error of the system
};

struct Received {
    TransferStatus status;
    std::size_t size = 0;
};

class TcpSocket {
public:
    TcpSocket() = default;
    ~TcpSocket() { close(); }
    TcpSocket(TcpSocket &&other) noexcept : handle_(other.handle_) { other.handle_ = Invalid; }
    TcpSocket &operator=(TcpSocket &&other) noexcept;
    TcpSocket(const TcpSocket &) = delete;
    TcpSocket &operator=(const TcpSocket &) = delete;

    // Connects within timeoutMs; error says why not (std::errc::timed_out when the time ran out).
    bool connect(Ipv4Address address, std::uint16_t port, int timeoutMs, std::error_code &error);
    bool isOpen() const { return handle_ != Invalid; }

    // Sends every byte; fails when no byte can be sent within timeoutMs of the last progress.
    TransferStatus sendAll(const char *data, std::size_t size, int timeoutMs, std::error_code &error);
    // Waits up to timeoutMs for data and takes at most maxSize bytes of it.
    Received receive(char *buffer, std::size_t maxSize, int timeoutMs, std::error_code &error);

    // Closes; data already sent still goes out and the peer sees an orderly close.
    void close();
    // Closes so that the peer sees a reset (linger time zero), whatever was still queued.
    void closeAbortively();

private:
    friend class TcpListener;
#ifdef _WIN32
    using Handle = std::uintptr_t; // SOCKET
    static constexpr Handle Invalid = ~Handle(0);
#else
    using Handle = int;
    static constexpr Handle Invalid = -1;
#endif
    Handle handle_ = Invalid;
};

// A listening socket on the loopback address, for tests and local peers.
class TcpListener {
public:
    TcpListener() = default;
    ~TcpListener() { close(); }
    TcpListener(const TcpListener &) = delete;
    TcpListener &operator=(const TcpListener &) = delete;

    // Listens on 127.0.0.1 at port (0: any free port).
    bool listen(std::uint16_t port, std::error_code &error);
    std::uint16_t port() const { return port_; }
    bool accept(TcpSocket &connection, int timeoutMs, std::error_code &error);
    void close();

private:
    TcpSocket::Handle handle_ = TcpSocket::Invalid;
    std::uint16_t port_ = 0;
};

} // namespace vx::os
