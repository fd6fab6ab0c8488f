// Program-wide state: the settings, input, counters and view every part reaches.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "app/view_layout.h"

class TConfig;
class TPowerInput;

struct Application {
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    std::unique_ptr<TConfig> Config;
    std::unique_ptr<TPowerInput> Inp;
    bool FullScreen = false;
    uint32_t TextureNames[12] = {};
    int32_t StepCounter = 0;
    double PointerX = 0;
    double PointerY = 0;
    ViewLayout View;

    // Moves the loading window's bar; set only while start-up runs.
    std::function<void()> StepProgress;
};

// The running program's state; main and tests choose the instance.
Application& App();
void UseApp(Application* app);
