// The sound of water: every drip, plop and splash is mostly small air bubbles ringing.
#pragma once

#include "synth.h"

// A bubble ringing at about hz, starting at the given second: a sine that dies away quickly
// and rises in pitch as it does, the smaller the bubble the higher and shorter.
void AddBubble(Samples& into, double at, double hz, float amplitude);
