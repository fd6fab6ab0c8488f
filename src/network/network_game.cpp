#include "network/network_game.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "input/input_state.h"
#include "network/machine_name.h"
#include "network/shared_keys.h"
#include "recording/recorded_game.h"
#include "state/application.h"
#include "state/exit_status.h"

namespace {

// A guest gives up when no game has started this long after it set out.
constexpr double kJoinSeconds = 10;
// A host waits this long for a player who connected to start a game, then waits again.
constexpr double kGreetingSeconds = 5;
// Without new keys from the other side for this long the picture is held under a notice,
// and after the longer time the game ends.
constexpr double kStallNoticeSeconds = 0.5;
// Escape leaves a held game only once the notice has been up a moment: a tap during a
// hiccup is the game's own Escape, played when the keys come again.
constexpr double kLeaveAfterSeconds = 1;
constexpr double kSilenceSeconds = 5;
// A finished game waits this long at most for the other side to hold every key of it.
constexpr double kFarewellSeconds = 2;
constexpr double kStepMs = 1000.0 / 60;
// Held back at most once in this many steps, so that catching up is never felt.
constexpr int32_t kStepsBetweenHolds = 10;
// The recording stays this far behind what both sides agree on, so that a game the other
// side sums up a little earlier still finds the file no longer than its line.
constexpr int32_t kRecordMargin = 2 * Rollback::kHashEvery;
// The other side's hashes are taken only for this many checkpoints ahead of the last one
// compared; anything else is nonsense.
constexpr int32_t kHashWindow = 8;

std::string Sentence(std::string words) {
    if (!words.empty())
        words[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(words[0])));
    return words + ".";
}

}  // namespace

NetworkGame::NetworkGame(std::unique_ptr<NetLink> link, Setup setup)
    : link_(std::move(link)), setup_(std::move(setup)) {
    if (setup_.Server.empty()) return;
    MeetClient::Setup meet;
    meet.Host = setup_.Host;
    meet.Code = setup_.Code;
    meet.Candidates = link_->OwnAddresses();
    meet.Nonce = setup_.Nonce;
    meet_ = std::make_unique<MeetClient>(*link_, std::move(meet));
}

bool NetworkGame::Stalled() const {
    return stage_ == Stage::Playing && setup_.Seconds() - keysCameAt_ > kStallNoticeSeconds;
}

std::vector<std::string> NetworkGame::Notice() const {
    if (Playing()) return {"WAITING FOR THE OTHER PLAYER", "", "ESCAPE LEAVES THE GAME"};
    if (stage_ == Stage::Greeting) return {"STARTING THE GAME"};
    return setup_.Host ? WaitingNotice() : JoiningNotice();
}

std::vector<std::string> NetworkGame::WaitingNotice() const {
    std::vector<std::string> lines = {"WAITING FOR A PLAYER"};
    if (meet_) {
        lines.push_back(meet_->Code().empty() ? "ASKING THE MEETING SERVER"
                                              : "JOIN CODE " + meet_->Code());
    }
    lines.push_back("ON UDP PORT " + setup_.Address);
    if (setup_.RouterAddress && router_ == Router::Asking) {
        lines.push_back("ASKING THE ROUTER TO OPEN IT");
    } else if (router_ == Router::Forwarded) {
        lines.push_back("OR JOIN " + publicAddress_);
    } else if (router_ == Router::Failed) {
        lines.push_back("THE ROUTER COULD NOT BE ASKED");
        if (!meet_) lines.push_back("FORWARD THE PORT OR USE --meet");
    }
    lines.insert(lines.end(), {"", "ESCAPE CANCELS"});
    return lines;
}

std::vector<std::string> NetworkGame::JoiningNotice() const {
    if (!meet_) return {"JOINING " + setup_.Address, "", "ESCAPE CANCELS"};
    std::string how;
    switch (meet_->Current()) {
        case MeetClient::Stage::LookingUp:
        case MeetClient::Stage::Meeting:
        case MeetClient::Stage::Refused:
            how = "ASKING THE MEETING SERVER";
            break;
        case MeetClient::Stage::Probing:
            how = "LOOKING FOR A WAY TO THE HOST";
            break;
        case MeetClient::Stage::AskingRelay:
            how = "GOING THROUGH THE MEETING SERVER";
            break;
        case MeetClient::Stage::Connected:
            how = meet_->Relayed() ? "THROUGH THE MEETING SERVER" : "FOUND A DIRECT WAY";
            break;
    }
    return {"JOINING " + setup_.Code, how, "", "ESCAPE CANCELS"};
}

