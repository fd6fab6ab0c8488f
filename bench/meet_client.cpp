#include "meet_client.h"

namespace {

constexpr uint32_t kLoopback = 0x7F000001;
constexpr int kTries = 5;
constexpr int kAnswerWaitMs = 300;

}  // namespace

MeetClient::MeetClient(uint16_t server_port, uint64_t nonce)
    : server_{kLoopback, server_port}, nonce_(nonce), ok_(socket_.Open(0, true)) {}

MeetAddress MeetClient::Address() const {
    return MeetAddress{kLoopback, socket_.Port()};
}

void MeetClient::Send(const platform::UdpEndpoint& to, const std::string& bytes) {
    socket_.Send(to, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string MeetClient::Receive(int timeout_ms, platform::UdpEndpoint* from) {
    uint8_t buffer[2048];
    platform::UdpEndpoint source;
    const long size = socket_.Receive(buffer, sizeof(buffer), source, timeout_ms);
    if (from != nullptr) *from = source;
    return size < 0 ? std::string() : std::string(reinterpret_cast<char*>(buffer), size);
}

bool MeetClient::Ask(MeetMessage request, MeetMessage& answer) {
    request.Nonce = nonce_;
    const std::string bytes = EncodeMeet(request);
    for (int i = 0; i < kTries; ++i) {
        SendToServer(bytes);
        const std::string reply = Receive(kAnswerWaitMs);
        if (DecodeMeet(reinterpret_cast<const uint8_t*>(reply.data()), reply.size(), answer) &&
            answer.Nonce == nonce_) {
            return true;
        }
    }
    return false;
}

uint64_t MeetThroughRelay(MeetClient& host, MeetClient& guest, std::string& error) {
    MeetMessage request;
    MeetMessage registered;
    request.Type = MeetMessage::Kind::Register;
    request.Candidates = {host.Address()};
    if (!host.Ask(request, registered) || registered.Type != MeetMessage::Kind::Registered) {
        error = "no Registered for the host";
        return 0;
    }
    MeetMessage peer;
    request.Type = MeetMessage::Kind::Join;
    request.Code = registered.Code;
    request.Candidates = {guest.Address()};
    if (!guest.Ask(request, peer) || peer.Type != MeetMessage::Kind::Peer ||
        peer.Other != host.Address()) {
        error = "no Peer naming the host for the guest";
        return 0;
    }
    MeetMessage relaying;
    request.Type = MeetMessage::Kind::Relay;
    request.Session = peer.Session;
    if (!guest.Ask(request, relaying) || relaying.Type != MeetMessage::Kind::Relaying) {
        error = "no Relaying for the guest";
        return 0;
    }
    return peer.Session;
}
