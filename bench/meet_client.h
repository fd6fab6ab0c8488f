// One side of a meeting, on loopback: the end-to-end test and the relay's bench use it.
#pragma once

#include <cstdint>
#include <string>

#include "network/meet_messages.h"
#include "platform/udp_socket.h"

class MeetClient {
public:
    MeetClient(uint16_t server_port, uint64_t nonce);
    bool Ok() const { return ok_; }
    MeetAddress Address() const;
    uint64_t Nonce() const { return nonce_; }

    // Sends a request until an answer comes, a few times; false when none does.
    bool Ask(MeetMessage request, MeetMessage& answer);
    void Send(const platform::UdpEndpoint& to, const std::string& bytes);
    void SendToServer(const std::string& bytes) { Send(server_, bytes); }
    // The next datagram within `timeout_ms`, empty when none, and where it came from.
    std::string Receive(int timeout_ms, platform::UdpEndpoint* from = nullptr);

private:
    platform::UdpSocket socket_;
    platform::UdpEndpoint server_;
    uint64_t nonce_;
    bool ok_;
};

// The host registers, the guest joins with its code and asks for the relay. Returns the
// session, 0 when a step failed (with `error` saying which).
uint64_t MeetThroughRelay(MeetClient& host, MeetClient& guest, std::string& error);
