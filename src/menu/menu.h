// The menus: title, frogs settings, options and the in-game menu, drawn over the pond.
#pragma once

#include <cstdint>
#include <string_view>

enum MenuScreen : int32_t {
    kScreenTitle = 0,
    kScreenFrogs = 1,
    kScreenOptions = 2,
    kScreenInGame = 3,
};

// The menu controller: steps and draws whatever screen is up while no game runs.
class Menu {
public:
    Menu();

    // Shows the title afresh over an empty pond at midday in a random season.
    void Reset(bool restartMusic);
    void MenuStep();
    void MenuDraw() const;
    // Pauses the running game and shows the in-game menu.
    void OpenInGameMenu();

    int32_t Selected = 0;
    int32_t LastItem = 0;
    int32_t Screen = 0;
    int32_t CreditPair = 0;
    int32_t CreditTimer = 0;
    // The last entry of each screen; the frogs screen's is set when it opens.
    int32_t LastItemTable[4] = {5, 0, 3, 3};

private:
    void TitleStep();
    void StartNewGame();
    void Exit();
    void FrogsStep();
    void VolumesStep();
    void StepCredits();

    void DrawItem(int32_t index, std::string_view text, uint8_t alignment, double size, double y,
                  double x) const;
    void DrawTitle() const;
    void DrawCredits() const;
};
