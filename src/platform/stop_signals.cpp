#include "platform/stop_signals.h"

#include <signal.h>

namespace platform {

namespace {

volatile sig_atomic_t stop_requested = 0;

void OnStopSignal(int) {
    stop_requested = 1;
}

}  // namespace

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: the signal cuts the socket's wait short.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopRequested() {
    return stop_requested != 0;
}

}  // namespace platform
