// The score of a finished level.
#pragma once

#include <cstdint>

// What the World's level is worth right now: 0 unless the goal was reached
// (and the ship not stranded); otherwise 250, plus 10 per unit of fuel left
// unless fuel is unlimited, plus up to 1000 for beating the par time.
int32_t Score_LevelValue(void);

// Scores the finished level into world.levelScore and adds it to world.totalScore.
void Score_Level(void);
