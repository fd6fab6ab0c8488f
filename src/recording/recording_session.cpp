#include "recording/recording_session.h"

#include <cstdio>
#include <memory>

#include "input/input_state.h"
#include "state/application.h"

void GameWatch::Begin(const Application& app) {
    if (app.Game) Summarise(*app.Game, last_);
}

void GameWatch::PrintSummary() const {
    std::printf("%s\n", SummaryLine().c_str());
    std::fflush(stdout);
}

bool GameWatch::AfterStep(const Application& app) {
    ++steps_;
    if (!app.Game) return true;
    Summarise(*app.Game, last_);
    return false;
}

void RecordingSession::GameStarting(const Application& app) {
    if (stage_ != Stage::Waiting) return;
    stage_ = Stage::Starting;
    // A recording that fails leaves the game to go on, still summed up at its end.
    if (!writer_.Begin(path_, HeaderForNewGame(app, gameVersion_))) {
        std::fprintf(stderr, "Pondlark Remake: the recording %s could not be written.\n",
                     path_.c_str());
    }
}

void RecordingSession::AfterStep(const Application& app) {
    // The step that started the game belongs to the menu, not to the game.
    if (stage_ == Stage::Starting) {
        stage_ = Stage::Recording;
        watch_.Begin(app);
        return;
    }
    if (stage_ != Stage::Recording) return;
    writer_.Step(app.Input->Keys, app.View.ViewWidth);
    if (watch_.AfterStep(app)) End();
}

void RecordingSession::Close() {
    if (stage_ == Stage::Starting || stage_ == Stage::Recording) End();
}

void RecordingSession::End() {
    writer_.Finish();
    watch_.PrintSummary();
    stage_ = Stage::Done;
}

void ReplaySession::Start(Application& app) {
    app.Input = std::make_unique<InputState>(&input_);
    app.Input->Init();
    app.Input->Keys = recording_.Header.StartKeys;
    StartRecordedGame(app, recording_.Header);
    watch_.Begin(app);
}

bool ReplaySession::BeforeStep(Application& app) {
    if (over_) return false;
    int32_t viewWidth = 0;
    if (!playback_.Next(input_.Keys, viewWidth)) {
        over_ = playedOut_ = true;
        return false;
    }
    UseRecordedView(app, viewWidth);
    return true;
}

void ReplaySession::AfterStep(const Application& app) {
    if (watch_.AfterStep(app)) over_ = true;
}

void ReplaySession::Close() {
    if (closed_) return;
    closed_ = true;
    watch_.PrintSummary();
    if (playedOut_ && !recording_.Complete) {
        std::fprintf(stderr, "Pondlark Remake: the recording %s ended early, after %d steps.\n",
                     path_.c_str(), watch_.Steps());
    }
}
