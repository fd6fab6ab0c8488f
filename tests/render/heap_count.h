// Counts the heap allocations made through operator new while a stretch of drawing runs,
// told apart into ours and the GL driver's: Mesa and LLVM allocate when they meet a new
// kind of picture, which is theirs to do.
#pragma once

struct HeapCount {
    long Ours = 0;
    long Drivers = 0;
};

void StartHeapCount();
HeapCount StopHeapCount();
