// Lily pads: the drifting ground the frogs stand on, and the questions frogs ask of it.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/textures.h"

struct PadPose;

// The water line, where every pad's standing surface lies.
inline constexpr double kWaterLine = 80;

// A lily pad drifting along the water line.
class LilyPad {
public:
    LilyPad(double x, double y, double velX, double velY, double size);
    // A pad at a random place on the water line, drifting slowly left or right.
    explicit LilyPad(double size);

    // One step: carry the standing frogs, move, turn at the edges and at other pads.
    void Update();
    void Draw(const PadPose& pose) const;

    double X;
    double Y;
    double VelX;
    double VelY;
    double Size;  // half-width
    double ColorR = 0;
    double ColorG = 0;
    double ColorB = 0;
    int32_t TextureSlot = kSlotPad;
    bool Mirrored = false;
    bool Dead = false;

private:
    void CarryFrogs() const;
    void PushApart();
};

// Makes the level's two to six pads and spreads them out.
void MakeLevelPads();
// Gives overlapping pads new places, for at most 101 passes.
void SpreadPads();
void UpdatePads();
// Each pad drawn a fraction of the way from its pose before the latest step.
void DrawPads(const std::vector<PadPose>& before, double fraction);

// The first pad in list order whose span holds x (edges included), or null.
LilyPad* PadAt(double x);
bool IsPadAt(double x);
// The standing surface under x: 80 over a pad, -1 over open water.
double SupportHeightAt(double x);
bool IsAboveSupport(double x, double y);