void NetworkGame::Step(Application& app, const KeyStates& localKeys) {
    NetEvent event;
    while (stage_ != Stage::Over && link_->Poll(event)) Receive(app, event);
    if (stage_ != Stage::Over) CheckClocks();
    if (stage_ != Stage::Over) AskRouter();
    if (meet_ && stage_ != Stage::Over && !Playing()) MeetStep();
    if (!Playing()) {
        if (stage_ != Stage::Over) link_->Flush();
        return;
    }
    rollback_->Reconcile();
    // A tap that comes and goes while this side waits is kept for the next step played.
    heldKeys_ |= SideKeys(localKeys);
    if (stage_ == Stage::Playing) {
        if (!rollback_->MayAdvance()) {
            ++waited_;
        } else if (HoldForClock()) {
            ++heldBack_;
        } else {
            rollback_->Advance(heldKeys_);
            heldKeys_ = 0;
        }
    }
    SendKeys();
    Record(AgreedStep() - kRecordMargin);
    CompareHashes();
    if (stage_ == Stage::Over) return;
    if (stage_ == Stage::Playing && EndAgreed()) {
        stage_ = Stage::Finishing;
        finishingSince_ = setup_.Seconds();
    }
    // The other side is let go once it holds every key of the game and has played to its end.
    const int32_t ended = rollback_->EndedAfter();
    if (stage_ == Stage::Finishing && ((theyHold_ >= ended && theyPlayed_ >= ended) ||
                                       setup_.Seconds() - finishingSince_ > kFarewellSeconds)) {
        End(kExitOk, "");
        return;
    }
    link_->Flush();
}

void NetworkGame::CheckClocks() {
    const double now = setup_.Seconds();
    // Loading the game is not joining it: the clock starts with the first step.
    if (startedAt_ < 0) startedAt_ = now;
    if (!setup_.Host && !Playing() && now - startedAt_ > kJoinSeconds) {
        End(kExitNobodyAnswered, JoinTimedOut());
    } else if (setup_.Host && stage_ == Stage::Greeting &&
               now - greetingSince_ > kGreetingSeconds) {
        WaitAgain("did not start a game within 5 seconds");
    } else if (stage_ == Stage::Playing && now - keysCameAt_ > kSilenceSeconds) {
        End(kExitOtherPlayerLeft, "The other player has not answered for 5 seconds.");
    }
}

void NetworkGame::MeetStep() {
    meet_->Tick(setup_.Seconds());
    if (meet_->Current() == MeetClient::Stage::Refused) {
        End(kExitNobodyAnswered, meet_->Problem());
        return;
    }
    if (setup_.Host && toldCode_ != meet_->Code()) {
        toldCode_ = meet_->Code();
        std::fprintf(stderr, "join code: %s\n", toldCode_.c_str());
    }
}

// The router is asked on a thread of its own; its answer is shown once it comes.
void NetworkGame::AskRouter() {
    if (!setup_.RouterAddress || router_ != Router::Asking) return;
    const std::optional<std::string> answer = setup_.RouterAddress();
    if (!answer) return;
    if (answer->empty()) {
        router_ = Router::Failed;
        return;
    }
    router_ = Router::Forwarded;
    publicAddress_ = *answer;
    std::fprintf(stderr, "public address: %s\n", publicAddress_.c_str());
}

std::string NetworkGame::JoinTimedOut() const {
    if (stage_ != Stage::Waiting) {
        return "The game at " + (meet_ ? setup_.Code : setup_.Address) +
               " did not start within 10 seconds.";
    }
    if (!meet_) return "Nobody answered at " + setup_.Address + " within 10 seconds.";
    switch (meet_->Current()) {
        case MeetClient::Stage::LookingUp:
        case MeetClient::Stage::Meeting:
            return "The meeting server at " + setup_.Server + " did not answer within 10 seconds.";
        default:
            return "No way to the game " + setup_.Code +
                   " opened within 10 seconds, not even through the meeting server.";
    }
}

