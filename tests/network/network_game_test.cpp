#include "network/network_game.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <random>
#include <set>

#include "app/frame_step.h"
#include "config/settings_store.h"
#include "game/game.h"
#include "game/player_input.h"
#include "game/sky.h"
#include "input/input_state.h"
#include "menu/menu.h"
#include "network/machine_name.h"
#include "network/net_messages.h"
#include "network/shared_keys.h"
#include "recording/replay_input.h"
#include "state/application.h"
#include "state/exit_status.h"

namespace {

constexpr uint32_t kPartner = 1;
constexpr uint32_t kStranger = 2;

// Two links joined by a wire that takes a few frames each way and can be cut. Each side
// sees the other as peer 1; anything sent to another peer is only noted.
struct Wire {
    struct Pending {
        int At = 0;
        NetEvent Event;
    };
    int Frame = 0;
    int Delay = 3;
    bool Cut = false;
    std::deque<Pending> Inbox[2];
    std::vector<std::pair<uint32_t, std::string>> ToStrangers[2];
    std::set<uint32_t> Dropped[2];

    void Deliver(int side, NetEvent event) {
        if (!Cut) Inbox[side].push_back({Frame + Delay, std::move(event)});
    }
};

class FakeLink : public NetLink {
public:
    FakeLink(Wire& wire, int side) : wire_(wire), side_(side) {}
    bool Poll(NetEvent& event) override {
        auto& inbox = wire_.Inbox[side_];
        if (inbox.empty() || inbox.front().At > wire_.Frame) return false;
        event = inbox.front().Event;
        inbox.pop_front();
        return true;
    }
    void Send(uint32_t peer, const std::string& bytes, bool) override {
        if (peer != kPartner) {
            wire_.ToStrangers[side_].push_back({peer, bytes});
            return;
        }
        NetEvent event;
        event.Peer = kPartner;
        event.Bytes = bytes;
        wire_.Deliver(1 - side_, event);
    }
    void Flush() override {}
    void SendDatagram(const MeetAddress&, const std::string&) override {}
    void ConnectTo(const MeetAddress&) override {}
    std::vector<MeetAddress> OwnAddresses() const override { return {}; }
    uint32_t RoundTripMs(uint32_t) const override { return 2 * wire_.Delay * 1000 / 60; }
    void Drop(uint32_t peer) override { wire_.Dropped[side_].insert(peer); }
    void Leave() override {
        NetEvent gone;
        gone.Type = NetEvent::Kind::Disconnected;
        gone.Peer = kPartner;
        wire_.Deliver(1 - side_, gone);
    }

private:
    Wire& wire_;
    int side_;
};

// One machine: its own program state, its keys and its half of the game.
struct Side {
    ReplayInput shared;
    Application app;
    std::unique_ptr<NetworkGame> game;

    Side(Wire& wire, bool host, const double& now) {
        UseApp(&app);
        app.Config = std::make_unique<Settings>("", "");
        app.Config->SetInteger("Game", "NumberOfFrogs", 4);
        app.Config->SetInteger("Game", "Frog1_control", 0);
        app.Config->SetInteger("Game", "Frog2_control", 1);
        app.Sky = std::make_unique<Sky>();
        app.StepCounter = -2147483637;
        InstallKeyTable();
        app.Input = std::make_unique<InputState>(&shared);
        app.Input->Init();
        app.Menu = std::make_unique<Menu>();
        app.View = ComputeViewLayout(800, 600);
        NetworkGame::Setup setup;
        setup.Host = host;
        setup.Address = host ? "7410" : "pond.example:7410";
        setup.Seconds = [&now] { return now; };
        setup.RunStep = [this](const KeyStates& keys) {
            shared.Keys = keys;
            FrameStep(app);
        };
        game = std::make_unique<NetworkGame>(std::make_unique<FakeLink>(wire, host ? 0 : 1),
                                             std::move(setup));
    }
    ~Side() {
        UseApp(&app);
        ClearWorld();
        app.Game.reset();
    }
    void Step(uint8_t keys = 0) {
        UseApp(&app);
        game->Step(app, SharedKeys(keys, 0));
    }
};

NetEvent Event(NetEvent::Kind kind, uint32_t peer, std::string bytes = "") {
    NetEvent event;
    event.Type = kind;
    event.Peer = peer;
    event.Text = "192.0.2.7:40000";
    event.Bytes = std::move(bytes);
    return event;
}

// A host and a guest on one wire, stepped in turn 60 times a second of a shared clock.
struct Match {
    Wire wire;
    double now = 0;
    Side host{wire, true, now};
    Side guest{wire, false, now};
    std::mt19937 random{11};

