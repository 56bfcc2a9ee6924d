#include "platform/os/Socket.h"

#include "platform/os/posix/PosixError.h"

#include <arpa/inet.h>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vx::os {
namespace {

sockaddr_in toSockaddr(Ipv4Address address, std::uint16_t port)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    std::memcpy(&sa.sin_addr, address.octets, 4);
    return sa;
}

bool makeNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// Waits until fd is ready for events; 1 ready, 0 timed out, -1 failed (errno set).
int waitFor(int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, timeoutMs);
        if (n < 0 && errno == EINTR)
            continue; // a signal: waiting again from the start only lengthens the wait a little
        return n < 0 ? -1 : n;
    }
}

TransferStatus statusOf(int err)
{
    return err == ECONNRESET ? TransferStatus::Reset : TransferStatus::Failed;
}

} // namespace

std::optional<Ipv4Address> resolveIpv4(const std::string &host, std::error_code &error)
{
    Ipv4Address address;
    if (::inet_pton(AF_INET, host.c_str(), address.octets) == 1)
        return address;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (rc != 0 || !found) {
        error = std::make_error_code(std::errc::host_unreachable);
        return std::nullopt;
    }
    const auto *sa = reinterpret_cast<const sockaddr_in *>(found->ai_addr);
    std::memcpy(address.octets, &sa->sin_addr, 4);
    ::freeaddrinfo(found);
    return address;
}

TcpSocket &TcpSocket::operator=(TcpSocket &&other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = Invalid;
    }
    return *this;
}

bool TcpSocket::connect(Ipv4Address address, std::uint16_t port, int timeoutMs, std::error_code &error)
{
    close();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || !makeNonBlocking(fd)) {
        error = posix::lastError();
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    const sockaddr_in sa = toSockaddr(address, port);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&sa), sizeof sa) != 0) {
        if (errno != EINPROGRESS) {
            error = posix::lastError();
            ::close(fd);
            return false;
        }
        const int ready = waitFor(fd, POLLOUT, timeoutMs);
        int err = 0;
        socklen_t len = sizeof err;
        if (ready <= 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
            error = ready == 0 ? std::make_error_code(std::errc::timed_out)
                    : ready < 0 || err == 0 ? posix::lastError()
                                            : std::error_code(err, std::system_category());
            ::close(fd);
            return false;
        }
    }
    // The body goes out in pieces the client has already sized; waiting to merge them only adds delay.
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    handle_ = fd;
    return true;
}

TransferStatus TcpSocket::sendAll(const char *data, std::size_t size, int timeoutMs, std::error_code &error)
{
    while (size > 0) {
        // MSG_NOSIGNAL: a peer that has gone is an error to report, not a signal that ends the program.
        const ssize_t sent = ::send(handle_, data, size, MSG_NOSIGNAL);
        if (sent > 0) {
            data += sent;
            size -= std::size_t(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const int ready = waitFor(handle_, POLLOUT, timeoutMs);
            if (ready == 0)
                return TransferStatus::TimedOut;
            if (ready > 0)
                continue;
        }
        error = posix::lastError();
        return statusOf(errno);
    }
    return TransferStatus::Done;
}

Received TcpSocket::receive(char *buffer, std::size_t maxSize, int timeoutMs, std::error_code &error)
{
    for (;;) {
        const ssize_t got = ::recv(handle_, buffer, maxSize, 0);
        if (got > 0)
            return {TransferStatus::Done, std::size_t(got)};
        if (got == 0)
            return {TransferStatus::Closed};
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            const int ready = waitFor(handle_, POLLIN, timeoutMs);
            if (ready == 0)
                return {TransferStatus::TimedOut};
            if (ready > 0)
                continue; // data, a close or an error: recv tells which
        }
        error = posix::lastError();
        return {statusOf(errno)};
    }
}

void TcpSocket::close()
{
    if (handle_ != Invalid) {
        ::close(handle_);
        handle_ = Invalid;
    }
}

void TcpSocket::closeAbortively()
{
    if (handle_ != Invalid) {
        const linger now{1, 0};
        ::setsockopt(handle_, SOL_SOCKET, SO_LINGER, &now, sizeof now);
        close();
    }
}

bool TcpListener::listen(std::uint16_t port, std::error_code &error)
{
    close();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = posix::lastError();
        return false;
    }
    sockaddr_in sa = toSockaddr(Ipv4Address::loopback(), port);
    socklen_t len = sizeof sa;
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&sa), sizeof sa) != 0 || ::listen(fd, 16) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&sa), &len) != 0 || !makeNonBlocking(fd)) {
        error = posix::lastError();
        ::close(fd);
        return false;
    }
    handle_ = fd;
    port_ = ntohs(sa.sin_port);
    return true;
}

bool TcpListener::accept(TcpSocket &connection, int timeoutMs, std::error_code &error)
{
    const int ready = waitFor(handle_, POLLIN, timeoutMs);
    if (ready <= 0) {
        error = ready == 0 ? std::make_error_code(std::errc::timed_out) : posix::lastError();
        return false;
    }
    const int fd = ::accept4(handle_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
        error = posix::lastError();
        return false;
    }
    connection = TcpSocket();
    connection.handle_ = fd;
    return true;
}

void TcpListener::close()
{
    if (handle_ != TcpSocket::Invalid) {
        ::close(handle_);
        handle_ = TcpSocket::Invalid;
        port_ = 0;
    }
}

} // namespace vx::os
