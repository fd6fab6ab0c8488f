#include "platform/message_box.h"

#include <SDL.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <thread>

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

volatile std::sig_atomic_t interrupted = 0;

void NoteSignal(int) {
    interrupted = 1;
}

// A box's own loop would let neither Ctrl+C nor kill through, so the box is shown by a child
// process in a group of its own while this process watches for both; either closes the box
// at once. Once a signal came no further box is shown: the program is on its way out.
// Gives what the box returned, or -1 after a signal.
int ShowInChild(const std::function<int()>& box) {
    if (interrupted) return -1;
    struct sigaction watch = {};
    watch.sa_handler = NoteSignal;
    sigemptyset(&watch.sa_mask);
    struct sigaction oldInterrupt = {}, oldTerminate = {};
    sigaction(SIGINT, &watch, &oldInterrupt);
    sigaction(SIGTERM, &watch, &oldTerminate);
    int result = -1;
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        _exit(box());
    }
    if (child < 0) {
        result = box();
    } else {
        setpgid(child, child);
        for (;;) {
            int status = 0;
            const pid_t got = waitpid(child, &status, WNOHANG);
            if (got == child) {
                if (WIFEXITED(status)) result = WEXITSTATUS(status);
                break;
            }
            if (got < 0 && errno != EINTR) break;
            if (interrupted) {
                // The group holds the box's own helper process too.
                kill(-child, SIGKILL);
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    sigaction(SIGINT, &oldInterrupt, nullptr);
    sigaction(SIGTERM, &oldTerminate, nullptr);
    return interrupted ? -1 : result;
}

}  // namespace

void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) {
    ShowInChild([&] {
        if (SDL_ShowSimpleMessageBox(IconFlag(icon), caption.c_str(), text.c_str(), nullptr) != 0) {
            // No display to show it on: the message must still reach the player.
            std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        }
        return 0;
    });
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
    // A box closed by a signal answers No.
    return ShowInChild([&] {
               int chosen = 0;
               if (SDL_ShowMessageBox(&data, &chosen) == 0) return chosen == 1 ? 1 : 0;
               std::fprintf(stderr, "%s: %s (no display to ask on; taking No)\n", caption.c_str(),
                            text.c_str());
               return 0;
           }) == 1;
}

}  // namespace platform
