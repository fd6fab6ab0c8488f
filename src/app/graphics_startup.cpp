#include "app/main_window.h"
#include "config/settings_store.h"
#include "gfx/textures.h"
#include "gfx/view.h"
#include "platform/event_loop.h"
#include "platform/message_box.h"

namespace {
constexpr int kMinWindowSide = 64;
constexpr int kMaxWindowSide = 8192;
}  // namespace

bool MainWindow::InitGraphics() {
    Settings& config = *app_.Config;
    platform::DisplayMode mode;
    app_.FullScreen = config.GetBoolean("Graphics", "Fullscreen", false);
    mode.width = config.GetInteger("Graphics", "resx", 800);
    mode.height = config.GetInteger("Graphics", "resy", 600);
    mode.bpp = config.GetInteger("Graphics", "bpp", 32);
    mode.hz = config.GetInteger("Graphics", "hz", 60);

    if (app_.FullScreen && !window_.RequestFullScreen(mode)) {
        if (platform::AskYesNo("Tovek GL",
                               "The requested fullscreen mode is not supported by\\nyour video "
                               "card. Use windowed mode instead?",
                               platform::MessageIcon::Warning)) {
            app_.FullScreen = false;
        } else {
            platform::ShowMessage("ERROR", "Program will now close.", platform::MessageIcon::Error);
            startFailed_ = true;
            platform::PostQuit();
            return true;
        }
    }

    // A hand-edited size no window can have gets the usual one instead of a failure.
    const bool sensible = mode.width >= kMinWindowSide && mode.width <= kMaxWindowSide &&
                          mode.height >= kMinWindowSide && mode.height <= kMaxWindowSide;
    const int width = sensible ? mode.width : 800;
    const int height = sensible ? mode.height : 600;
    const char* failure = nullptr;
    switch (window_.CreateGL(width, height)) {
        case platform::GLStart::Ok:
            break;
        case platform::GLStart::NoPixelFormat:
            failure = "Cant't Find A Suitable PixelFormat.";
            break;
        case platform::GLStart::CannotSetPixelFormat:
            failure = "Can't Set The PixelFormat.";
            break;
        case platform::GLStart::NoContext:
            failure = "Can't Create A GL Rendering Context.";
            break;
        case platform::GLStart::CannotActivate:
            failure = "Can't activate GLRC.";
            break;
    }
    if (failure) {
        platform::ShowMessage("Error", failure, platform::MessageIcon::Error);
        startFailed_ = true;
        platform::PostQuit();
        return true;
    }
    app_.FullScreen = window_.FullScreen();

    int clientWidth = 0, clientHeight = 0;
    window_.ClientSize(clientWidth, clientHeight);
    InitGL(clientWidth, clientHeight);
    if (!LoadGameTextures()) return false;
    SetDrawingDefaults();
    return true;
}
