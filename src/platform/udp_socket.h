// A UDP socket on an IPv4 port: datagrams in with their source, datagrams out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// An IPv4 address as a.b.c.d = a << 24 | b << 16 | c << 8 | d, and a port.
struct UdpEndpoint {
    uint32_t Ip = 0;
    uint16_t Port = 0;
};

class UdpSocket {
public:
    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // Binds every local IPv4 address (or only loopback) on `port`, 0 for any free one.
    // False with Error() saying why.
    bool Open(uint16_t port, bool loopback_only = false);
    // The port it is bound to.
    uint16_t Port() const;
    // Waits up to `timeout_ms` for a datagram (or a signal); returns its size, or -1 when
    // none came or it was longer than `capacity`.
    long Receive(uint8_t* buffer, size_t capacity, UdpEndpoint& from, int timeout_ms);
    // Goes out from the address the last datagram received came to. False when the system
    // would not take it (a full buffer drops it, as UDP does).
    bool Send(const UdpEndpoint& to, const uint8_t* data, size_t size);
    const std::string& Error() const { return error_; }

private:
    int fd_ = -1;
    std::string error_;
    // The local address the last datagram came to, as the network orders its bytes.
    uint32_t local_ = 0;
};

}  // namespace platform
