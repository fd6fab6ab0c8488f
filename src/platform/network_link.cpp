#include "platform/network_link.h"

#include <enet/enet.h>

#include <cstdlib>

namespace platform {
namespace {

constexpr size_t kChannels = 2;
constexpr uint8_t kReliableChannel = 0;
constexpr uint8_t kKeysChannel = 1;
// Five seconds without an answer and the other side is gone.
constexpr enet_uint32 kSilenceMs = 5000;
// A join gives up after 10 s on its own clock; ENet keeps trying a little longer so that
// the game, not ENet, says so.
constexpr enet_uint32 kJoiningMs = 15000;
// How long a goodbye may hold the program up.
constexpr enet_uint32 kLeavingMs = 300;

bool StartEnet() {
    static const bool started = [] {
        if (enet_initialize() != 0) return false;
        std::atexit(enet_deinitialize);
        return true;
    }();
    return started;
}

class EnetLink : public NetLink {
public:
    EnetLink(ENetHost* host, ENetPeer* peer) : host_(host), peer_(peer) {
        if (peer_) enet_peer_timeout(peer_, 0, kJoiningMs, kJoiningMs);
    }
    ~EnetLink() override {
        if (peer_) enet_peer_reset(peer_);
        enet_host_destroy(host_);
    }

    bool Poll(NetEvent& out) override {
        ENetEvent event;
        while (enet_host_service(host_, &event, 0) > 0) {
            switch (event.type) {
                case ENET_EVENT_TYPE_CONNECT:
                    // The host takes one player; ENet turns away any other.
                    peer_ = event.peer;
                    enet_peer_timeout(peer_, 0, kSilenceMs, kSilenceMs);
                    out.Type = NetEvent::Kind::Connected;
                    out.Bytes.clear();
                    return true;
                case ENET_EVENT_TYPE_RECEIVE:
                    out.Type = NetEvent::Kind::Received;
                    out.Bytes.assign(reinterpret_cast<const char*>(event.packet->data),
                                     event.packet->dataLength);
                    enet_packet_destroy(event.packet);
                    return true;
                case ENET_EVENT_TYPE_DISCONNECT:
                    peer_ = nullptr;
                    out.Type = NetEvent::Kind::Disconnected;
                    out.Bytes.clear();
                    return true;
                case ENET_EVENT_TYPE_NONE:
                    break;
            }
        }
        return false;
    }

    void Send(const std::string& bytes, bool reliable) override {
        if (!peer_ || peer_->state != ENET_PEER_STATE_CONNECTED) return;
        ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(),
                                                reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
        if (enet_peer_send(peer_, reliable ? kReliableChannel : kKeysChannel, packet) < 0) {
            enet_packet_destroy(packet);
        }
    }

    void Flush() override { enet_host_flush(host_); }

    uint32_t RoundTripMs() const override { return peer_ ? peer_->roundTripTime : 0; }

    void Leave() override {
        if (!peer_) return;
        enet_peer_disconnect_later(peer_, 0);
        ENetEvent event;
        const enet_uint32 until = enet_time_get() + kLeavingMs;
        while (peer_ && enet_time_get() < until) {
            const int got = enet_host_service(host_, &event, 10);
            if (got < 0) break;
            if (got == 0) continue;
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
            if (event.type == ENET_EVENT_TYPE_DISCONNECT) peer_ = nullptr;
        }
    }

private:
    ENetHost* host_;
    ENetPeer* peer_;
};

}  // namespace

std::unique_ptr<NetLink> ListenForPlayer(uint16_t port, std::string& problem) {
    if (!StartEnet()) {
        problem = "the network could not be started";
        return nullptr;
    }
    ENetAddress address;
    address.host = ENET_HOST_ANY;
    address.port = port;
    ENetHost* host = enet_host_create(&address, 1, kChannels, 0, 0);
    if (!host) {
        problem = "UDP port " + std::to_string(port) + " is in use or cannot be opened";
        return nullptr;
    }
    return std::make_unique<EnetLink>(host, nullptr);
}

std::unique_ptr<NetLink> JoinPlayer(const std::string& name, uint16_t port, std::string& problem) {
    if (!StartEnet()) {
        problem = "the network could not be started";
        return nullptr;
    }
    ENetAddress address;
    address.port = port;
    if (enet_address_set_host(&address, name.c_str()) != 0) {
        problem = "the address " + name + " could not be found";
        return nullptr;
    }
    ENetHost* host = enet_host_create(nullptr, 1, kChannels, 0, 0);
    if (!host) {
        problem = "the network could not be started";
        return nullptr;
    }
    ENetPeer* peer = enet_host_connect(host, &address, kChannels, 0);
    if (!peer) {
        enet_host_destroy(host);
        problem = "the network could not be started";
        return nullptr;
    }
    return std::make_unique<EnetLink>(host, peer);
}

}  // namespace platform
