#include "platform/network_link.h"

#include <enet/enet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <thread>


namespace platform {
namespace {

constexpr size_t kChannels = 2;
constexpr uint8_t kReliableChannel = 0;
constexpr uint8_t kKeysChannel = 1;
// The game keeps its own clocks on silence and joining; ENet's own limit is only a backstop
// for a connection that is not answering at all.
constexpr enet_uint32 kEnetTimeoutMs = 15000;
// How long a goodbye may hold the program up.
constexpr enet_uint32 kLeavingMs = 300;
// What the other side may have us hold while it sends a message in pieces.
constexpr size_t kMostWaitingBytes = 64 * 1024;
// A host takes its player and one more connection at a time, to tell a stranger it is busy.
constexpr size_t kHostConnections = 2;

bool StartEnet() {
    static const bool started = [] {
        if (enet_initialize() != 0) return false;
        std::atexit(enet_deinitialize);
        return true;
    }();
    return started;
}

ENetHost* MakeHost(const ENetAddress* address, size_t connections) {
    ENetHost* host = enet_host_create(address, connections, kChannels, 0, 0);
    if (!host) return nullptr;
    host->maximumPacketSize = kLongestNetMessage;
    host->maximumWaitingData = kMostWaitingBytes;
    return host;
}

// A host that does not read its datagrams drops the newest; this many are far more than
// the meeting ever has in flight.
constexpr size_t kMostQueuedDatagrams = 64;

std::string AddressText(const ENetAddress& address) {
    char ip[32] = "";
    enet_address_get_host_ip(&address, ip, sizeof ip);
    return std::string(ip) + ":" + std::to_string(address.port);
}

MeetAddress FromEnet(const ENetAddress& address) {
    return {ENET_NET_TO_HOST_32(address.host), address.port};
}

ENetAddress ToEnet(const MeetAddress& address) {
    ENetAddress out{};
    out.host = ENET_HOST_TO_NET_32(address.Ip);
    out.port = address.Port;
    return out;
}

// A host's name looked up on a thread of its own, so that a name server that does not
// answer never holds the window up.
struct Lookup {
    std::mutex Lock;
    bool Done = false;
    bool Found = false;
    ENetAddress Address{};
};

class EnetLink;
// ENet's hook for raw datagrams has no room for our own pointer; a program has one link.
EnetLink* intercepting = nullptr;

class EnetLink : public NetLink {
public:
    explicit EnetLink(ENetHost* host) : host_(host) {
        intercepting = this;
        host_->intercept = &EnetLink::Intercept;
    }
    ~EnetLink() override {
        for (auto& [id, peer] : peers_) enet_peer_reset(peer);
        enet_host_destroy(host_);
        if (intercepting == this) intercepting = nullptr;
    }

    // Looks the name up, then connects to it or, for a meeting server, reports it.
    void LookUp(const std::string& name, uint16_t port, bool connect) {
        name_ = name;
        connectAfterLookup_ = connect;
        lookup_ = std::make_shared<Lookup>();
        std::thread([lookup = lookup_, name, port] {
            ENetAddress address{};
            address.port = port;
            const bool found = enet_address_set_host(&address, name.c_str()) == 0;
            std::lock_guard<std::mutex> hold(lookup->Lock);
            lookup->Address = address;
            lookup->Found = found;
            lookup->Done = true;
        }).detach();
    }

    bool Poll(NetEvent& out) override {
        if (lookup_ && LookedUp(out)) return true;
        if (Queued(out)) return true;
        ENetEvent event;
        while (enet_host_service(host_, &event, 0) > 0) {
            switch (event.type) {
                case ENET_EVENT_TYPE_CONNECT:
                    out = NetEvent{NetEvent::Kind::Connected,
                                   Name(event.peer),
                                   AddressText(event.peer->address),
                                   {},
                                   FromEnet(event.peer->address)};
                    return true;
                case ENET_EVENT_TYPE_RECEIVE:
                    out = NetEvent{NetEvent::Kind::Received, Name(event.peer), {}, {}, {}};
                    out.Bytes.assign(reinterpret_cast<const char*>(event.packet->data),
                                     event.packet->dataLength);
                    enet_packet_destroy(event.packet);
                    return true;
                case ENET_EVENT_TYPE_DISCONNECT:
                    out = NetEvent{NetEvent::Kind::Disconnected, Name(event.peer), {}, {}, {}};
                    peers_.erase(out.Peer);
                    event.peer->data = nullptr;
                    return true;
                case ENET_EVENT_TYPE_NONE:
                    break;
            }
        }
        return Queued(out);
    }

    void Send(uint32_t id, const std::string& bytes, bool reliable) override {
        ENetPeer* peer = Find(id);
        if (!peer || peer->state != ENET_PEER_STATE_CONNECTED) return;
        ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(),
                                                reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
        if (enet_peer_send(peer, reliable ? kReliableChannel : kKeysChannel, packet) < 0) {
            enet_packet_destroy(packet);
        }
    }

    void Flush() override { enet_host_flush(host_); }

    uint32_t RoundTripMs(uint32_t id) const override {
        const ENetPeer* peer = Find(id);
        return peer ? peer->roundTripTime : 0;
    }

    void Drop(uint32_t id) override {
        if (ENetPeer* peer = Find(id)) enet_peer_disconnect_later(peer, 0);
    }

    void SendDatagram(const MeetAddress& to, const std::string& bytes) override {
        const ENetAddress address = ToEnet(to);
        ENetBuffer buffer;
        buffer.data = const_cast<char*>(bytes.data());
        buffer.dataLength = bytes.size();
        enet_socket_send(host_->socket, &address, &buffer, 1);
    }

