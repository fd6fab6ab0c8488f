// Handing unused memory back to the system.
#pragma once

namespace platform {

// Returns the heap's free pages to the system. The GL driver's passing allocations
// (compiling code for a new kind of picture, say) leave free memory amid the heap that the
// C library would otherwise keep for good. Takes some milliseconds: call it at a pause.
void ReleaseFreeMemory();

}  // namespace platform