void NetworkGame::Receive(Application& app, const NetEvent& event) {
    switch (event.Type) {
        case NetEvent::Kind::Failed:
            End(kExitNobodyAnswered, Sentence(event.Text));
            return;
        case NetEvent::Kind::Connected:
            Connected(event);
            return;
        case NetEvent::Kind::Disconnected:
            if (event.Peer == partner_) Disconnected();
            return;
        case NetEvent::Kind::Found:
            if (meet_) meet_->Found(event.From, setup_.Seconds());
            return;
        case NetEvent::Kind::Datagram:
            if (meet_) meet_->Datagram(event.From, event.Bytes, setup_.Seconds());
            return;
        case NetEvent::Kind::Received:
            break;
    }
    if (event.Peer != partner_) return;
    NetMessage message;
    const auto* data = reinterpret_cast<const uint8_t*>(event.Bytes.data());
    if (DecodeMessage(data, event.Bytes.size(), message)) Message(app, message);
}

void NetworkGame::Connected(const NetEvent& event) {
    if (stage_ == Stage::Waiting && partner_ == 0) {
        partner_ = event.Peer;
        partnerAddress_ = event.Text;
        partnerFrom_ = event.From;
        stage_ = Stage::Greeting;
        greetingSince_ = setup_.Seconds();
        link_->Send(partner_, EncodeHello(kRecordingFormat, PONDLARK_VERSION, MachineName()), true);
        return;
    }
    // Someone else, while this side has its player: told so and let go, the game untouched.
    link_->Send(event.Peer, EncodeBusy(), true);
    link_->Drop(event.Peer);
    std::fprintf(stderr, "Pondlark Remake: a player at %s was told this game is taken\n",
                 event.Text.c_str());
}

void NetworkGame::Disconnected() {
    if (setup_.Host && stage_ == Stage::Greeting) {
        WaitAgain("left before the game started");
    } else if (!Playing()) {
        End(kExitNobodyAnswered, stage_ == Stage::Waiting
                                     ? "Nobody answered at " + setup_.Address + "."
                                     : "The host at " + setup_.Address +
                                           " closed the connection before the game started.");
    } else if (stage_ == Stage::Finishing) {
        End(kExitOk, "");
    } else {
        End(kExitOtherPlayerLeft, "The other player has left the game.");
    }
}

void NetworkGame::Message(Application& app, const NetMessage& message) {
    switch (message.Type) {
        case NetMessage::Kind::Hello:
            if (stage_ == Stage::Greeting) Greeted(app, message);
            break;
        case NetMessage::Kind::Start: {
            if (stage_ != Stage::Greeting || setup_.Host) break;
            Recording game;
            std::string problem;
            if (ParseRecording(message.Game, game, problem) != RecordingRead::Ok) {
                End(kExitOtherVersion, "The host's game could not be read: it " + problem);
                break;
            }
            Begin(app, game.Header);
            break;
        }
        case NetMessage::Kind::Busy:
            if (!setup_.Host && !Playing()) {
                End(kExitNobodyAnswered, "The host at " + setup_.Address +
                                             " is already playing a game with someone else.");
            }
            break;
        case NetMessage::Kind::Keys: {
            if (!Playing()) break;
            const int32_t known = rollback_->RemoteKnown();
            rollback_->AddRemote(message.First, message.Keys.data(), message.Keys.size());
            if (rollback_->RemoteKnown() > known) keysCameAt_ = setup_.Seconds();
            theyHold_ = std::max(theyHold_, static_cast<int32_t>(message.Received));
            theyPlayed_ =
                std::max(theyPlayed_, static_cast<int32_t>(message.First + message.Keys.size()));
            break;
        }
        case NetMessage::Kind::Hash: {
            const auto step = static_cast<int32_t>(message.Step);
            const bool expected = step % Rollback::kHashEvery == 0 && step > comparedUpTo_ &&
                                  step <= comparedUpTo_ + kHashWindow * Rollback::kHashEvery;
            if (Playing() && expected) theirHashes_.emplace(step, message.Hash);
            break;
        }
        case NetMessage::Kind::Bye:
            if (Playing()) OtherSideLeft(message.Step);
            break;
    }
}

