// The main window: start-up of every part, the frame loop's two events, and the close.
#pragma once

#include <memory>

#include "app/frame_timer.h"
#include "app/system_clock.h"
#include "game/world_poses.h"
#include "network/network_game.h"
#include "platform/audio.h"
#include "platform/input_devices.h"
#include "platform/loading_window.h"
#include "platform/window.h"
#include "recording/recording_session.h"
#include "state/application.h"

// What the loading window shows while the data loads.
platform::LoadingLook LoadingWindowLook();

class MainWindow {
public:
    MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    // Program folder, settings and captions; runs as the window is created.
    void Create();
    // The settings file's "Network" group: the meeting server it names, or empty, and
    // whether a host asks its router to forward the port.
    struct NetworkSettings {
        std::string MeetServer;
        bool AskRouter = true;
    };
    static NetworkSettings ReadNetworkSettings();
    // Every part brought up in order; the loading window moves as data loads.
    // False when a data file failed and the program must end at once.
    bool Initialize(platform::LoadingWindow& loading);
    // Runs the message loop until the window closes; the exit status.
    int Run();

    // Before Initialize: record the first game started into the file...
    void RecordInto(const std::string& path);
    // ...or play the recording instead of showing the title; the settings file is then
    // never written.
    void PlayBack(Recording recording, const std::string& path);
    // ...or play one game with another machine; the settings file is then never written.
    void PlayOverNetwork(std::unique_ptr<NetLink> link, NetworkGame::Setup setup);
    // Frames a second for a display that reports no rate or a wrong one; 0 for its own.
    void GiveRefreshRate(int hz) { window_.SetGivenRefreshRate(hz); }

private:
    // False when a texture failed to load; a display failure only posts the quit.
    bool InitGraphics();
    // Game controllers press their players' keys.
    void OpenControllers();
    void StartReplay();
    void StartNetworkGame();
    void NetworkStep();
    void Resize(int width, int height);
    void Close();
    void RenderFrame();
    void Step();
    // Every step, this side's own or the network's, runs here.
    void RunStep();

    // The input systems and the audio device outlive the application, which uses them.
    platform::SdlInputSystem inputSystem_;
    // In a network game this side's own keys are read here, and the game reads both sides'.
    std::unique_ptr<InputState> localInput_;
    ReplayInput sharedKeys_;
    platform::OpenAlAudio audio_;
    std::unique_ptr<RecordingSession> recording_;
    std::unique_ptr<ReplaySession> replay_;
    Application app_;
    // Its copies of the world go before the application they were taken from.
    std::unique_ptr<NetworkGame> network_;
    SystemClock clock_;
    FrameTimer timer_;
    platform::GlWindow window_;
    // The world's poses before the latest step, for drawing between the two.
    StepBlend blend_;
    bool startFailed_ = false;
    bool replayOver_ = false;
    // The level last stepped, 0 with no game: a change marks a pause in the action.
    int32_t lastLevel_ = 0;
};
