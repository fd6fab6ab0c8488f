// The two tables of the day's keyframes: a clear sky and an overcast one.
#pragma once

#include "game/sky.h"

void FillClearKeys(SkyKeyframe (&keys)[Sky::kKeyCount]);
void FillOvercastKeys(SkyKeyframe (&keys)[Sky::kKeyCount]);