void NetworkGame::Greeted(Application& app, const NetMessage& hello) {
    std::string mismatch;
    if (hello.Version != PONDLARK_VERSION || hello.Format != kRecordingFormat) {
        mismatch = "The other player has version " + hello.Version +
                   " of the game (recordings format " + std::to_string(hello.Format) +
                   ") and this is version " + PONDLARK_VERSION + " (format " +
                   std::to_string(kRecordingFormat) + "): both must play the same version.";
    } else if (hello.Machine != MachineName()) {
        mismatch = "The other player's game runs on " + hello.Machine + " and this one on " +
                   MachineName() + ": the two would play the same keys differently.";
    }
    if (!mismatch.empty()) {
        // A host's own greeting has told the player already; the host waits on.
        if (setup_.Host) {
            WaitAgain("cannot play with this game: " + hello.Version + ", " + hello.Machine);
        } else {
            End(kExitOtherVersion, mismatch);
        }
        return;
    }
    if (!setup_.Host) return;
    RecordingHeader header = HeaderForNewGame(app, PONDLARK_VERSION);
    header.StartKeys = {};
    link_->Send(partner_, EncodeStart(EncodeHeader(header) + StepEncoder::EndMark()), true);
    Begin(app, header);
}

void NetworkGame::WaitAgain(const std::string& why) {
    std::fprintf(stderr, "Pondlark Remake: the player at %s %s; still waiting for a player\n",
                 partnerAddress_.c_str(), why.c_str());
    link_->Drop(partner_);
    partner_ = 0;
    stage_ = Stage::Waiting;
}

void NetworkGame::Begin(Application& app, const RecordingHeader& header) {
    app.Input->Keys = header.StartKeys;
    StartRecordedGame(app, header);
    viewWidth_ = header.ViewWidth;
    rollback_ = std::make_unique<Rollback>(app, setup_.Host, setup_.RunStep);
    if (!setup_.RecordPath.empty()) {
        recording_ = writer_.Begin(setup_.RecordPath, header);
        if (!recording_) {
            std::fprintf(stderr, "Pondlark Remake: the recording %s could not be written.\n",
                         setup_.RecordPath.c_str());
        }
    }
    keysCameAt_ = setup_.Seconds();
    stage_ = Stage::Playing;
    if (meet_) meet_->Started(partnerFrom_);
    std::fprintf(stderr, "Pondlark Remake: playing with %s, %s, %.1f s after setting out\n",
                 partnerAddress_.c_str(), Relayed() ? "relayed" : "direct",
                 keysCameAt_ - startedAt_);
}

// Every key the other side may not hold yet goes again, so a lost message costs nothing.
void NetworkGame::SendKeys() {
    const int32_t steps = rollback_->Steps();
    if (steps == 0) return;
    const int32_t most = static_cast<int32_t>(kMostKeysPerMessage);
    const int32_t first = std::clamp(theyHold_, std::max(0, steps - most), steps - 1);
    link_->Send(
        partner_,
        EncodeKeys(static_cast<uint32_t>(rollback_->RemoteKnown()), static_cast<uint32_t>(first),
                   rollback_->LocalKeys().data() + first, static_cast<size_t>(steps - first)),
        false);
}

// The side that runs ahead of the other now and then lets a step pass unplayed.
bool NetworkGame::HoldForClock() {
    ++stepsSinceHold_;
    if (theyPlayed_ == 0 || stepsSinceHold_ < kStepsBetweenHolds) return false;
    const double theirsNow = theyPlayed_ + link_->RoundTripMs(partner_) / 2.0 / kStepMs;
    if (rollback_->Steps() - theirsNow < 2) return false;
    stepsSinceHold_ = 0;
    return true;
}

void NetworkGame::Record(int32_t upTo) {
    for (; recorded_ < upTo; ++recorded_) {
        if (recording_) writer_.Step(rollback_->SharedKeysAt(recorded_), viewWidth_);
    }
}

