// The recording of the attempt being flown on a gameplay screen, the level's
// records it is measured against, and the one offer of a finished run.
#include "play/run_recorder.h"

#include <cstdio>
#include <cstring>

#include "world/replay.h"
#include "world/world.h"

namespace {

Replay recording = {};
bool recordingReady = false;  // initialised, its room made

// The level being flown: its records' key, par and author time, and its
// best time as last read or set.
char levelKey[RECORD_KEY_SIZE] = {};
float parTime = 0.0f;
float authorTime = 0.0f;
float bestTime = 0.0f;

// The finished attempt's offer, made once.
bool offered = false;
RecordOutcome outcome = {};

void EnsureRecording(void) {
    if (recordingReady) return;
    InitReplay(&recording);
    // Without the room the recording still grows as the attempt needs.
    Replay_Reserve(&recording, RUN_RECORDER_EVENTS);
    recordingReady = true;
}

// The file's name without its folder: what a replay names a custom level by.
const char* FileName(const char* path) {
    const char* name = path ? std::strrchr(path, '/') : nullptr;
    return name ? name + 1 : (path ? path : "");
}

}  // namespace

void RunRecorder_NameLevel(const char* shippedName, const char* path, const Level* level) {
    EnsureRecording();
    const uint64_t hash = Level_FlightHash(level);
    Replay_SetLevel(&recording, shippedName ? shippedName : FileName(path), hash);
    char key[RECORD_KEY_SIZE];
    Records_Key(shippedName, hash, key, sizeof key);
    parTime = level->parTime;
    authorTime = Records_AuthorTimeOf(shippedName, hash);
    if (std::strcmp(key, levelKey) != 0) {
        // Another level (or the first): its records are read once, here at
        // its start, never while it is flown.
        std::snprintf(levelKey, sizeof levelKey, "%s", key);
        LevelRecord record;
        Records_Load(levelKey, &record);
        bestTime = record.bestTime;
        FreeLevelRecord(&record);
    }
    world.bestTime = bestTime;
    offered = false;
}

void RunRecorder_Start(void) {
    EnsureRecording();
    World_RecordInto(&recording);
    world.bestTime = bestTime;
}

void RunRecorder_Stop(void) {
    if (world.recording == &recording) World_RecordInto(nullptr);
    if (recordingReady) FreeReplay(&recording);
    recordingReady = false;
    levelKey[0] = '\0';
    bestTime = 0.0f;
    offered = false;
}

const RecordOutcome* RunRecorder_Offer(void) {
    if (offered) return &outcome;
    offered = true;
    outcome = RecordOutcome{false, false, 0.0f, MEDAL_NONE, 0};
    if (!levelKey[0]) return &outcome;  // no level named: nothing to measure
    Records_Offer(levelKey, &recording, world.levelTime, world.levelScore, parTime, authorTime,
                  &outcome);
    if (outcome.newBestTime && outcome.saveError == 0) bestTime = world.levelTime;
    return &outcome;
}

float RunRecorder_BestTime(void) { return bestTime; }

Medal RunRecorder_BestMedal(void) { return Medal_ForTime(bestTime, parTime, authorTime); }

const Replay* RunRecorder_Recording(void) { return &recording; }
