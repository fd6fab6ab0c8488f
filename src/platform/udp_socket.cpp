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
    // A machine with several addresses answers from the one it was asked at: a reply from
    // another is not taken by the asker, nor let through by its router.
    const int on = 1;
    setsockopt(fd_, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
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
    iovec data{buffer, capacity};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
    msghdr message{};
    message.msg_name = &address;
    message.msg_namelen = sizeof(address);
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t got = recvmsg(fd_, &message, MSG_TRUNC);
    local_ = 0;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            in_pktinfo info;
            std::memcpy(&info, CMSG_DATA(c), sizeof info);
            local_ = info.ipi_addr.s_addr;
        }
    }
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
    sockaddr_in address = ToSockaddr(to.Ip, to.Port);
    iovec bytes{const_cast<uint8_t*>(data), size};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr message{};
    message.msg_name = &address;
    message.msg_namelen = sizeof(address);
    message.msg_iov = &bytes;
    message.msg_iovlen = 1;
    if (local_ != 0) {
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&message);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_spec_dst.s_addr = local_;
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
    }
    return sendmsg(fd_, &message, 0) == static_cast<ssize_t>(size);
}

}  // namespace platform
