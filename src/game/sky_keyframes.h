// The two tables of the day's keyframes: a clear sky and an overcast one.
#pragma once

#include "game/sky.h"

void FillClearKeys(TSkyKey (&keys)[TNiebo::kKeyCount]);
void FillOvercastKeys(TSkyKey (&keys)[TNiebo::kKeyCount]);
