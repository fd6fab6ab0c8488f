// The small borderless window with a progress bar shown while data loads.
#pragma once

#include <string>

struct SDL_Window;
struct SDL_Renderer;
typedef struct _TTF_Font TTF_Font;

namespace platform {

struct LoadingLook {
    std::string caption;  // the window's name for the desktop; never shown on it
    std::string title;
    std::string status;
    std::string titleFont;   // path of the bold face
    std::string statusFont;  // path of the regular face
    int maxValue = 1;
};

class LoadingWindow {
public:
    LoadingWindow() = default;
    LoadingWindow(const LoadingWindow&) = delete;
    LoadingWindow& operator=(const LoadingWindow&) = delete;
    ~LoadingWindow();

    // Opens the window centred on the screen and paints it at once.
    void Show(const LoadingLook& look);
    // Moves the bar one step (never past the end) and repaints.
    void StepProgress();
    // Takes the window off the screen; it is destroyed with the object.
    void Close();
    int Progress() const { return progress_; }

private:
    void Paint();
    void DrawText(TTF_Font* font, const std::string& text, int left, int top, int width, int height,
                  bool centred);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    TTF_Font* titleFont_ = nullptr;
    TTF_Font* statusFont_ = nullptr;
    LoadingLook look_;
    int progress_ = 0;
};

}  // namespace platform
