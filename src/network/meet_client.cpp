#include "network/meet_client.h"

#include <algorithm>

namespace {

constexpr double kRegisterEvery = 1;
constexpr double kJoinEvery = 0.5;
constexpr double kProbeEvery = 0.2;
// Holes open within a round trip or two; past this the relay is asked for.
constexpr double kProbeSeconds = 3;
// The other side's own addresses, the one the server saw, and a few its probes came from.
constexpr size_t kMostTargets = kMostCandidates + 4;

}  // namespace

MeetClient::MeetClient(NetLink& link, Setup setup) : link_(link), setup_(std::move(setup)) {
    if (setup_.Candidates.size() > kMostCandidates) setup_.Candidates.resize(kMostCandidates);
}

MeetMessage MeetClient::Request(MeetMessage::Kind kind) const {
    MeetMessage message;
    message.Type = kind;
    message.Nonce = setup_.Nonce;
    message.Session = session_;
    return message;
}

void MeetClient::Send(const MeetAddress& to, const MeetMessage& message) {
    link_.SendDatagram(to, EncodeMeet(message));
}

void MeetClient::Found(const MeetAddress& server, double now) {
    server_ = server;
    stage_ = Stage::Meeting;
    nextSend_ = now;
    nextRegister_ = now;
}

void MeetClient::Tick(double now) {
    if (stage_ == Stage::LookingUp || stage_ == Stage::Connected || stage_ == Stage::Refused) {
        return;
    }
    // The host goes on registering while it waits: that is how it hears of a guest and of a
    // relay, and it keeps its router's way to the server open.
    if (setup_.Host && now >= nextRegister_) {
        MeetMessage request = Request(MeetMessage::Kind::Register);
        request.Candidates = setup_.Candidates;
        Send(server_, request);
        nextRegister_ = now + kRegisterEvery;
    }
    if (now < nextSend_) return;
    if (stage_ == Stage::Meeting && !setup_.Host) {
        MeetMessage request = Request(MeetMessage::Kind::Join);
        request.Code = setup_.Code;
        request.Candidates = setup_.Candidates;
        Send(server_, request);
        nextSend_ = now + kJoinEvery;
    } else if (stage_ == Stage::Probing) {
        const MeetMessage probe = Request(MeetMessage::Kind::Probe);
        for (const MeetAddress& target : targets_) Send(target, probe);
        nextSend_ = now + kProbeEvery;
        if (!setup_.Host && now - probingSince_ > kProbeSeconds) stage_ = Stage::AskingRelay;
    } else if (stage_ == Stage::AskingRelay) {
        Send(server_, Request(MeetMessage::Kind::Relay));
        nextSend_ = now + kJoinEvery;
    }
}

void MeetClient::Datagram(const MeetAddress& from, const std::string& bytes, double now) {
    MeetMessage message;
    if (!DecodeMeet(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), message)) {
        return;
    }
    if (stage_ == Stage::LookingUp || stage_ == Stage::Refused) return;
    if (message.Type == MeetMessage::Kind::Probe) {
        Probed(from, message);
    } else if (from == server_ && message.Nonce == setup_.Nonce) {
        Meet(message, now);
    }
}

void MeetClient::Meet(const MeetMessage& answer, double now) {
    switch (answer.Type) {
        case MeetMessage::Kind::Registered:
            if (setup_.Host) code_ = answer.Code;
            return;
        case MeetMessage::Kind::Peer:
            if (session_ != 0 || answer.Session == 0) return;
            session_ = answer.Session;
            targets_ = answer.Candidates;
            if (std::find(targets_.begin(), targets_.end(), answer.Other) == targets_.end()) {
                targets_.push_back(answer.Other);
            }
            stage_ = Stage::Probing;
            probingSince_ = now;
            nextSend_ = now;
            return;
        case MeetMessage::Kind::Relaying:
            relayed_ = true;
            if (!setup_.Host && stage_ == Stage::AskingRelay) Connect(server_);
            return;
        case MeetMessage::Kind::Refused:
            Refuse(answer.Why);
            return;
        default:
            return;
    }
}

// A probe proves the way from its sender; its answer proves the way back too, and the
// guest connects where the first answer came from, which may be an address neither side
// knew: the one the other side's router gave.
void MeetClient::Probed(const MeetAddress& from, const MeetMessage& probe) {
    if (session_ == 0 || probe.Session != session_) return;
    if (!probe.Answer) {
        // A router that gives every destination its own port shows the other side another
        // address than the server saw: probes go there too, so the answer can come back.
        if (targets_.size() < kMostTargets &&
            std::find(targets_.begin(), targets_.end(), from) == targets_.end()) {
            targets_.push_back(from);
        }
        MeetMessage answer = Request(MeetMessage::Kind::Probe);
        answer.Answer = true;
        Send(from, answer);
        return;
    }
    if (!setup_.Host && (stage_ == Stage::Probing || stage_ == Stage::AskingRelay)) {
        Connect(from);
    }
}

void MeetClient::Connect(const MeetAddress& to) {
    stage_ = Stage::Connected;
    link_.ConnectTo(to);
}

void MeetClient::Started(const MeetAddress& partner) {
    stage_ = Stage::Connected;
    relayed_ = partner == server_;
    if (!relayed_) Ended();
}

void MeetClient::Ended() {
    if (done_ || (session_ == 0 && code_.empty())) return;
    done_ = true;
    Send(server_, Request(MeetMessage::Kind::Done));
}

void MeetClient::Refuse(MeetMessage::Reason why) {
    const std::string server = "The meeting server at " + ToString(server_);
    switch (why) {
        case MeetMessage::Reason::UnknownCode:
            problem_ = server + " knows no game with the join code " + setup_.Code + ".";
            break;
        case MeetMessage::Reason::Busy:
            problem_ = setup_.Host
                           ? server + " has no room for another game just now."
                           : "Another player has already joined the game " + setup_.Code + ".";
            break;
        case MeetMessage::Reason::OtherVersion:
            problem_ = server + " speaks another version of the meeting protocol.";
            break;
        case MeetMessage::Reason::Expired:
            problem_ = "The join code " + setup_.Code + " has expired.";
            break;
    }
    stage_ = Stage::Refused;
}
