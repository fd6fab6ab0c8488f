#include "app/main_window.h"

#include <chrono>
#include <ctime>

#include "app/frame_step.h"
#include "app/scene.h"
#include "config/settings_store.h"
#include "config/user_folder.h"
#include "game/sky.h"
#include "gfx/view.h"
#include "input/power_input.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace {

const char kTitle[] = "Pondlark Remake";

// The seed is the time of day in universal time, in milliseconds.
void SeedRandomFromClock(TRandom& rng) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const int millis =
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    const std::tm utc = *std::gmtime(&seconds);
    rng.SeedFromTime(utc.tm_hour, utc.tm_min, utc.tm_sec, millis);
}

}  // namespace

TForm1::TForm1() : tmr(clock_) {
    UseApp(&app_);
    tmr.OnRender = [this] { tmrRender(); };
    tmr.OnProcess = [this] { tmrProcess(); };
}

void TForm1::FormCreate() {
    std::string folder = platform::ProgramFolder();
    if (!folder.empty()) platform::ChangeDirectory(folder);
    std::string userFolder =
        ResolvePath("$User", "Grubwick\\PondlarkRemake", platform::SpecialFolderPath);
    app_.Config = std::make_unique<TConfig>("Pondlark.cfg", userFolder);
    app_.Config->Load();
    window_.SetCaption(kTitle);
}

bool TForm1::Initialize(platform::LoadingWindow& loading) {
    app_.StepProgress = [&loading] { loading.StepProgress(); };
    SeedRandomFromClock(app_.Rng);
    // The key-code tables of the frog controls are installed here.
    // Sound starts here: device, samples (each steps the bar) and the music player.
    if (!InitGraphics()) return false;
    app_.StepCounter = -2147483637;
    app_.Sky = std::make_unique<TNiebo>();
    // The five world lists live in the application object from the start.
    // The player-input mapping is made here.
    app_.Inp = std::make_unique<TPowerInput>(&inputSystem_);
    app_.Inp->Init();
    tmr.MayProcess = true;
    tmr.SetMayRender(true);
    // The sound listener goes to the centre of the view, and the music
    // player's playlist is emptied, here.
    // The menu is created and reset here, showing the title and starting its music.
    window_.BringToFront();
    app_.StepProgress = nullptr;
    return true;
}

int TForm1::Run() {
    platform::LoopHandlers handlers;
    handlers.idle = [this](bool& done) { tmr.AppIdle(done); };
    handlers.activate = [this] { tmr.AppActivate(); };
    handlers.deactivate = [this] { tmr.AppDeactivate(); };
    handlers.resized = [this](int width, int height) { FormResize(width, height); };
    handlers.closing = [this] { FormClose(); };
    platform::RunMessageLoop(handlers);
    return startFailed_ ? 1 : 0;
}

void TForm1::FormResize(int width, int height) {
    SetupView(width, height);
}

void TForm1::FormClose() {
    app_.Config->Save();
    if (app_.FullScreen) window_.LeaveFullScreen();
}

void TForm1::tmrRender() {
    int width = 0, height = 0;
    window_.ClientSize(width, height);
    RenderFrame(width, height);
    window_.Present();
}

void TForm1::tmrProcess() {
    Step(app_);
}
