// Every attempt at a level is recorded as a replay while it is flown, and a
// run that reaches the goal is offered to the level's records.
#pragma once

#include <cstdint>

#include "level/level.h"
#include "play/records.h"

// Key events an attempt records without allocating: the busiest shipped proof
// (level_3) presses or lets go about 6.4 times a second, so 8,192 events
// (96 KiB) hold over 20 minutes of such flying, or 9 minutes of a player
// tapping 15 times a second. A longer attempt grows the room, rarely.
enum { RUN_RECORDER_EVENTS = 8192 };

// Names the level of the attempts to come, each time its file has been read
// (before StartLevel, while it is still as read): `shippedName` for a
// campaign level ("level_3"), null for any other; `path` its file, whose name
// the replay keeps. Reads the level's records when the level changed, and
// makes the next finished run one to offer.
void RunRecorder_NameLevel(const char* shippedName, const char* path, const Level* level);
// Records the World's attempts from now on, once SetupWorld has run, and puts
// the level's best time under the flight clock.
void RunRecorder_Start(void);
// Stops recording and lets go of the recording's room.
void RunRecorder_Stop(void);

// Offers the attempt just finished (scored into world.levelScore) to the
// records, once: for the same attempt again, the first outcome is returned.
const RecordOutcome* RunRecorder_Offer(void);
// The level's best time (0 when none) and the medal it earns, as they stand.
float RunRecorder_BestTime(void);
Medal RunRecorder_BestMedal(void);
// The recording of the attempt being flown (or last flown).
const Replay* RunRecorder_Recording(void);
