// A game played by two machines: the host's settings, the host's keys for PLAYER 1 and the
// guest's for PLAYER 2, each side running the whole game and putting it right when the other
// side's keys arrive.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "input/input_system.h"
#include "input/net_link.h"
#include "network/net_messages.h"
#include "network/rollback.h"
#include "recording/recording_file.h"

struct Application;

// Exit statuses of a network game, beside 0 (played to its end, or cancelled), 1 (start-up
// failed) and 2 (the command line, the port or the recording file refused).
constexpr int kNobodyAnswered = 4;
constexpr int kOtherVersion = 5;
constexpr int kOtherPlayerLeft = 6;
constexpr int kGamesWentApart = 7;

class NetworkGame {
public:
    struct Setup {
        bool Host = false;
        // The host's port, or where the guest is joining: for the waiting screen and messages.
        std::string Address;
        // The recording to write, or empty.
        std::string RecordPath;
        // Seconds on a clock that only goes forward.
        std::function<double()> Seconds;
        // Plays one step of the program with the keys given.
        std::function<void(const KeyStates&)> RunStep;
    };

    NetworkGame(std::unique_ptr<NetLink> link, Setup setup);
    NetworkGame(const NetworkGame&) = delete;
    NetworkGame& operator=(const NetworkGame&) = delete;

    // One step of the program: the messages that came, then this side's keys for the step.
    void Step(Application& app, const KeyStates& localKeys);
    // The program is closing: a game under way is summed up where both sides agree on it.
    void Close();

    bool Playing() const { return stage_ == Stage::Playing || stage_ == Stage::Finishing; }
    bool Over() const { return stage_ == Stage::Over; }
    int ExitStatus() const { return status_; }
    // Why the game ended early, for a message box; empty when it did not.
    const std::string& Problem() const { return problem_; }
    // What the waiting screen says.
    std::vector<std::string> Notice() const;

private:
    enum class Stage { Waiting, Greeting, Playing, Finishing, Over };

    void Receive(Application& app, const NetEvent& event);
    void Greeted(Application& app, const NetMessage& hello);
    void Begin(Application& app, const RecordingHeader& header);
    void SendKeys();
    bool HoldForClock();
    void Record();
    void CompareHashes();
    // The game has ended at a step whose keys both sides know.
    bool EndAgreed() const;
    void End(int status, const std::string& problem);

    std::unique_ptr<NetLink> link_;
    Setup setup_;
    Stage stage_ = Stage::Waiting;
    double startedAt_ = 0;
    double finishingSince_ = 0;
    std::unique_ptr<Rollback> rollback_;
    RecordingWriter writer_;
    bool recording_ = false;
    int32_t recorded_ = 0;
    int32_t viewWidth_ = 0;
    // How many of this side's steps the other side holds, and how far it has played.
    int32_t theyHold_ = 0;
    int32_t theyPlayed_ = 0;
    int32_t stepsSinceHold_ = 0;
    // This side's keys seen since the last step it played.
    uint8_t heldKeys_ = 0;
    int32_t waited_ = 0;
    int32_t heldBack_ = 0;
    int32_t hashesSent_ = 0;
    std::map<int32_t, uint64_t> ourHashes_;
    std::map<int32_t, uint64_t> theirHashes_;
    int32_t hashesCompared_ = 0;
    int status_ = 0;
    std::string problem_;
};
