// Two players who cannot reach each other directly meet through a meeting server: the host
// registers and gets a join code, the guest joins with it, and the server tells each where
// the other can be reached. Both then probe every address of the other at once, so that
// both routers let the other side in, and the guest connects to the first address that
// answers; when none does within a few seconds, the game goes through the server's relay.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input/net_link.h"
#include "network/meet_messages.h"

class MeetClient {
public:
    struct Setup {
        bool Host = false;
        // The guest's join code, as typed.
        std::string Code;
        // This machine's own addresses, with the game's port.
        std::vector<MeetAddress> Candidates;
        // This run's random number, which answers must carry.
        uint64_t Nonce = 0;
    };
    enum class Stage { LookingUp, Meeting, Probing, AskingRelay, Connected, Refused };

    MeetClient(NetLink& link, Setup setup);

    // The meeting server's address is known.
    void Found(const MeetAddress& server, double now);
    // Sends what is due: registrations, joins, probes, a request to relay.
    void Tick(double now);
    void Datagram(const MeetAddress& from, const std::string& bytes, double now);
    // The game has started with the player at `partner`: the server forgets a direct
    // session at once and carries a relayed one until the game ends.
    void Started(const MeetAddress& partner);
    void Ended();

    Stage Current() const { return stage_; }
    const MeetAddress& Server() const { return server_; }
    // The host's join code once the server gave one.
    const std::string& Code() const { return code_; }
    bool Relayed() const { return relayed_; }
    // What the server refused, as a sentence; empty while it has not.
    const std::string& Problem() const { return problem_; }

private:
    void Send(const MeetAddress& to, const MeetMessage& message);
    void Meet(const MeetMessage& answer, double now);
    void Probed(const MeetAddress& from, const MeetMessage& probe);
    void Connect(const MeetAddress& to);
    void Refuse(MeetMessage::Reason why);
    MeetMessage Request(MeetMessage::Kind kind) const;

    NetLink& link_;
    Setup setup_;
    Stage stage_ = Stage::LookingUp;
    MeetAddress server_;
    std::string code_;
    uint64_t session_ = 0;
    std::vector<MeetAddress> targets_;
    double nextSend_ = 0;
    double nextRegister_ = 0;
    double probingSince_ = 0;
    bool relayed_ = false;
    bool done_ = false;
    std::string problem_;
};
