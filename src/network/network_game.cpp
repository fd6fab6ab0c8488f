#include "network/network_game.h"

#include <algorithm>
#include <cstdio>

#include "input/input_state.h"
#include "network/shared_keys.h"
#include "recording/recorded_game.h"
#include "state/application.h"

namespace {

// A guest that hears nothing back for this long gives up.
constexpr double kJoinSeconds = 10;
// A finished game waits this long at most for the other side to hold every key of it.
constexpr double kFarewellSeconds = 2;
constexpr double kStepMs = 1000.0 / 60;
// Held back at most once in this many steps, so that catching up is never felt.
constexpr int32_t kStepsBetweenHolds = 10;
// Hashes of the other side's that are kept waiting for ours; more is nonsense.
constexpr size_t kMostWaitingHashes = 16;

}  // namespace

NetworkGame::NetworkGame(std::unique_ptr<NetLink> link, Setup setup)
    : link_(std::move(link)), setup_(std::move(setup)), startedAt_(setup_.Seconds()) {}

std::vector<std::string> NetworkGame::Notice() const {
    if (stage_ == Stage::Greeting) return {"STARTING THE GAME"};
    if (setup_.Host) {
        return {"WAITING FOR A PLAYER", "ON UDP PORT " + setup_.Address, "", "ESCAPE CANCELS"};
    }
    return {"JOINING " + setup_.Address, "", "ESCAPE CANCELS"};
}

void NetworkGame::Step(Application& app, const KeyStates& localKeys) {
    NetEvent event;
    while (stage_ != Stage::Over && link_->Poll(event)) Receive(app, event);
    if (stage_ == Stage::Waiting && !setup_.Host && setup_.Seconds() - startedAt_ > kJoinSeconds) {
        End(kNobodyAnswered, "Nobody answered at " + setup_.Address + " within 10 seconds.");
    }
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
    Record();
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
        End(0, "");
        return;
    }
    link_->Flush();
}

void NetworkGame::Receive(Application& app, const NetEvent& event) {
    if (event.Type == NetEvent::Kind::Connected) {
        if (stage_ != Stage::Waiting) return;
        stage_ = Stage::Greeting;
        link_->Send(EncodeHello(kRecordingFormat, PONDLARK_VERSION), true);
        return;
    }
    if (event.Type == NetEvent::Kind::Disconnected) {
        // A side that leaves once the game is over has sent every key of it.
        if (rollback_) rollback_->Reconcile();
        if (stage_ == Stage::Finishing || (stage_ == Stage::Playing && EndAgreed())) {
            End(0, "");
        } else if (stage_ == Stage::Waiting && !setup_.Host) {
            End(kNobodyAnswered, "Nobody answered at " + setup_.Address + ".");
        } else if (stage_ != Stage::Waiting) {
            End(kOtherPlayerLeft, "The other player has left the game.");
        }
        return;
    }
    NetMessage message;
    const auto* data = reinterpret_cast<const uint8_t*>(event.Bytes.data());
    if (!DecodeMessage(data, event.Bytes.size(), message)) return;
    switch (message.Type) {
        case NetMessage::Kind::Hello:
            if (stage_ == Stage::Greeting) Greeted(app, message);
            break;
        case NetMessage::Kind::Start: {
            if (stage_ != Stage::Greeting || setup_.Host) break;
            Recording game;
            std::string problem;
            if (ParseRecording(message.Game, game, problem) != RecordingRead::Ok) {
                End(kOtherVersion, "The host's game could not be read: it " + problem);
                break;
            }
            Begin(app, game.Header);
            break;
        }
        case NetMessage::Kind::Keys:
            if (!Playing()) break;
            rollback_->AddRemote(message.First, message.Keys.data(), message.Keys.size());
            theyHold_ = std::max(theyHold_, static_cast<int32_t>(message.Received));
            theyPlayed_ =
                std::max(theyPlayed_, static_cast<int32_t>(message.First + message.Keys.size()));
            break;
        case NetMessage::Kind::Hash:
            if (!Playing() || message.Step % Rollback::kHashEvery != 0) break;
            if (theirHashes_.size() < kMostWaitingHashes) {
                theirHashes_[static_cast<int32_t>(message.Step)] = message.Hash;
            }
            break;
    }
}

