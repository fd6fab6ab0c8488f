// Every sound effect and ambient sound of the game, synthesised at no particular level;
// the caller evens out loudness. Numbered makers take 1 for the first variant.
#pragma once

#include "synth.h"

Samples MakeBigJump();
Samples MakeSmallHop();
Samples MakeSplash();
Samples MakeTongue(int variant);  // 1..3
Samples MakeGulp();
Samples MakeBurp(int variant);  // 1..2

Samples MakeBird(int number);      // 1..12
Samples MakeCricket(int variant);  // 1..2
Samples MakeWind();
Samples MakeCrow(int variant);        // 1..3
Samples MakeFrogChorus(int variant);  // 1..4
Samples MakeFlies(int variant);       // 1..2
// Already seamless: its end runs straight on into its start.
Samples MakeRain();
