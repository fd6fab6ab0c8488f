// The frog's leg pieces (tiles 4 to 8), each a band stretched by the game from a joint (top
// edge) to the next joint (bottom edge), reaching 2 units past both.
#pragma once

class Canvas;

void DrawFrogLegs(Canvas& canvas);
