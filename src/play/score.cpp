// The level score, worked out by the World (World_LevelScore), added to the
// campaign's running total.
#include "play/score.h"

#include "world/world.h"

int32_t Score_LevelValue(void) { return World_LevelScore(); }

void Score_Level(void) {
    world.levelScore = Score_LevelValue();
    const int64_t total = static_cast<int64_t>(world.totalScore) + world.levelScore;
    world.totalScore = total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}