    void Connect() {
        wire.Deliver(0, Event(NetEvent::Kind::Connected, kPartner));
        wire.Deliver(1, Event(NetEvent::Kind::Connected, kPartner));
    }
    void Frame(bool hostSteps = true, bool guestSteps = true) {
        const uint8_t hostKeys = static_cast<uint8_t>(random() % 32);
        const uint8_t guestKeys = static_cast<uint8_t>(random() % 32);
        if (hostSteps && !host.game->Over()) host.Step(hostKeys);
        if (guestSteps && !guest.game->Over()) guest.Step(guestKeys);
        ++wire.Frame;
        now += 1.0 / 60;
    }
    void Frames(int count, bool hostSteps = true, bool guestSteps = true) {
        for (int i = 0; i < count; ++i) Frame(hostSteps, guestSteps);
    }
    // Plays until both are over, or the seconds run out.
    void PlayOut(double seconds) {
        for (int i = 0; i < seconds * 60 && !(host.game->Over() && guest.game->Over()); ++i) {
            Frame();
        }
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

}  // namespace

TEST(NetworkGame, AJoinThatNobodyAnswersOrThatNeverStartsEndsAfterTenSeconds) {
    for (const bool connects : {false, true}) {
        Match match;
        if (connects) match.wire.Deliver(1, Event(NetEvent::Kind::Connected, kPartner));
        match.Frames(9 * 60, false, true);
        ASSERT_FALSE(match.guest.game->Over());
        EXPECT_EQ(match.guest.game->Notice().front(),
                  connects ? "STARTING THE GAME" : "JOINING pond.example:7410");
        match.Frames(2 * 60, false, true);
        ASSERT_TRUE(match.guest.game->Over());
        EXPECT_EQ(match.guest.game->ExitStatus(), kExitNobodyAnswered);
        EXPECT_EQ(match.guest.game->Problem(),
                  connects ? "The game at pond.example:7410 did not start within 10 seconds."
                           : "Nobody answered at pond.example:7410 within 10 seconds.");
    }
}

TEST(NetworkGame, AGuestToldOfAnotherVersionOrMachineOrABusyHostGivesUp) {
    const std::string otherVersion = EncodeHello(kRecordingFormat, "0.1", MachineName());
    const std::string otherMachine = EncodeHello(kRecordingFormat, PONDLARK_VERSION, "abacus");
    const struct {
        std::string Said;
        int Status;
        std::string Problem;
    } cases[] = {
        {otherVersion, kExitOtherVersion,
         "The other player has version 0.1 of the game (recordings format " +
             std::to_string(kRecordingFormat) +
             ") and this is version " PONDLARK_VERSION " (format " +
             std::to_string(kRecordingFormat) + "): both must play the same version."},
        {otherMachine, kExitOtherVersion,
         "The other player's game runs on abacus and this one on " + MachineName() +
             ": the two would play the same keys differently."},
        {EncodeBusy(), kExitNobodyAnswered,
         "The host at pond.example:7410 is already playing a game with someone else."},
    };
    for (const auto& said : cases) {
        Match match;
        match.wire.Deliver(1, Event(NetEvent::Kind::Connected, kPartner));
        match.wire.Deliver(1, Event(NetEvent::Kind::Received, kPartner, said.Said));
        match.Frames(10, false, true);
        ASSERT_TRUE(match.guest.game->Over()) << said.Problem;
        EXPECT_EQ(match.guest.game->ExitStatus(), said.Status);
        EXPECT_EQ(match.guest.game->Problem(), said.Problem);
    }
}

// Strangers who say nothing, leave, or speak another version are let go one after another,
// and the host still starts a real game afterwards; a stranger who comes during that game is
// told it is taken and the game goes on.
TEST(NetworkGame, AWaitingHostOutlastsFailedGreetingsAndTurnsAwayAThirdPlayer) {
    Match match;
    Wire& wire = match.wire;
    wire.Deliver(0, Event(NetEvent::Kind::Connected, kStranger));
    match.Frames(4 * 60, true, false);
    EXPECT_EQ(match.host.game->Notice().front(), "STARTING THE GAME");
    match.Frames(2 * 60, true, false);
    EXPECT_EQ(match.host.game->Notice().front(), "WAITING FOR A PLAYER");
    EXPECT_EQ(wire.Dropped[0].count(kStranger), 1u);

    wire.Deliver(0, Event(NetEvent::Kind::Connected, kStranger + 1));
    wire.Deliver(0, Event(NetEvent::Kind::Disconnected, kStranger + 1));
    wire.Deliver(0, Event(NetEvent::Kind::Connected, kStranger + 2));
    wire.Deliver(0, Event(NetEvent::Kind::Received, kStranger + 2,
                          EncodeHello(kRecordingFormat, "0.1", MachineName())));
    match.Frames(30, true, false);
    EXPECT_FALSE(match.host.game->Over());
    EXPECT_EQ(match.host.game->Notice().front(), "WAITING FOR A PLAYER");
    EXPECT_EQ(wire.Dropped[0].count(kStranger + 2), 1u);

    match.Connect();
    match.Frames(60);
    ASSERT_TRUE(match.host.game->Playing());
    ASSERT_TRUE(match.guest.game->Playing());
    wire.ToStrangers[0].clear();
    wire.Deliver(0, Event(NetEvent::Kind::Connected, kStranger + 3));
    match.Frames(60);
    ASSERT_EQ(wire.ToStrangers[0].size(), 1u);
    NetMessage told;
    const auto& bytes = wire.ToStrangers[0][0].second;
    ASSERT_TRUE(DecodeMessage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), told));
    EXPECT_EQ(told.Type, NetMessage::Kind::Busy);
    EXPECT_EQ(wire.Dropped[0].count(kStranger + 3), 1u);
    EXPECT_TRUE(match.host.game->Playing());
    EXPECT_FALSE(match.host.game->Stalled());
}