void NetworkGame::Greeted(Application& app, const NetMessage& hello) {
    if (hello.Version != PONDLARK_VERSION || hello.Format != kRecordingFormat) {
        End(kOtherVersion, "The other player has version " + hello.Version +
                               " of the game (recordings format " + std::to_string(hello.Format) +
                               ") and this is version " + PONDLARK_VERSION + " (format " +
                               std::to_string(kRecordingFormat) +
                               "): both must play the same version.");
        return;
    }
    if (!setup_.Host) return;
    RecordingHeader header = HeaderForNewGame(app, PONDLARK_VERSION);
    header.StartKeys = {};
    link_->Send(EncodeStart(EncodeHeader(header) + StepEncoder::EndMark()), true);
    Begin(app, header);
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
    stage_ = Stage::Playing;
}

// Every key the other side may not hold yet goes again, so a lost message costs nothing.
void NetworkGame::SendKeys() {
    const int32_t steps = rollback_->Steps();
    if (steps == 0) return;
    const int32_t most = static_cast<int32_t>(kMostKeysPerMessage);
    const int32_t first = std::clamp(theyHold_, std::max(0, steps - most), steps - 1);
    link_->Send(
        EncodeKeys(static_cast<uint32_t>(rollback_->RemoteKnown()), static_cast<uint32_t>(first),
                   rollback_->LocalKeys().data() + first, static_cast<size_t>(steps - first)),
        false);
}

// The side that runs ahead of the other now and then lets a step pass unplayed.
bool NetworkGame::HoldForClock() {
    ++stepsSinceHold_;
    if (theyPlayed_ == 0 || stepsSinceHold_ < kStepsBetweenHolds) return false;
    const double theirsNow = theyPlayed_ + link_->RoundTripMs() / 2.0 / kStepMs;
    if (rollback_->Steps() - theirsNow < 2) return false;
    stepsSinceHold_ = 0;
    return true;
}

void NetworkGame::Record() {
    int32_t upTo = rollback_->Confirmed();
    if (rollback_->EndedAfter() >= 0) upTo = std::min(upTo, rollback_->EndedAfter());
    for (; recorded_ < upTo; ++recorded_) {
        if (recording_) writer_.Step(rollback_->SharedKeysAt(recorded_), viewWidth_);
    }
}

void NetworkGame::CompareHashes() {
    for (int32_t after = (hashesSent_ + 1) * Rollback::kHashEvery; after <= recorded_;
         after += Rollback::kHashEvery) {
        const uint64_t hash = rollback_->HashAfter(after);
        link_->Send(EncodeHash(static_cast<uint32_t>(after), hash), true);
        ourHashes_[after] = hash;
        ++hashesSent_;
    }
    for (auto ours = ourHashes_.begin(); ours != ourHashes_.end();) {
        const auto theirs = theirHashes_.find(ours->first);
        if (theirs == theirHashes_.end()) {
            ++ours;
            continue;
        }
        if (theirs->second != ours->second) {
            End(kGamesWentApart, "The two games went apart at step " + std::to_string(ours->first) +
                                     "; the recordings are kept.");
            return;
        }
        ++hashesCompared_;
        theirHashes_.erase(theirs);
        ours = ourHashes_.erase(ours);
    }
}

bool NetworkGame::EndAgreed() const {
    const int32_t ended = rollback_->EndedAfter();
    return ended >= 0 && rollback_->Confirmed() >= ended;
}

void NetworkGame::Close() {
    if (stage_ == Stage::Over) return;
    End(0, "");
}

void NetworkGame::End(int status, const std::string& problem) {
    if (rollback_) {
        // What is summed up and recorded is the game both sides agree on.
        if (stage_ != Stage::Finishing) rollback_->RewindTo(rollback_->Confirmed());
        Record();
        if (recording_) writer_.Finish();
        rollback_->Watch().PrintSummary();
        std::fprintf(stderr,
                     "Pondlark Remake: network: %d rollbacks, deepest %d steps, %d hashes "
                     "compared, %d steps waited for the other side, %d held back\n",
                     rollback_->Rollbacks(), rollback_->Deepest(), hashesCompared_, waited_,
                     heldBack_);
    }
    if (!problem.empty()) std::fprintf(stderr, "Pondlark Remake: %s\n", problem.c_str());
    link_->Leave();
    status_ = status;
    problem_ = problem;
    stage_ = Stage::Over;
}
