// The font's picture glyphs, drawn white so the text colour tints them.
#pragma once

class Canvas;

// Each draws into the square cell whose top-left corner is (x, y) and side is size.
void DrawBlockGlyph(Canvas& canvas, float x, float y, float size);
void DrawFrogFaceGlyph(Canvas& canvas, float x, float y, float size);
void DrawFlyGlyph(Canvas& canvas, float x, float y, float size);
void DrawLilyPadGlyph(Canvas& canvas, float x, float y, float size);
