// Recording the first game of a run, and playing a recording back into the running program.
#pragma once

#include <cstdint>
#include <string>

#include "recording/recorded_game.h"
#include "recording/recording_file.h"
#include "recording/replay_input.h"

struct Application;

// Counts a game's steps and keeps its last standing, so that the line summing it up can be
// printed once the game object is gone.
class GameWatch {
public:
    // As the game starts.
    void Begin(const Application& app);
    // After each step of the game; true once the game has ended (its object is gone).
    bool AfterStep(const Application& app);
    std::string SummaryLine() const { return ::SummaryLine(steps_, last_); }
    // Prints the summing-up line on standard output at once.
    void PrintSummary() const;
    int32_t Steps() const { return steps_; }

private:
    int32_t steps_ = 0;
    GameSummary last_;
};

// Records the first game started: from START NEW GAME until the game ends or the program
// closes, with the line that sums it up printed at the end.
class RecordingSession {
public:
    RecordingSession(std::string path, std::string gameVersion)
        : path_(std::move(path)), gameVersion_(std::move(gameVersion)) {}

    // As START NEW GAME makes the game.
    void GameStarting(const Application& app);
    // After every step of the program.
    void AfterStep(const Application& app);
    // The program is closing: a game still recording ends here.
    void Close();

private:
    enum class Stage { Waiting, Starting, Recording, Done };
    void End();

    std::string path_;
    std::string gameVersion_;
    Stage stage_ = Stage::Waiting;
    RecordingWriter writer_;
    GameWatch watch_;
};

// Plays a recording: its game starts at once, each step reads the recorded keys, and the
// line that sums the game up is printed when the recording or the game ends.
class ReplaySession {
public:
    ReplaySession(Recording recording, std::string path)
        : recording_(std::move(recording)), path_(std::move(path)), playback_(recording_) {}
    // The playback reads the recording this object holds.
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Gives the program the recording's keyboard, holding the keys held as the game started,
    // and starts the recorded game.
    void Start(Application& app);
    // Before each step: false when the replay is over (the recording or the game ended).
    bool BeforeStep(Application& app);
    // After each step.
    void AfterStep(const Application& app);
    // Prints the summing-up line (once), and says on stderr when the file was cut short.
    void Close();

private:
    const Recording recording_;
    const std::string path_;
    RecordingPlayback playback_;
    ReplayInput input_;
    GameWatch watch_;
    bool over_ = false;
    bool playedOut_ = false;
    bool closed_ = false;
};