// Each side hashes a checkpoint once both sides' keys up to it are known, and the two
// hashes are compared in order.
void NetworkGame::CompareHashes() {
    for (int32_t after = hashedUpTo_ + Rollback::kHashEvery; after <= rollback_->Confirmed();
         after += Rollback::kHashEvery) {
        const uint64_t hash = rollback_->HashAfter(after);
        link_->Send(partner_, EncodeHash(static_cast<uint32_t>(after), hash), true);
        ourHashes_[after] = hash;
        hashedUpTo_ = after;
    }
    // A side that never answers with its hashes leaves the check off, and nothing grows.
    while (ourHashes_.size() > static_cast<size_t>(kHashWindow))
        ourHashes_.erase(ourHashes_.begin());
    for (auto ours = ourHashes_.begin(); ours != ourHashes_.end();) {
        const auto theirs = theirHashes_.find(ours->first);
        if (theirs == theirHashes_.end()) break;
        if (theirs->second != ours->second) {
            End(kExitGamesWentApart,
                "The two games went apart at step " + std::to_string(ours->first) +
                    "; the recordings are kept.",
                comparedUpTo_);
            return;
        }
        ++hashesCompared_;
        comparedUpTo_ = ours->first;
        theirHashes_.erase(theirHashes_.begin(), std::next(theirs));
        ours = ourHashes_.erase(ours);
    }
}

// The other side has summed the game up after `step` steps and gone: this side sums it up
// there too, as far as it can follow.
void NetworkGame::OtherSideLeft(uint32_t step) {
    rollback_->Reconcile();
    const int32_t ended = rollback_->EndedAfter();
    if (ended >= 0 && step == static_cast<uint32_t>(ended) && rollback_->Confirmed() >= ended) {
        End(kExitOk, "", ended);
        return;
    }
    const int32_t known = static_cast<int32_t>(std::min<int64_t>(step, rollback_->Confirmed()));
    const int32_t agreed = known / Rollback::kHashEvery * Rollback::kHashEvery;
    if (stage_ == Stage::Finishing) {
        End(kExitOk, "", agreed);
    } else {
        End(kExitOtherPlayerLeft, "The other player has left the game.", agreed);
    }
}

bool NetworkGame::EndAgreed() const {
    const int32_t ended = rollback_->EndedAfter();
    return ended >= 0 && rollback_->Confirmed() >= ended;
}

int32_t NetworkGame::AgreedStep() const {
    const int32_t known = std::min({rollback_->Confirmed(), theyHold_, theyPlayed_});
    return known / Rollback::kHashEvery * Rollback::kHashEvery;
}

// Both sides come to the same step without another word: the game's own end once each knows
// the other holds it, else the last checkpoint each knows the other holds. Only a link that
// dies within a few steps of a checkpoint can leave the two a checkpoint apart.
int32_t NetworkGame::FinalStep() const {
    if (!rollback_) return 0;
    const int32_t ended = rollback_->EndedAfter();
    if (EndAgreed() && theyHold_ >= ended && theyPlayed_ >= ended) return ended;
    return AgreedStep();
}

void NetworkGame::Close() {
    if (stage_ != Stage::Over) End(kExitOk, "");
}

void NetworkGame::Abandon() {
    if (stage_ != Stage::Playing || setup_.Seconds() - keysCameAt_ < kLeaveAfterSeconds) return;
    std::fprintf(stderr,
                 "Pondlark Remake: the other player stopped answering; the game was left\n");
    End(kExitOtherPlayerLeft, "");
}

void NetworkGame::End(int status, const std::string& problem, int32_t step) {
    if (rollback_) {
        rollback_->Reconcile();
        const GameWatch* watch =
            step == rollback_->EndedAfter() ? &rollback_->Watch() : rollback_->WatchAfter(step);
        if (!watch) {
            // Too far back to be kept: the last step both sides' keys are known for.
            step = rollback_->Confirmed();
            rollback_->RewindTo(step);
            watch = &rollback_->Watch();
        }
        Record(step);
        if (recording_) writer_.Finish();
        watch->PrintSummary();
        std::fprintf(stderr,
                     "Pondlark Remake: network: %s, %d rollbacks, deepest %d steps, %d hashes "
                     "compared, %d steps waited for the other side, %d held back\n",
                     Relayed() ? "relayed" : "direct", rollback_->Rollbacks(),
                     rollback_->Deepest(), hashesCompared_, waited_, heldBack_);
        link_->Send(partner_, EncodeBye(static_cast<uint32_t>(step)), true);
    }
    if (!problem.empty()) std::fprintf(stderr, "Pondlark Remake: %s\n", problem.c_str());
    link_->Leave();
    // Only once the goodbye has gone: a relay stops carrying at this word.
    if (meet_) meet_->Ended();
    status_ = status;
    problem_ = problem;
    stage_ = Stage::Over;
}