    void ConnectTo(const MeetAddress& to) override {
        const ENetAddress address = ToEnet(to);
        if (ENetPeer* peer = enet_host_connect(host_, &address, kChannels, 0)) Name(peer);
    }

    std::vector<MeetAddress> OwnAddresses() const override {
        ENetAddress bound{};
        enet_socket_get_address(host_->socket, &bound);
        std::vector<MeetAddress> own;
        ifaddrs* list = nullptr;
        if (getifaddrs(&list) != 0) return own;
        for (const ifaddrs* entry = list; entry && own.size() < kMostCandidates;
             entry = entry->ifa_next) {
            if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
            const auto* ip = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
            const uint32_t host = ntohl(ip->sin_addr.s_addr);
            if (host >> 24 == 127) continue;
            own.push_back({host, bound.port});
        }
        freeifaddrs(list);
        return own;
    }

    void Leave() override {
        for (auto& [id, peer] : peers_) enet_peer_disconnect_later(peer, 0);
        ENetEvent event;
        const enet_uint32 until = enet_time_get() + kLeavingMs;
        while (!peers_.empty() && enet_time_get() < until) {
            const int got = enet_host_service(host_, &event, 10);
            if (got < 0) break;
            if (got == 0) continue;
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
            if (event.type == ENET_EVENT_TYPE_DISCONNECT) peers_.erase(Name(event.peer));
        }
    }

private:
    // The game's number for a connection, given as ENet first reports it.
    uint32_t Name(ENetPeer* peer) {
        if (!peer->data) {
            const uint32_t id = nextId_++;
            peer->data = reinterpret_cast<void*>(static_cast<uintptr_t>(id));
            peers_[id] = peer;
            enet_peer_timeout(peer, 0, kEnetTimeoutMs, kEnetTimeoutMs);
        }
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(peer->data));
    }

    ENetPeer* Find(uint32_t id) const {
        const auto found = peers_.find(id);
        return found == peers_.end() ? nullptr : found->second;
    }

    bool Queued(NetEvent& out) {
        if (datagrams_.empty()) return false;
        out = std::move(datagrams_.front());
        datagrams_.pop_front();
        return true;
    }

    // Our own datagrams are taken out before ENet sees them; the rest is the game's.
    static int ENET_CALLBACK Intercept(ENetHost* host, ENetEvent*) {
        if (!intercepting || host != intercepting->host_ ||
            !IsMeetDatagram(host->receivedData, host->receivedDataLength)) {
            return 0;
        }
        auto& queue = intercepting->datagrams_;
        if (host->receivedDataLength <= kLongestMeetMessage &&
            queue.size() < kMostQueuedDatagrams) {
            NetEvent event{NetEvent::Kind::Datagram, 0, {}, {}, FromEnet(host->receivedAddress)};
            event.Bytes.assign(reinterpret_cast<const char*>(host->receivedData),
                               host->receivedDataLength);
            queue.push_back(std::move(event));
        }
        return 1;
    }

    // Once the name is known, connects to it or reports it; a name not found is the event.
    bool LookedUp(NetEvent& out) {
        ENetAddress address{};
        bool found = false;
        {
            std::lock_guard<std::mutex> hold(lookup_->Lock);
            if (!lookup_->Done) return false;
            address = lookup_->Address;
            found = lookup_->Found;
        }
        lookup_.reset();
        if (found && !connectAfterLookup_) {
            out = NetEvent{NetEvent::Kind::Found, 0, AddressText(address), {}, FromEnet(address)};
            return true;
        }
        ENetPeer* peer = found ? enet_host_connect(host_, &address, kChannels, 0) : nullptr;
        if (peer) {
            Name(peer);
            return false;
        }
        const std::string why =
            found ? "the network could not be started"
                  : (connectAfterLookup_ ? "the address " : "the meeting server ") + name_ +
                        " could not be found";
        out = NetEvent{NetEvent::Kind::Failed, 0, why, {}, {}};
        return true;
    }

    ENetHost* host_;
    std::map<uint32_t, ENetPeer*> peers_;
    uint32_t nextId_ = 1;
    std::shared_ptr<Lookup> lookup_;
    std::string name_;
    bool connectAfterLookup_ = true;
    std::deque<NetEvent> datagrams_;
};

}  // namespace

std::unique_ptr<NetLink> ListenForPlayer(uint16_t port, const std::string& server,
                                         uint16_t serverPort, std::string& problem) {
    if (!StartEnet()) {
        problem = "the network could not be started";
        return nullptr;
    }
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = port;
    ENetHost* host = MakeHost(&address, kHostConnections);
    if (!host) {
        problem = "UDP port " + std::to_string(port) + " is in use or cannot be opened";
        return nullptr;
    }
    auto link = std::make_unique<EnetLink>(host);
    if (!server.empty()) link->LookUp(server, serverPort, false);
    return link;
}

std::unique_ptr<NetLink> JoinPlayer(const std::string& name, uint16_t port, std::string& problem) {
    ENetHost* host = StartEnet() ? MakeHost(nullptr, 1) : nullptr;
    if (!host) {
        problem = "the network could not be started";
        return nullptr;
    }
    auto link = std::make_unique<EnetLink>(host);
    link->LookUp(name, port, true);
    return link;
}

std::unique_ptr<NetLink> JoinThroughServer(const std::string& server, uint16_t port,
                                           std::string& problem) {
    ENetHost* host = StartEnet() ? MakeHost(nullptr, 1) : nullptr;
    if (!host) {
        problem = "the network could not be started";
        return nullptr;
    }
    auto link = std::make_unique<EnetLink>(host);
    link->LookUp(server, port, false);
    return link;
}

}  // namespace platform
