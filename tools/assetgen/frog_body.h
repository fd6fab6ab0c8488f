// The frog's body, its natural-coloured face overlay and its shut eyelids.
#pragma once

class Canvas;

// The body in greys, for the game to tint with the frog's colour.
void DrawFrogBody(Canvas& canvas, int cell, bool mouthOpen);
// Eye, pupil, nostril and mouth (a line, or the open mouth), drawn untinted over the body.
void DrawFrogFace(Canvas& canvas, int cell, bool mouthOpen);
// Lids covering the eye exactly, in greys for tinting; squeezed tighter with the mouth open.
void DrawFrogEyelids(Canvas& canvas, int cell, bool mouthOpen);
