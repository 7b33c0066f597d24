// A shipped level's proving run saved as the player's best run of it, for
// the tests of the ghost and of watching a best run.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "level/level.h"
#include "play/records.h"
#include "world/replay.h"

// Saves tests/replays/<name>.replay as the best run of the shipped level
// <name>, naming the level's flight hash, at the author's time.
inline void RecordShippedProof(const std::string& name) {
    Replay run;
    const std::string replays = std::string(VEXAL_SOURCE_DIR) + "/tests/replays/";
    ASSERT_EQ(ReadReplayFile((replays + name + ".replay").c_str(), &run), 0);
    Level level;
    ASSERT_EQ(ReadLevelFile(("./Assets/levels/" + name + ".vexl").c_str(), &level, true), 0);
    Replay_SetLevel(&run, name.c_str(), Level_FlightHash(&level));
    RecordOutcome outcome;
    Records_Offer(name.c_str(), &run, Records_AuthorTime(name.c_str()), 900, level.parTime, 0.0f,
                  &outcome);
    FreeLevel(&level);
    FreeReplay(&run);
    ASSERT_TRUE(outcome.newBestTime);
    ASSERT_EQ(outcome.saveError, 0);
}