// The guest's machine stops stepping while the link stays up: the host holds the picture
// under a notice within a second and gives up five seconds after the last keys came, or on
// Escape once the notice has been up a moment.
TEST(NetworkGame, KeysThatStopComingShowANoticeAndEndTheGameByOurClock) {
    for (const bool escape : {false, true}) {
        Match match;
        match.Connect();
        match.Frames(200);
        ASSERT_TRUE(match.host.game->Playing());
        match.Frames(50, true, false);
        ASSERT_TRUE(match.host.game->Stalled());
        EXPECT_EQ(match.host.game->Notice().front(), "WAITING FOR THE OTHER PLAYER");
        if (escape) {
            match.host.game->Abandon();
            EXPECT_FALSE(match.host.game->Over());
            match.Frames(15, true, false);
            match.host.game->Abandon();
            EXPECT_TRUE(match.host.game->Over());
            EXPECT_EQ(match.host.game->Problem(), "");
        } else {
            match.Frames(4 * 60, true, false);
            EXPECT_FALSE(match.host.game->Over());
            match.Frames(60, true, false);
            EXPECT_TRUE(match.host.game->Over());
            EXPECT_EQ(match.host.game->Problem(),
                      "The other player has not answered for 5 seconds.");
        }
        EXPECT_EQ(match.host.game->ExitStatus(), kExitOtherPlayerLeft);
    }
}

// Hashes for steps that are no checkpoint, for step 0 or far ahead are dropped and leave the
// check working; a wrong one for the next checkpoint ends the game where the two last agreed.
TEST(NetworkGame, OnlyAHashNearTheLastComparedOneCountsAndAWrongOneEndsTheGame) {
    Match match;
    match.Connect();
    match.Frames(30);
    for (const uint32_t step : {0u, 61u, 60u * 9, 60u * 400}) {
        match.wire.Deliver(0, Event(NetEvent::Kind::Received, kPartner, EncodeHash(step, 1)));
    }
    testing::internal::CaptureStdout();
    match.Frames(14 * 60);
    ASSERT_TRUE(match.host.game->Playing());
    match.wire.Deliver(0, Event(NetEvent::Kind::Received, kPartner, EncodeHash(60 * 16, 1)));
    match.PlayOut(3);
    const std::vector<std::string> lines = Lines(testing::internal::GetCapturedStdout());
    EXPECT_EQ(match.host.game->ExitStatus(), kExitGamesWentApart);
    EXPECT_EQ(match.host.game->Problem(),
              "The two games went apart at step 960; the recordings are kept.");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], lines[1]);
    EXPECT_EQ(lines[0].rfind("game ended after 900 steps", 0), 0u) << lines[0];
}

// However the game stops mid-way, both sides print the same summing-up line.
TEST(NetworkGame, AClosedWindowOrACutLinkSumsUpAlikeOnBothSides) {
    for (const bool cut : {false, true}) {
        for (const int delay : {1, 4, 9}) {
            Match match;
            match.wire.Delay = delay;
            match.Connect();
            testing::internal::CaptureStdout();
            match.Frames(1000 + 7 * delay);
            ASSERT_TRUE(match.host.game->Playing());
            if (cut) {
                match.wire.Cut = true;
            } else {
                match.guest.game->Close();
            }
            match.PlayOut(7);
            const std::vector<std::string> lines = Lines(testing::internal::GetCapturedStdout());
            ASSERT_TRUE(match.host.game->Over() && match.guest.game->Over());
            ASSERT_EQ(lines.size(), 2u);
            EXPECT_EQ(lines[0], lines[1]) << "cut " << cut << ", delay " << delay;
            EXPECT_EQ(match.guest.game->ExitStatus(), cut ? kExitOtherPlayerLeft : kExitOk);
            EXPECT_EQ(match.host.game->ExitStatus(), kExitOtherPlayerLeft);
        }
    }
}
