// The frog's outline and features in frog units (see frog_cell.h), closed or with the mouth open.
#pragma once

#include "shapes.h"

struct FrogShape {
    // Where a point of the drawn frog comes from on the closed-mouthed frog, so skin patterns
    // follow the jaws when they open, and its distance to the outline.
    struct Sample {
        float distance;
        Vec2 source;
    };

    explicit FrogShape(bool mouthOpen);

    Sample At(Vec2 p) const;
    // Features moved with the head (the upper jaw turns up when the mouth opens).
    Vec2 Eye() const { return Head(kEye); }
    Vec2 Head(Vec2 closedPoint) const;
    // How much a point turns with the jaws: 0 behind the mouth corner, 1 in front of it.
    float HingeWeight(Vec2 p) const;
    // The wedge that opens between the turned jaws, reaching out past the snout.
    float Gap(Vec2 p) const;
    // The open mouth's inside: the part of the gap between the jaws; positive outside.
    float Mouth(Vec2 p) const;

    static constexpr Vec2 kEye{4.6f, 6.2f};
    static constexpr float kEyeRadius = 2.55f;
    static constexpr Vec2 kMouthCorner{2.2f, 2.0f};
    static constexpr Vec2 kSnoutTip{12.8f, 2.9f};
    static constexpr Vec2 kNostril{11.2f, 4.7f};

    bool open;
    float upperTurn;  // radians the upper jaw turns up
    float lowerTurn;  // radians the lower jaw turns down
};

// The closed frog's outline alone.
float FrogOutline(Vec2 p);
// A smooth minimum, so joined shapes grow into each other.
float SmoothMin(float a, float b, float k);
