#include "network/world_snapshot.h"

#include <memory>

#include "config/settings_store.h"
#include "input/input_state.h"
#include "sound/sound.h"
#include "state/application.h"

namespace {

template <typename T>
void CopyList(const ObjectList<T>& from, std::vector<T>& to) {
    to.clear();
    for (const auto& object : from) to.push_back(*object);
}

template <typename T>
void RestoreList(const std::vector<T>& from, ObjectList<T>& to) {
    to.clear();
    for (const T& object : from) to.push_back(std::make_unique<T>(object));
}

int32_t FlyIndex(const Application& app, const Fly* fly) {
    if (!fly) return -1;
    for (size_t i = 0; i < app.Flies.size(); ++i) {
        if (app.Flies[i].get() == fly) return static_cast<int32_t>(i);
    }
    return -1;
}

Fly* FlyAt(const Application& app, int32_t index) {
    return index >= 0 ? app.Flies[static_cast<size_t>(index)].get() : nullptr;
}

}  // namespace

void SaveWorld(const Application& app, WorldSnapshot& snapshot) {
    snapshot.Rng = app.Rng;
    snapshot.StepCounter = app.StepCounter;
    snapshot.PointerX = app.PointerX;
    snapshot.PointerY = app.PointerY;
    snapshot.Keys = app.Input->Keys;
    snapshot.PrevKeys = app.Input->PrevKeys;
    snapshot.SoundVolume = app.Config->GetInteger("Sound", "SoundVolume", 25);
    snapshot.MusicVolume = app.Config->GetInteger("Sound", "MusicVolume", 25);
    snapshot.SkyState = *app.Sky;
    if (app.Game) {
        snapshot.GameState = *app.Game;
    } else {
        snapshot.GameState.reset();
    }
    if (app.Menu) {
        snapshot.MenuState = *app.Menu;
    } else {
        snapshot.MenuState.reset();
    }
    CopyList(app.Flies, snapshot.Flies);
    CopyList(app.Frogs, snapshot.Frogs);
    CopyList(app.Pads, snapshot.Pads);
    CopyList(app.Particles, snapshot.Particles);
    CopyList(app.Ripples, snapshot.Ripples);
    snapshot.FlyLinks.clear();
    for (const auto& frog : app.Frogs) {
        snapshot.FlyLinks.push_back(FlyIndex(app, frog->TargetFly));
        for (const TongueSegment& segment : frog->Tongue) {
            snapshot.FlyLinks.push_back(FlyIndex(app, segment.HeldFly));
        }
    }
}

void RestoreWorld(Application& app, const WorldSnapshot& snapshot) {
    app.Rng = snapshot.Rng;
    app.StepCounter = snapshot.StepCounter;
    app.PointerX = snapshot.PointerX;
    app.PointerY = snapshot.PointerY;
    app.Input->Keys = snapshot.Keys;
    app.Input->PrevKeys = snapshot.PrevKeys;
    Settings& config = *app.Config;
    if (config.GetInteger("Sound", "SoundVolume", 25) != snapshot.SoundVolume ||
        config.GetInteger("Sound", "MusicVolume", 25) != snapshot.MusicVolume) {
        config.SetInteger("Sound", "SoundVolume", snapshot.SoundVolume);
        config.SetInteger("Sound", "MusicVolume", snapshot.MusicVolume);
        ApplyVolumes();
    }
    *app.Sky = *snapshot.SkyState;
    if (snapshot.GameState) {
        app.Game = std::make_unique<Game>(*snapshot.GameState);
        // The title's music, started by an end of the game that turned out never to happen,
        // has no place in a game.
        if (Music().Playing) Music().Stop();
    } else {
        app.Game.reset();
    }
    if (app.Menu && snapshot.MenuState) *app.Menu = *snapshot.MenuState;
    // The flies go first: each clears the frogs' references to it as it goes.
    RestoreList(snapshot.Flies, app.Flies);
    RestoreList(snapshot.Frogs, app.Frogs);
    RestoreList(snapshot.Pads, app.Pads);
    RestoreList(snapshot.Particles, app.Particles);
    RestoreList(snapshot.Ripples, app.Ripples);
    size_t link = 0;
    for (const auto& frog : app.Frogs) {
        frog->TargetFly = FlyAt(app, snapshot.FlyLinks[link++]);
        for (TongueSegment& segment : frog->Tongue) {
            segment.HeldFly = FlyAt(app, snapshot.FlyLinks[link++]);
        }
    }
}
