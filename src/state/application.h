// Program-wide state: settings, input, counters, view, the sky and the world lists.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "state/random.h"
#include "state/view_layout.h"

class TConfig;
class TPowerInput;
class TNiebo;
class TLisc;
class TMucha;
class TZaba;
class TParticle;
class TRipple;
class TGra;
class TWinieta;

template <typename T>
using TObjectList = std::vector<std::unique_ptr<T>>;

struct Application {
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    std::unique_ptr<TConfig> Config;
    std::unique_ptr<TPowerInput> Inp;
    TRandom Rng;
    bool FullScreen = false;
    uint32_t TextureNames[12] = {};
    int32_t StepCounter = 0;
    double PointerX = 0;
    double PointerY = 0;
    ViewLayout View;
    // A replay's recorded view width, which the picture keeps whatever the window's shape;
    // 0 while playing, when the window's shape decides.
    int32_t FixedViewWidth = 0;

    std::unique_ptr<TNiebo> Sky;
    // The running game, or none while only the menus are up.
    std::unique_ptr<TGra> Game;
    std::unique_ptr<TWinieta> Menu;
    TObjectList<TMucha> Flies;
    TObjectList<TZaba> Frogs;
    TObjectList<TLisc> Pads;
    TObjectList<TParticle> Particles;
    TObjectList<TRipple> Ripples;

    // Moves the loading window's bar; set only while start-up runs.
    std::function<void()> StepProgress;
    // Closes the main window as its close box does, which ends the program.
    std::function<void()> CloseMainWindow;
    // Called as START NEW GAME makes a game, before the game draws a random number.
    std::function<void()> GameStarting;
};

// The running program's state; main and tests choose the instance.
Application& App();
void UseApp(Application* app);
// Stops using the instance if it is the current one (it is going away).
void ForgetApp(const Application* app);
