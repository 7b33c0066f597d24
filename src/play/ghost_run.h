// The ghost on the gameplay screens: the level's best run, read from the
// player's records each time the level is read, flown beside the ship while
// the ghost option is on.
#pragma once

#include "level/level.h"

// Reads the best run of the level just read (before StartLevel): a campaign
// level by its shipped name, any other (null) by its flight hash. While a
// gameplay screen flies, the World's ghost becomes that run at once (none
// when the level has no best run, or the option is off).
void GhostRun_NameLevel(const char* shippedName, const Level* level);
// Gives the run read to the World that SetupWorld has just made.
void GhostRun_Start(void);
// Lets go of the run when the gameplay screen closes.
void GhostRun_Stop(void);
