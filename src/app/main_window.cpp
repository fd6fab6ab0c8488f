#include "app/main_window.h"

#include <chrono>
#include <ctime>

#include "app/blend_fraction.h"
#include "app/frame_step.h"
#include "app/scene.h"
#include "config/settings_store.h"
#include "config/user_folder.h"
#include "game/game.h"
#include "game/player_input.h"
#include "game/sky.h"
#include "gfx/view.h"
#include "input/input_state.h"
#include "menu/menu.h"
#include "platform/clock.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/memory.h"
#include "platform/message_box.h"
#include "sound/sound.h"
#include "state/exit_status.h"

namespace {

const char kTitle[] = "Pondlark Remake";

// The seed is the time of day in universal time, in milliseconds.
void SeedRandomFromClock(RandomGenerator& rng) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const int millis =
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    const std::tm utc = *std::gmtime(&seconds);
    rng.SeedFromTime(utc.tm_hour, utc.tm_min, utc.tm_sec, millis);
}

// The player's settings file, read.
std::unique_ptr<Settings> UserSettings() {
    const std::string userFolder =
        ResolvePath("$User", "Grubwick\\PondlarkRemake", platform::SpecialFolderPath);
    auto settings = std::make_unique<Settings>("Pondlark.cfg", userFolder);
    settings->Load();
    return settings;
}

// A store with the player's settings that is never written.
void UseUnsavedSettings(Application& app) {
    auto store = std::make_unique<Settings>("", "");
    store->ReadText(app.Config->ToText());
    app.Config = std::move(store);
}

}  // namespace

platform::LoadingLook LoadingWindowLook() {
    platform::LoadingLook look;
    look.caption = "Pondlark Remake loading";
    look.title = "PONDLARK REMAKE";
    look.status = "Loading";
    look.titleFont = platform::ResolveDataPath("data\\DejaVuSans-Bold.ttf");
    look.statusFont = platform::ResolveDataPath("data\\DejaVuSans.ttf");
    look.maxValue = 17;
    return look;
}

MainWindow::MainWindow() : timer_(clock_) {
    UseApp(&app_);
    timer_.OnRender = [this] { RenderFrame(); };
    timer_.OnStep = [this] { Step(); };
    app_.CloseMainWindow = platform::RequestClose;
}

MainWindow::~MainWindow() {
    // The menu and the game may still hold music and sounds; stop them before the device goes.
    CloseSound();
    audio_.Close();
}

MainWindow::NetworkSettings MainWindow::ReadNetworkSettings() {
    const std::unique_ptr<Settings> settings = UserSettings();
    return {settings->GetString("Network", "MeetServer", ""),
            settings->GetBoolean("Network", "AskRouter", true)};
}

void MainWindow::Create() {
    std::string folder = platform::ProgramFolder();
    if (!folder.empty()) platform::ChangeDirectory(platform::GameFolder(folder));
    app_.Config = UserSettings();
    window_.SetCaption(kTitle);
}

bool MainWindow::Initialize(platform::LoadingWindow& loading) {
    app_.StepProgress = [&loading] { loading.StepProgress(); };
    SeedRandomFromClock(app_.Rng);
    InstallKeyTable();
    if (auto failure = InitSound(audio_)) {
        platform::ShowMessage(failure->Caption, failure->Text, platform::MessageIcon::Error);
        return false;
    }
    if (!InitGraphics()) return false;
    window_.SetIcon(platform::ResolveDataPath("data\\icon.bmp"));
    app_.StepCounter = -2147483637;
    app_.Sky = std::make_unique<Sky>();
    OpenControllers();
    app_.Input = std::make_unique<InputState>(&inputSystem_);
    app_.Input->Init();
    timer_.MayStep = true;
    timer_.SetMayRender(true);
    SetListener(app_.View.ViewWidth / 2.0, app_.View.ViewHeight / 2.0);
    Music().ClearPlaylist();
    Music().Shuffle = false;
    app_.Menu = std::make_unique<Menu>();
    app_.Menu->Reset(true);
    if (replay_) StartReplay();
    if (network_) StartNetworkGame();
    window_.BringToFront();
    app_.StepProgress = nullptr;
    return true;
}

int MainWindow::Run() {
    platform::LoopHandlers handlers;
    handlers.pace = [this] { window_.PaceNextPass(); };
    handlers.idle = [this](bool& done) { timer_.Idle(done); };
    handlers.activate = [this] { timer_.Activate(); };
    handlers.deactivate = [this] { timer_.Deactivate(); };
    handlers.resized = [this](int width, int height) { Resize(width, height); };
    handlers.closing = [this] { Close(); };
    handlers.toggleFullScreen = [this] { window_.ToggleDesktopFullScreen(); };
    // Escape (or a controller's Start) stops watching a replay, or waiting for a network
    // game; in play it is a game key.
    if (replay_) handlers.escape = platform::RequestClose;
    if (network_) {
        handlers.escape = [this] {
            // Held up by a silent other side, Escape leaves the game at once.
            if (network_->Stalled()) network_->Abandon();
            if (!network_->Playing()) platform::RequestClose();
        };
    }
    platform::RunMessageLoop(window_.Id(), handlers);
    if (startFailed_) return kExitCannotStart;
    return network_ ? network_->ExitStatus() : kExitOk;
}

