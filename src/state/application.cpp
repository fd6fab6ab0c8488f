#include "state/application.h"

#include <cassert>

namespace {
Application* current = nullptr;
}

Application& App() {
    assert(current && "UseApp must be called first");
    return *current;
}

void UseApp(Application* app) {
    current = app;
}

void ForgetApp(const Application* app) {
    if (current == app) current = nullptr;
}
