#include "app/application.h"

#include <cassert>

#include "config/settings_store.h"
#include "input/power_input.h"

namespace {
Application* current = nullptr;
}

Application::Application() = default;
Application::~Application() {
    if (current == this) current = nullptr;
}

Application& App() {
    assert(current && "UseApp must be called first");
    return *current;
}

void UseApp(Application* app) {
    current = app;
}
