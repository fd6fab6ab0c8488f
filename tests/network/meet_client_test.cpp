#include "network/meet_client.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "meet/meet_server.h"

namespace {

const MeetAddress kServer{0x0A000001, kMeetPort};
const MeetAddress kHost{0x0A000002, 7410};
const MeetAddress kGuest{0x0A000003, 50123};

// One side's link: its datagrams wait in an outbox for the test's network to carry.
class DatagramLink : public NetLink {
public:
    bool Poll(NetEvent&) override { return false; }
    void Send(uint32_t, const std::string&, bool) override {}
    void Flush() override {}
    uint32_t RoundTripMs(uint32_t) const override { return 0; }
    void Drop(uint32_t) override {}
    void Leave() override {}
    void SendDatagram(const MeetAddress& to, const std::string& bytes) override {
        Outbox.push_back({to, bytes});
    }
    void ConnectTo(const MeetAddress& to) override { Connected.push_back(to); }
    std::vector<MeetAddress> OwnAddresses() const override { return {}; }

    std::vector<MeetDatagram> Outbox;
    std::vector<MeetAddress> Connected;
};

// A host, a guest and a real meeting server on one clock; probes between the two sides pass
// only when the test says the routers let them.
struct Meeting {
    std::mt19937_64 random{5};
    std::vector<std::string> log;
    MeetServer server{MeetLimits{},
                      [this](uint8_t* out, size_t size) {
                          for (size_t i = 0; i < size; ++i) out[i] = random() & 0xFF;
                      },
                      [this](const std::string& line) { log.push_back(line); }};
    DatagramLink hostLink, guestLink;
    MeetClient host{hostLink, {true, "", {kHost}, 111}};
    std::unique_ptr<MeetClient> guest;
    bool probesPass = true;
    double now = 0;
    size_t toServer = 0;

    void Guest(const std::string& code) {
        guest =
            std::make_unique<MeetClient>(guestLink, MeetClient::Setup{false, code, {kGuest}, 222});
        guest->Found(kServer, now);
    }
    void Carry(DatagramLink& link, const MeetAddress& from) {
        std::vector<MeetDatagram> out;
        out.swap(link.Outbox);
        for (const MeetDatagram& datagram : out) {
            const auto* data = reinterpret_cast<const uint8_t*>(datagram.Bytes.data());
            if (datagram.To == kServer) {
                ++toServer;
                for (const MeetDatagram& answer : server.Receive(
                         data, datagram.Bytes.size(), from, static_cast<int64_t>(now * 1000))) {
                    Deliver(answer.To, kServer, answer.Bytes);
                }
            } else if (probesPass) {
                Deliver(datagram.To, from, datagram.Bytes);
            }
        }
    }
    void Deliver(const MeetAddress& to, const MeetAddress& from, const std::string& bytes) {
        if (to == kHost) host.Datagram(from, bytes, now);
        if (to == kGuest && guest) guest->Datagram(from, bytes, now);
    }
    void Run(double seconds) {
        for (const double end = now + seconds; now < end; now += 1.0 / 60) {
            host.Tick(now);
            if (guest) guest->Tick(now);
            Carry(hostLink, kHost);
            Carry(guestLink, kGuest);
        }
    }
};

}  // namespace

TEST(MeetClient, TwoSidesThatCanReachEachOtherMeetDirectlyAndTheServerForgetsThem) {
    Meeting meeting;
    meeting.host.Found(kServer, 0);
    meeting.Run(0.1);
    const std::string code = meeting.host.Code();
    ASSERT_EQ(code.size(), kCodeLength);
    meeting.Guest(code);
    meeting.Run(1.5);
    EXPECT_EQ(meeting.guest->Current(), MeetClient::Stage::Connected);
    ASSERT_EQ(meeting.guestLink.Connected, std::vector<MeetAddress>{kHost});
    EXPECT_EQ(meeting.host.Current(), MeetClient::Stage::Probing);
    meeting.host.Started(kGuest);
    meeting.guest->Started(kHost);
    meeting.Run(0.1);
    EXPECT_FALSE(meeting.host.Relayed());
    EXPECT_EQ(meeting.server.Sessions(), 0u);
    // Nothing more goes to the server once the game is under way.
    const size_t sent = meeting.toServer;
    meeting.Run(5);
    EXPECT_EQ(meeting.toServer, sent);
}

TEST(MeetClient, WhenNoProbeGetsThroughBothGoThroughTheRelayUntilTheGameEnds) {
    Meeting meeting;
    meeting.probesPass = false;
    meeting.host.Found(kServer, 0);
    meeting.Run(0.1);
    meeting.Guest(meeting.host.Code());
    meeting.Run(2.9);
    EXPECT_EQ(meeting.guest->Current(), MeetClient::Stage::Probing);
    meeting.Run(1.5);
    ASSERT_EQ(meeting.guestLink.Connected, std::vector<MeetAddress>{kServer});
    EXPECT_TRUE(meeting.guest->Relayed());
    // The host's game sees its player at the server's address.
    meeting.host.Started(kServer);
    meeting.guest->Started(kServer);
    meeting.Run(1);
    EXPECT_TRUE(meeting.host.Relayed());
    EXPECT_EQ(meeting.server.Sessions(), 1u);
    meeting.guest->Ended();
    meeting.Run(0.1);
    EXPECT_EQ(meeting.server.Sessions(), 0u);
}

// A made-up answer (another address, another nonce, another session) changes nothing, and a
// code the server does not know is said so.
TEST(MeetClient, ForgedAnswersAreIgnoredAndAnUnknownCodeIsRefused) {
    Meeting meeting;
    meeting.host.Found(kServer, 0);
    meeting.Run(0.1);
    meeting.Guest("23456789AB");
    MeetMessage peer;
    peer.Type = MeetMessage::Kind::Peer;
    peer.Nonce = 222;
    peer.Session = 9;
    peer.Other = {0x0B000001, 1};
    meeting.guest->Datagram(kHost, EncodeMeet(peer), 0.1);
    peer.Nonce = 223;
    meeting.guest->Datagram(kServer, EncodeMeet(peer), 0.1);
    EXPECT_EQ(meeting.guest->Current(), MeetClient::Stage::Meeting);
    MeetMessage probe;
    probe.Type = MeetMessage::Kind::Probe;
    probe.Session = 9;
    meeting.host.Datagram(kGuest, EncodeMeet(probe), 0.1);
    EXPECT_TRUE(meeting.hostLink.Outbox.empty());

    meeting.Run(0.5);
    EXPECT_EQ(meeting.guest->Current(), MeetClient::Stage::Refused);
    EXPECT_EQ(meeting.guest->Problem(),
              "The meeting server at 10.0.0.1:7411 knows no game with the join code 23456789AB.");
    EXPECT_TRUE(meeting.guestLink.Connected.empty());
}
