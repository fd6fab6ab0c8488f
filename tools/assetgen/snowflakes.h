// Four kinds of six-armed snowflake, white on transparent.
#pragma once

#include "shapes.h"

class Canvas;

// style 0..3 picks the kind: branching dendrite, stellar plate, forked star, soft tuft.
void DrawSnowflake(Canvas& canvas, Vec2 centre, float radius, int style);
