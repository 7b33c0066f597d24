// The campaign's level files by name, in play order (tests/replays/<name>.replay
// flies ./Assets/levels/<name>.vexl).
#pragma once

const char* const kLevelNames[] = {
    "tutorial_0", "tutorial_1", "tutorial_2", "tutorial_3", "tutorial_4", "tutorial_5", "level_1",
    "level_2",    "level_3",    "level_4",    "level_5",    "level_6",    "level_7",    "level_8",
    "level_9",    "level_10",   "level_11",   "level_12",   "level_13"};
