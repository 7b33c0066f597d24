// What a finished level is worth: a flat 250 for reaching the goal, the fuel
// left, and a bonus for finishing under the level's par time. Here in the
// World so that the campaign's scoring and the editor's test play agree.
#include "world/numbers.h"
#include "world/world.h"

namespace {

const int32_t kGoalScore = 250;
const float kPointsPerFuel = 10.0f;
const float kParBonus = 1000.0f;

// The par-time bonus rewards speed: (par - time) / par x 1000, worked in
// single precision, so a level flown in half its par earns 500 and one
// finished just under par almost nothing; nothing at or after par, and
// nothing for a level without one.
int32_t ParTimeBonus(float levelTime, float parTime) {
    if (!(parTime > 0.0f) || !(levelTime < parTime)) return 0;
    return TruncateToInt((parTime - levelTime) / parTime * kParBonus);
}

}  // namespace

int32_t World_LevelScore(void) {
    if (!world.levelComplete || world.stranded) return 0;
    int32_t score = kGoalScore;
    if (!(world.level.flags & LEVEL_UNLIMITED_FUEL) && world.ship.fuel) {
        // A level may start with more than a full tank; the fuel bonus can
        // still never take the score out of range.
        int32_t fuelPoints = TruncateToInt(world.ship.fuel->fuel * kPointsPerFuel);
        if (fuelPoints < 0) fuelPoints = 0;
        score = fuelPoints > INT32_MAX - score ? INT32_MAX : score + fuelPoints;
    }
    const int32_t bonus = ParTimeBonus(world.levelTime, world.level.parTime);
    score = bonus > INT32_MAX - score ? INT32_MAX : score + bonus;
    return score;
}