void MainWindow::Resize(int width, int height) {
    SetupView(width, height);
}

void MainWindow::RecordInto(const std::string& path) {
    recording_ = std::make_unique<RecordingSession>(path, PONDLARK_VERSION);
    app_.GameStarting = [this] { recording_->GameStarting(app_); };
}

void MainWindow::PlayBack(Recording recording, const std::string& path) {
    replay_ = std::make_unique<ReplaySession>(std::move(recording), path);
}

void MainWindow::PlayOverNetwork(std::unique_ptr<NetLink> link, NetworkGame::Setup setup) {
    setup.Seconds = [] { return platform::MonotonicNanoseconds() / 1e9; };
    setup.RunStep = [this](const KeyStates& keys) {
        sharedKeys_.Keys = keys;
        RunStep();
    };
    network_ = std::make_unique<NetworkGame>(std::move(link), std::move(setup));
}

// The recorded game starts where the title would show.
void MainWindow::StartReplay() {
    UseUnsavedSettings(app_);
    replay_->Start(app_);
}

// Until the game starts nothing steps: the pond waits under the notice. Then the game reads
// the keys both sides pressed.
void MainWindow::StartNetworkGame() {
    UseUnsavedSettings(app_);
    localInput_ = std::move(app_.Input);
    app_.Input = std::make_unique<InputState>(&sharedKeys_);
    app_.Input->Init();
}

void MainWindow::Close() {
    if (recording_) recording_->Close();
    if (replay_) replay_->Close();
    if (network_) network_->Close();
    app_.Config->Save();
    if (app_.FullScreen) window_.LeaveFullScreen();
}

void MainWindow::RunStep() {
    CapturePoses(app_, blend_.Before);
    FrameStep(app_);
}

void MainWindow::RenderFrame() {
    int width = 0, height = 0;
    window_.ClientSize(width, height);
    const bool smooth = app_.Config->GetBoolean("Graphics", "SmoothMotion", true);
    blend_.Fraction =
        BlendFraction(smooth, timer_.FPS(), timer_.MeasuredFPS(), timer_.StepBudget());
    if (network_ && ((!network_->Playing() && !network_->Over()) || network_->Stalled())) {
        DrawFrame(width, height, network_->Notice(), blend_);
    } else {
        DrawFrame(width, height, {}, blend_);
    }
    window_.Present();
}

void MainWindow::NetworkStep() {
    if (network_->Over()) return;
    inputSystem_.GameControllers().SetInGame(GameRunning(app_));
    localInput_->Poll();
    network_->Step(app_, localInput_->Keys);
    if (!network_->Over()) return;
    if (!network_->Problem().empty()) {
        platform::ShowMessage("Pondlark Remake", network_->Problem(), platform::MessageIcon::Error);
    }
    platform::RequestClose();
}

void MainWindow::OpenControllers() {
    platform::ControllerKeys keys;
    for (int player = 0; player < 2; ++player) {
        for (int action = 0; action < kSchemeActions; ++action) {
            keys.Players[player][action] = KeyTable[player * kSchemeActions + action][0];
        }
    }
    keys.Escape = kEscapeKey;
    // Mappings for controllers SDL does not know can sit beside the settings file.
    inputSystem_.GameControllers().Open(
        NativePath(app_.Config->GetFolder() + "gamecontrollerdb.txt"), keys);
}

void MainWindow::Step() {
    // Controllers come and go with or without the focus, and in a replay, where Start stops it.
    inputSystem_.GameControllers().FollowPlugging();
    if (network_) {
        NetworkStep();
        return;
    }
    if (replay_ && !replay_->BeforeStep(app_)) {
        if (!replayOver_) platform::RequestClose();
        replayOver_ = true;
        return;
    }
    inputSystem_.GameControllers().SetInGame(GameRunning(app_));
    RunStep();
    if (recording_) recording_->AfterStep(app_);
    if (replay_) replay_->AfterStep(app_);
    // A level beginning or ending is a good moment to hand back the memory the GL driver
    // used in passing; without it a long session's memory only ever grows.
    const int32_t level = app_.Game ? app_.Game->Level : 0;
    if (level != lastLevel_) {
        lastLevel_ = level;
        platform::ReleaseFreeMemory();
    }
}
