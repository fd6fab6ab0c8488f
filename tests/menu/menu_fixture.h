// A fresh program state for menu tests and a way to press keys for one step.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "../config/temp_folder.h"
#include "config/settings_store.h"
#include "game/player_input.h"
#include "game/sky.h"
#include "input/input_state.h"
#include "menu/menu.h"
#include "state/application.h"

// DirectInput scan codes the menus answer to.
namespace key {
constexpr uint8_t kEscape = 1;
constexpr uint8_t kW = 17;
constexpr uint8_t kEnter = 28;
constexpr uint8_t kLeftControl = 29;
constexpr uint8_t kA = 30;
constexpr uint8_t kS = 31;
constexpr uint8_t kD = 32;
constexpr uint8_t kKeypadEnter = 156;
constexpr uint8_t kRightControl = 157;
constexpr uint8_t kUp = 200;
constexpr uint8_t kLeft = 203;
constexpr uint8_t kRight = 205;
constexpr uint8_t kDown = 208;
}  // namespace key

struct MenuFixture : ::testing::Test {
    MenuFixture() {
        UseApp(&app);
        app.Config = std::make_unique<Settings>("Pondlark.cfg", folder.Backslashed());
        app.Input = std::make_unique<InputState>(nullptr);
        app.Sky = std::make_unique<Sky>();
        app.Rng.Seed = 20260;
        InstallKeyTable();
        app.Menu = std::make_unique<Menu>();
    }

    // One menu step in which exactly these keys went down.
    void Press(std::initializer_list<uint8_t> codes) {
        app.Input->PrevKeys.fill(0);
        app.Input->Keys.fill(0);
        for (uint8_t code : codes) app.Input->Keys[code] = 0x80;
        menu().MenuStep();
    }
    void Press(uint8_t code, int times = 1) {
        for (int i = 0; i < times; ++i) Press({code});
    }
    // A step with every key still held from the step before: nothing went down.
    void StepHeld() {
        app.Input->PrevKeys = app.Input->Keys;
        menu().MenuStep();
    }
    Menu& menu() { return *app.Menu; }
    int32_t Setting(const char* group, const char* key, int32_t def) {
        return app.Config->GetInteger(group, key, def);
    }

    TempFolder folder;
    Application app;
};
