#include <cmath>

#include "game/fly.h"
#include "game/frog.h"
#include "game/player.h"
#include "game/player_input.h"
#include "state/application.h"
#include "state/random.h"

namespace {

constexpr double kTongueReach = 120;
constexpr int32_t kTurnDelay = 10;
constexpr double kPersonJump = 4;
constexpr double kChargeLimit = 9;

// A person's actions by key scheme.
struct SchemeActions {
    int32_t jump, left, right, tongue;
};

SchemeActions ActionsOf(int32_t scheme) {
    const int32_t base = scheme == 1 ? 0 : kSchemeActions;
    return {base + kActionUp, base + kActionLeft, base + kActionRight, base + kActionFire};
}

}  // namespace

void Frog::Control() {
    const PlayerRecord& player = Player();
    if (!player.IsHuman && TargetFly && State == FrogState::Standing) SteerByComputer();
    if (player.IsHuman) SteerByKeys();
    if (!App().Flies.empty() && Random(80 - 30 * player.Skill) == 0) PickNearestFly();
    if (!TongueOut && State != FrogState::Swimming) TriggerTongue();
}

// A computer frog with a target never rests: it jumps at a fly high above or hops toward one
// far to the side. Below one unit of height the logarithm turns the jump into a hop.
void Frog::SteerByComputer() {
    if (TargetFly->X > X) {
        Facing = 1;
    } else if (TargetFly->X < X) {
        Facing = -1;
    }
    const double dx = std::fabs(TargetFly->X - X);
    const double dy = std::fabs(TargetFly->Y - Y);
    if (dy / 4 + 30 >= dx) {
        double strength = 1.8 * std::log(dy);
        // Easy frogs miss by up to 10 %.
        if (Player().Skill == 0) strength *= (Random() - 0.5) * 0.2 + 1;
        Jump(strength);
    } else {
        Jump(-1);
    }
}

// The first press of a direction only turns the frog; holding it then hops one hop per
// landing. Holding jump from take-off raises the climb until it reaches 9.
void Frog::SteerByKeys() {
    const SchemeActions actions = ActionsOf(Player().Scheme);
    if (TurnDelay > 0) --TurnDelay;
    if (State == FrogState::Standing) {
        if (TurnDelay == 0) {
            if (ActionHeld(actions.left)) {
                TurnOrHop(-1);
            } else if (ActionHeld(actions.right)) {
                TurnOrHop(1);
            }
        }
        Charging = ActionHeld(actions.jump);
        if (Charging) Jump(kPersonJump);
    } else if (State == FrogState::Airborne) {
        if (ActionHeld(actions.jump) && VelY < kChargeLimit && Charging) {
            VelY += 0.5;
        } else {
            Charging = false;
        }
    }
}

void Frog::TurnOrHop(int32_t direction) {
    if (Facing == direction) {
        Jump(-1);
    } else {
        Facing = direction;
        TurnDelay = kTurnDelay;
        IdleSteps = 0;
    }
}

void Frog::TriggerTongue() {
    bool shoot;
    if (Player().IsHuman) {
        shoot = ActionHeld(ActionsOf(Player().Scheme).tongue);
    } else {
        shoot = TargetFly && Distance(X, Y, TargetFly->X, TargetFly->Y) < kTongueReach;
    }
    if (shoot) ShootTongue(5 * Facing, 0.5);
}
