// Program-wide state: settings, input, counters, view, the sky and the world lists.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "state/random.h"
#include "state/view_layout.h"

class Settings;
class InputState;
class Sky;
class LilyPad;
class Fly;
class Frog;
class Particle;
class Ripple;
class Game;
class Menu;

template <typename T>
using ObjectList = std::vector<std::unique_ptr<T>>;

struct Application {
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    std::unique_ptr<Settings> Config;
    std::unique_ptr<InputState> Input;
    RandomGenerator Rng;
    bool FullScreen = false;
    uint32_t TextureNames[12] = {};
    int32_t StepCounter = 0;
    double PointerX = 0;
    double PointerY = 0;
    ViewLayout View;
    // A replay's recorded view width, which the picture keeps whatever the window's shape;
    // 0 while playing, when the window's shape decides.
    int32_t FixedViewWidth = 0;

    std::unique_ptr<::Sky> Sky;
    // The running game, or none while only the menus are up.
    std::unique_ptr<::Game> Game;
    std::unique_ptr<::Menu> Menu;
    ObjectList<Fly> Flies;
    ObjectList<Frog> Frogs;
    ObjectList<LilyPad> Pads;
    ObjectList<Particle> Particles;
    ObjectList<Ripple> Ripples;

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
