#include "replay_harness.h"

#include "app/frame_step.h"
#include "config/settings_store.h"
#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/player_input.h"
#include "game/sky.h"
#include "game/world_hash.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "input/input_state.h"

RecordingHeader GameStart(uint32_t seed, int32_t frogs, int32_t startingLevel,
                          const std::vector<int32_t>& controls) {
    RecordingHeader header;
    header.GameVersion = PONDLARK_VERSION;
    header.Seed = seed;
    header.Settings.NumberOfFrogs = frogs;
    header.Settings.StartingLevel = startingLevel;
    for (int frog = 1; frog <= 6; ++frog) {
        header.Settings.Colors[frog - 1] = DefaultColor(frog);
        header.Settings.Controls[frog - 1] = DefaultControl(frog);
    }
    for (size_t i = 0; i < controls.size() && i < 6; ++i) header.Settings.Controls[i] = controls[i];
    header.ViewWidth = ComputeViewLayout(800, 600).ViewWidth;
    return header;
}

Recording HeldKeys(const RecordingHeader& start, const std::vector<uint8_t>& keys) {
    KeyStates held{};
    for (uint8_t code : keys) held[code] = 0x80;
    StepEncoder encoder(start.ViewWidth);
    encoder.Add(held, start.ViewWidth);
    encoder.Repeat((1u << 30) - 1);
    Recording recording;
    std::string problem;
    ParseRecording(EncodeHeader(start) + encoder.Take() + StepEncoder::EndMark(), recording,
                   problem);
    return recording;
}

ReplayHarness::ReplayHarness(const Recording& recording) : session_(recording, "harness") {
    UseApp(&app_);
    // A store with no file, which nothing can save.
    app_.Config = std::make_unique<Settings>("", "");
    app_.Sky = std::make_unique<Sky>();
    app_.StepCounter = -2147483637;
    InstallKeyTable();
    session_.Start(app_);
}

ReplayHarness::~ReplayHarness() {
    // World objects go before the input they were read with.
    ClearWorld();
    app_.Game.reset();
}

bool ReplayHarness::Step() {
    if (!session_.BeforeStep(app_)) return false;
    FrameStep(app_);
    session_.AfterStep(app_);
    ++steps_;
    return true;
}

uint64_t ReplayHarness::WorldHash() const {
    return ::WorldHash(app_);
}
