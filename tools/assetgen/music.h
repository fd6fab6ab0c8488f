// The menu music: the tune played by its instruments in a small hall, as one seamless loop.
#pragma once

#include "synth.h"

struct Stereo {
    Samples left;
    Samples right;
};

Stereo MakeMusic();
