#include "platform/os/Socket.h"

#include "platform/os/win32/WinError.h"

#include <cstring>

namespace vx::os {
namespace {

// Winsock must be started once per process before its first call; it stays up until the end.
bool startWinsock()
{
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

std::error_code lastSocketError() { return {::WSAGetLastError(), std::system_category()}; }

sockaddr_in toSockaddr(Ipv4Address address, std::uint16_t port)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    std::memcpy(&sa.sin_addr, address.octets, 4);
    return sa;
}

bool makeNonBlocking(SOCKET s)
{
    u_long on = 1;
    return ::ioctlsocket(s, FIONBIO, &on) == 0;
}

// Waits until s is readable (or writable); 1 ready, 0 timed out, -1 failed. A failed connect shows in
// the exception set, not the write set.
int waitFor(SOCKET s, bool forWriting, int timeoutMs)
{
    fd_set ready, failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int n = ::select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed,
                           timeoutMs < 0 ? nullptr : &limit);
    return n == SOCKET_ERROR ? -1 : n > 0 ? 1 : 0;
}

TransferStatus statusOf(int err)
{
    return err == WSAECONNRESET ? TransferStatus::Reset : TransferStatus::Failed;
}

} // namespace

std::optional<Ipv4Address> resolveIpv4(const std::string &host, std::error_code &error)
{
    if (!startWinsock()) {
        error = lastSocketError();
        return std::nullopt;
    }
    Ipv4Address address;
    if (::inet_pton(AF_INET, host.c_str(), address.octets) == 1)
        return address;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) {
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
    if (!startWinsock()) {
        error = lastSocketError();
        return false;
    }
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET || !makeNonBlocking(s)) {
        error = lastSocketError();
        if (s != INVALID_SOCKET)
            ::closesocket(s);
        return false;
    }
    const sockaddr_in sa = toSockaddr(address, port);
    if (::connect(s, reinterpret_cast<const sockaddr *>(&sa), sizeof sa) == SOCKET_ERROR) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK) {
            error = lastSocketError();
            ::closesocket(s);
            return false;
        }
        const int ready = waitFor(s, true, timeoutMs);
        int err = 0;
        int len = sizeof err;
        if (ready <= 0 || ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char *>(&err), &len) != 0
            || err != 0) {
            error = ready == 0 ? std::make_error_code(std::errc::timed_out)
                    : ready < 0 || err == 0 ? lastSocketError()
                                            : std::error_code(err, std::system_category());
            ::closesocket(s);
            return false;
        }
    }
    const BOOL one = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char *>(&one), sizeof one);
    handle_ = s;
    return true;
}

TransferStatus TcpSocket::sendAll(const char *data, std::size_t size, int timeoutMs, std::error_code &error)
{
    while (size > 0) {
        const int piece = int(size < (std::size_t(1) << 30) ? size : (std::size_t(1) << 30));
        const int sent = ::send(SOCKET(handle_), data, piece, 0);
        if (sent > 0) {
            data += sent;
            size -= std::size_t(sent);
            continue;
        }
        const int err = ::WSAGetLastError();
        if (sent == SOCKET_ERROR && err == WSAEWOULDBLOCK) {
            const int ready = waitFor(SOCKET(handle_), true, timeoutMs);
            if (ready == 0)
                return TransferStatus::TimedOut;
            if (ready > 0)
                continue;
        }
        error = lastSocketError();
        return statusOf(::WSAGetLastError());
    }
    return TransferStatus::Done;
}

Received TcpSocket::receive(char *buffer, std::size_t maxSize, int timeoutMs, std::error_code &error)
{
    const int want = int(maxSize < (std::size_t(1) << 30) ? maxSize : (std::size_t(1) << 30));
    for (;;) {
        const int got = ::recv(SOCKET(handle_), buffer, want, 0);
        if (got > 0)
            return {TransferStatus::Done, std::size_t(got)};
        if (got == 0)
            return {TransferStatus::Closed};
        const int err = ::WSAGetLastError();
        if (err == WSAEWOULDBLOCK) {
            const int ready = waitFor(SOCKET(handle_), false, timeoutMs);
            if (ready == 0)
                return {TransferStatus::TimedOut};
            if (ready > 0)
                continue; // data, a close or an error: recv tells which
        }
        error = {err, std::system_category()};
        return {statusOf(err)};
    }
}

void TcpSocket::close()
{
    if (handle_ != Invalid) {
        ::closesocket(SOCKET(handle_));
        handle_ = Invalid;
    }
}

void TcpSocket::closeAbortively()
{
    if (handle_ != Invalid) {
        const linger now{1, 0};
        ::setsockopt(SOCKET(handle_), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char *>(&now), sizeof now);
        close();
    }
}

bool TcpListener::listen(std::uint16_t port, std::error_code &error)
{
    close();
    if (!startWinsock()) {
        error = lastSocketError();
        return false;
    }
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        error = lastSocketError();
        return false;
    }
    sockaddr_in sa = toSockaddr(Ipv4Address::loopback(), port);
    int len = sizeof sa;
    if (::bind(s, reinterpret_cast<const sockaddr *>(&sa), sizeof sa) != 0 || ::listen(s, 16) != 0
        || ::getsockname(s, reinterpret_cast<sockaddr *>(&sa), &len) != 0 || !makeNonBlocking(s)) {
        error = lastSocketError();
        ::closesocket(s);
        return false;
    }
    handle_ = s;
    port_ = ntohs(sa.sin_port);
    return true;
}

bool TcpListener::accept(TcpSocket &connection, int timeoutMs, std::error_code &error)
{
    const int ready = waitFor(SOCKET(handle_), false, timeoutMs);
    if (ready <= 0) {
        error = ready == 0 ? std::make_error_code(std::errc::timed_out) : lastSocketError();
        return false;
    }
    const SOCKET s = ::accept(SOCKET(handle_), nullptr, nullptr);
    if (s == INVALID_SOCKET || !makeNonBlocking(s)) {
        error = lastSocketError();
        if (s != INVALID_SOCKET)
            ::closesocket(s);
        return false;
    }
    connection = TcpSocket();
    connection.handle_ = s;
    return true;
}

void TcpListener::close()
{
    if (handle_ != TcpSocket::Invalid) {
        ::closesocket(SOCKET(handle_));
        handle_ = TcpSocket::Invalid;
        port_ = 0;
    }
}

} // namespace vx::os
