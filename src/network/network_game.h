// A game played by two machines: the host's settings, the host's keys for PLAYER 1 and the
// guest's for PLAYER 2, each side running the whole game and putting it right when the other
// side's keys arrive.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/input_system.h"
#include "input/net_link.h"
#include "network/meet_client.h"
#include "network/net_messages.h"
#include "network/rollback.h"
#include "recording/recording_file.h"

struct Application;

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
        // A meeting server's name, when the two meet through one; the guest's join code.
        std::string Server;
        std::string Code;
        // A random number for the meeting server, new for every run.
        uint64_t Nonce = 0;
        // The host's home router, asked to forward the port: nothing while it is being
        // asked, then the public address, or "" when it could not be asked. Null when
        // the router is not asked.
        std::function<std::optional<std::string>()> RouterAddress;
    };

    NetworkGame(std::unique_ptr<NetLink> link, Setup setup);
    NetworkGame(const NetworkGame&) = delete;
    NetworkGame& operator=(const NetworkGame&) = delete;

    // One step of the program: the messages that came, then this side's keys for the step.
    void Step(Application& app, const KeyStates& localKeys);
    // The program is closing: a game under way is summed up where both sides agree on it,
    // and the other side is told.
    void Close();
    // Escape while the other side has been silent for a second: the game ends at once.
    void Abandon();

    bool Playing() const { return stage_ == Stage::Playing || stage_ == Stage::Finishing; }
    bool Over() const { return stage_ == Stage::Over; }
    // The other side's keys have stopped coming: the picture is held for them.
    bool Stalled() const;
    int ExitStatus() const { return status_; }
    // Why the game ended early, for a message box; empty when the player ended it.
    const std::string& Problem() const { return problem_; }
    // The game goes through the meeting server's relay.
    bool Relayed() const { return meet_ && meet_->Relayed(); }
    // What the screen says over the pond while there is no game, or it is held.
    std::vector<std::string> Notice() const;

private:
    enum class Stage { Waiting, Greeting, Playing, Finishing, Over };

    void CheckClocks();
    void MeetStep();
    std::string JoinTimedOut() const;
    void AskRouter();
    std::vector<std::string> WaitingNotice() const;
    std::vector<std::string> JoiningNotice() const;
    void Receive(Application& app, const NetEvent& event);
    void Connected(const NetEvent& event);
    void Disconnected();
    void Message(Application& app, const NetMessage& message);
    void Greeted(Application& app, const NetMessage& hello);
    void Begin(Application& app, const RecordingHeader& header);
    // The host gives up on a player that joined but did not start a game, and waits again.
    void WaitAgain(const std::string& why);
    void SendKeys();
    bool HoldForClock();
    void Record(int32_t upTo);
    void CompareHashes();
    void OtherSideLeft(uint32_t step);
    // The game has ended at a step whose keys both sides know.
    bool EndAgreed() const;
    // The last checkpoint both sides are known to hold every key up to.
    int32_t AgreedStep() const;
    // Where this side sums the game up when it ends now.
    int32_t FinalStep() const;
    void End(int status, const std::string& problem, int32_t step);
    void End(int status, const std::string& problem) { End(status, problem, FinalStep()); }

    std::unique_ptr<NetLink> link_;
    Setup setup_;
    Stage stage_ = Stage::Waiting;
    // The connection to the other player, 0 while there is none.
    uint32_t partner_ = 0;
    std::string partnerAddress_;
    MeetAddress partnerFrom_;
    std::unique_ptr<MeetClient> meet_;
    std::string toldCode_;
    // What the router said: nothing yet, the public address, or that it could not be asked.
    enum class Router { Asking, Forwarded, Failed } router_ = Router::Asking;
    std::string publicAddress_;
    double startedAt_ = -1;
    double greetingSince_ = 0;
    double finishingSince_ = 0;
    double keysCameAt_ = 0;
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
    // Checkpoints whose hashes were sent, and the last one both sides hashed alike.
    int32_t hashedUpTo_ = 0;
    int32_t comparedUpTo_ = 0;
    std::map<int32_t, uint64_t> ourHashes_;
    std::map<int32_t, uint64_t> theirHashes_;
    int32_t hashesCompared_ = 0;
    int status_ = 0;
    std::string problem_;
};
