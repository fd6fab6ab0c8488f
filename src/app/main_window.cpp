#include "app/main_window.h"

#include "app/frame_step.h"
#include "app/scene.h"
#include "config/settings_store.h"
#include "config/user_folder.h"
#include "gfx/view.h"
#include "input/power_input.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace {
const char kTitle[] = "Pondlark Remake";
}

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

void TForm1::Initialize(platform::LoadingWindow& loading) {
    app_.StepProgress = [&loading] { loading.StepProgress(); };
    // The random generator is seeded from the clock here.
    // The key-code tables of the frog controls are installed here.
    // Sound starts here: device, samples (each steps the bar) and the music player.
    InitGraphics();
    app_.StepCounter = -2147483637;
    // The sky and the five world lists (Flies, Frogs, Pads, Particles, Ripples) are made here,
    // then the player-input mapping.
    app_.Inp = std::make_unique<TPowerInput>(&inputSystem_);
    app_.Inp->Init();
    tmr.MayProcess = true;
    tmr.SetMayRender(true);
    // The sound listener goes to the centre of the view, and the music
    // player's playlist is emptied, here.
    // The menu is created and reset here, showing the title and starting its music.
    window_.BringToFront();
    app_.StepProgress = nullptr;
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
    RenderFrame();
    window_.Present();
}

void TForm1::tmrProcess() {
    Step(app_);
}
