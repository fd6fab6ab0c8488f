#include "platform/udp_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

sockaddr_in ToSockaddr(uint32_t ip, uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(ip);
    address.sin_port = htons(port);
    return address;
}

}  // namespace

UdpSocket::~UdpSocket() {
    if (fd_ >= 0) close(fd_);
}

bool UdpSocket::Open(uint16_t port, bool loopback_only) {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0) {
        error_ = std::string("cannot open a UDP socket: ") + std::strerror(errno);
        return false;
    }
    const sockaddr_in address = ToSockaddr(loopback_only ? INADDR_LOOPBACK : INADDR_ANY, port);
    if (bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        error_ = "cannot use UDP port " + std::to_string(port) + ": " + std::strerror(errno);
        close(fd_);
        fd_ = -1;
        return false;
    }
    return true;
}

uint16_t UdpSocket::Port() const {
    sockaddr_in address{};
    socklen_t length = sizeof(address);
    if (fd_ < 0 || getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    return ntohs(address.sin_port);
}

long UdpSocket::Receive(uint8_t* buffer, size_t capacity, UdpEndpoint& from, int timeout_ms) {
    pollfd waiting{fd_, POLLIN, 0};
    if (poll(&waiting, 1, timeout_ms) <= 0) return -1;
    sockaddr_in address{};
    socklen_t length = sizeof(address);
    const ssize_t got =
        recvfrom(fd_, buffer, capacity, MSG_TRUNC, reinterpret_cast<sockaddr*>(&address), &length);
    // MSG_TRUNC tells a datagram's real length, so one too long for the buffer is dropped
    // rather than passed on cut.
    if (got < 0 || got > static_cast<ssize_t>(capacity) || address.sin_family != AF_INET) {
        return -1;
    }
    from.Ip = ntohl(address.sin_addr.s_addr);
    from.Port = ntohs(address.sin_port);
    return got;
}

bool UdpSocket::Send(const UdpEndpoint& to, const uint8_t* data, size_t size) {
    const sockaddr_in address = ToSockaddr(to.Ip, to.Port);
    return sendto(fd_, data, size, 0, reinterpret_cast<const sockaddr*>(&address),
                  sizeof(address)) == static_cast<ssize_t>(size);
}

}  // namespace platform
