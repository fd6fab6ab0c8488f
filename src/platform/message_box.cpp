#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>

namespace platform {

namespace {

Uint32 IconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return SDL_MESSAGEBOX_ERROR;
        case MessageIcon::Warning:
            return SDL_MESSAGEBOX_WARNING;
        case MessageIcon::Information:
            break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

}  // namespace

void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) {
    if (SDL_ShowSimpleMessageBox(IconFlag(icon), caption.c_str(), text.c_str(), nullptr) != 0) {
        // No display to show it on: the message must still reach the player.
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
}

bool AskYesNo(const std::string& caption, const std::string& text, MessageIcon icon) {
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
    };
    SDL_MessageBoxData data = {};
    data.flags = IconFlag(icon);
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = 2;
    data.buttons = buttons;
    int chosen = 0;
    if (SDL_ShowMessageBox(&data, &chosen) != 0) {
        std::fprintf(stderr, "%s: %s (no display to ask on; taking No)\n", caption.c_str(),
                     text.c_str());
        return false;
    }
    return chosen == 1;
}

}  // namespace platform
