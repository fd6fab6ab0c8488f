// SIGINT and SIGTERM ask a server to stop; a wait they interrupt returns early.
#pragma once

namespace platform {

void CatchStopSignals();
bool StopRequested();

}  // namespace platform
