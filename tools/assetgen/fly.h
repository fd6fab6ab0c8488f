// The fly's body (nose up) and one wing, for the game to tint grey.
#pragma once

class Canvas;

void DrawFlyBody(Canvas& canvas, int cell);
// The left wing, its root at the right edge of the cell near the body and its tip to the left.
void DrawFlyWing(Canvas& canvas, int cell);
