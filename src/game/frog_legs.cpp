#include <cmath>

#include "game/frog.h"
#include "game/lily_pad.h"
#include "state/random.h"

double Frog::JointDirX(double angle) const {
    return -std::sin(angle * kRadiansPerDegree) * Facing;
}

double Frog::JointDirY(double angle) const {
    return std::cos(angle * kRadiansPerDegree);
}

void Frog::UpdateLegs() {
    UpdateLeg(BackLeg, 3, true, X - 12 * Facing, Y - 7);
    UpdateLeg(FrontLeg, 2, false, X + 3 * Facing, Y - 1);
}

// Each joint eases toward its tucked or stretched angle; in the air the legs stretch while
// there is room under them.
void Frog::UpdateLeg(LegJoint* joints, int32_t count, bool back, double hipX, double hipY) {
    double startX = hipX;
    double startY = hipY;
    for (int32_t i = 0; i < count; ++i) {
        LegJoint& joint = joints[i];
        double target = joint.TuckedAngle;
        int32_t rate = back ? 5 : 2;
        if (State == FrogState::Swimming) {
            if (VelY >= 0) {
                target = joint.StretchedAngle;
                rate = 6;
            } else {
                rate = 20;
            }
        } else if (State == FrogState::Airborne) {
            const double endX = startX + joint.Length * JointDirX(joint.Angle);
            const double endY = startY + joint.Length * JointDirY(joint.Angle);
            if (IsAboveSupport(endX, endY - Size / 2)) {
                target = joint.StretchedAngle;
                rate = back ? 5 : 4;
            }
        }
        joint.Angle = SmoothToward(rate, joint.Angle, target);
        const double dirX = JointDirX(joint.Angle);
        const double dirY = JointDirY(joint.Angle);
        joint.StartX = startX;
        joint.StartY = startY;
        joint.EndX = startX + joint.Length * dirX;
        joint.EndY = startY + joint.Length * dirY;
        joint.QuadX1 = startX - 2 * dirX;
        joint.QuadY1 = startY - 2 * dirY;
        joint.QuadX2 = joint.EndX + 2 * dirX;
        joint.QuadY2 = joint.EndY + 2 * dirY;
        startX = joint.EndX;
        startY = joint.EndY;
    }
}

// A frog left standing for 500 steps dozes with its eyes shut.
void Frog::UpdateBlink() {
    if (State != FrogState::Standing) {
        IdleSteps = 0;
    } else {
        ++IdleSteps;
    }
    if (BlinkSteps > 0) --BlinkSteps;
    if (IdleSteps >= 500) {
        BlinkSteps = 3;
    } else if (BlinkSteps <= 0 && Random(50) == 0) {
        BlinkSteps = 3;
    }
}
