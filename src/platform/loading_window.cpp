#include "platform/loading_window.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>

namespace platform {

namespace {

constexpr int kWidth = 455;
constexpr int kHeight = 75;
constexpr int kTitleHeight = 36;
constexpr int kTitlePixels = 25;
constexpr int kStatusPixels = 11;
constexpr SDL_Rect kGauge = {11, 38, 434, 11};
constexpr int kStatusLeft = 11;
constexpr int kStatusTop = 51;

void Fill(SDL_Renderer* renderer, SDL_Rect rect, Uint8 grey) {
    SDL_SetRenderDrawColor(renderer, grey, grey, grey, 255);
    SDL_RenderFillRect(renderer, &rect);
}

TTF_Font* OpenFont(const std::string& path, int pixels) {
    TTF_Font* font = TTF_OpenFont(path.c_str(), pixels);
    if (!font) std::fprintf(stderr, "Pondlark Remake: cannot open font %s\n", path.c_str());
    return font;
}

}  // namespace

LoadingWindow::~LoadingWindow() {
    Close();
}

void LoadingWindow::Show(const LoadingLook& look) {
    look_ = look;
    progress_ = 0;
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
        std::fprintf(stderr, "Pondlark Remake: %s\n", TTF_GetError());
    }
    if (TTF_WasInit() > 0) {
        titleFont_ = OpenFont(look.titleFont, kTitlePixels);
        statusFont_ = OpenFont(look.statusFont, kStatusPixels);
    }
    // Centred across; down from the middle of the screen by half the height.
    SDL_Rect screen = {0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &screen);
    int top = screen.y + screen.h / 2 - kHeight / 2;
    window_ = SDL_CreateWindow(
        look.caption.c_str(), SDL_WINDOWPOS_CENTERED, top, kWidth, kHeight,
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR);
    if (!window_) return;
    // Left to itself SDL backs a software renderer's window with an OpenGL texture, and
    // bringing up OpenGL first for this small window costs about a second on a software GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    Paint();
}

// A full bar is not painted again: the sounds fill it before the GL context exists, and
// painting through shared memory after that stops software GL from reaching the screen.
void LoadingWindow::StepProgress() {
    if (progress_ >= look_.maxValue) return;
    ++progress_;
    Paint();
}

// Only hidden here: destroying a window that drew through shared memory stops
// software GL in the same process from reaching the screen.
void LoadingWindow::Close() {
    if (titleFont_) TTF_CloseFont(titleFont_);
    if (statusFont_) TTF_CloseFont(statusFont_);
    titleFont_ = statusFont_ = nullptr;
    if (TTF_WasInit() > 0) TTF_Quit();
    if (window_) SDL_HideWindow(window_);
}

void LoadingWindow::DrawText(TTF_Font* font, const std::string& text, int left, int top, int width,
                             int height, bool centred) {
    if (!font) return;
    SDL_Surface* surface =
        TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!surface) return;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
    SDL_Rect target = {left, top, surface->w, surface->h};
    if (centred) {
        target.x = left + (width - surface->w) / 2;
        target.y = top + (height - surface->h) / 2;
    }
    if (texture) SDL_RenderCopy(renderer_, texture, nullptr, &target);
    SDL_DestroyTexture(texture);
    SDL_FreeSurface(surface);
}

void LoadingWindow::Paint() {
    if (!renderer_) return;
    // Black panel with a lowered bevel: shadow above and left, light below and right.
    Fill(renderer_, {0, 0, kWidth, kHeight}, 0x00);
    Fill(renderer_, {0, 0, kWidth, 1}, 0x80);
    Fill(renderer_, {0, 0, 1, kHeight}, 0x80);
    Fill(renderer_, {0, kHeight - 1, kWidth, 1}, 0xFF);
    Fill(renderer_, {kWidth - 1, 0, 1, kHeight}, 0xFF);

    DrawText(titleFont_, look_.title, 0, 0, kWidth, kTitleHeight, true);

    Fill(renderer_, kGauge, 0x5C);
    int filled = look_.maxValue > 0 ? kGauge.w * progress_ / look_.maxValue : 0;
    Fill(renderer_, {kGauge.x, kGauge.y, filled, kGauge.h}, 0xD3);

    DrawText(statusFont_, look_.status, kStatusLeft, kStatusTop, 0, 0, false);
    SDL_RenderPresent(renderer_);
    SDL_PumpEvents();
}

}  // namespace platform
