// The player's records: for every level flown to the goal, the best time, the
// best score and the replay of the fastest run, kept in the save folder; and
// the medal a time earns against the level's par.
//
// Each level's records are one file, records/<key>.replay in the save folder:
// the replay of the fastest run, which the level tool flies like any other
// (`vexal-level run LEVEL --replay records/level_3.replay`), with the bests:
//
//   # vexal replay 1
//   scheme 2
//   level level_3
//   hash cf2525cd030c61ff
//   best-time 13.4333       # the fastest run's seconds of flying
//   best-score 1712         # the best level score, of any run
//   par-time 16             # the par both were set against
//   0 down 88
//   ...
#pragma once

#include <cstddef>
#include <cstdint>

#include "world/replay.h"

// Medals, worst to best.
enum Medal { MEDAL_NONE = 0, MEDAL_BRONZE = 1, MEDAL_SILVER = 2, MEDAL_GOLD = 3, MEDAL_AUTHOR = 4 };

enum { RECORD_KEY_SIZE = 64 };

// Records_Load's answer for a records file that is there but is no record
// (lines not understood, no best time, far too large): it reads as none, and
// the next offer keeps it aside as "<file>.damaged" before writing.
enum { RECORD_DAMAGED = 10100 };

// One level's records. A level never finished has none: bestTime 0,
// bestScore -1 and an empty bestRun.
struct LevelRecord {
    float bestTime;     // seconds of flying of the fastest finished run
    int32_t bestScore;  // the highest level score of any finished run
    Replay bestRun;     // the fastest run; it names the level's flight hash
};

// What offering a finished run changed.
struct RecordOutcome {
    bool newBestTime;
    bool newBestScore;
    float previousTime;  // 0 when there was none
    Medal medal;         // the run's own medal
    int saveError;       // 0, or why the records could not be written
};

// The key a level's records are kept under: a shipped level by its name
// ("level_3"); any other level by its flight hash ("custom-0123456789abcdef").
void Records_Key(const char* shippedName, uint64_t flightHash, char* key, size_t size);

// An empty record (no time, no score, no run).
void InitLevelRecord(LevelRecord* record);
void FreeLevelRecord(LevelRecord* record);
// Reads a level's records into `record` (initialised first). Returns 0, ENOENT
// when the level has none, or why they could not be read (a damaged record
// reads as none and is never overwritten unread).
int Records_Load(const char* key, LevelRecord* record);
// Offers a run that reached the goal: `run` is its recording, `time` its
// seconds of flying, `score` its level score. Whatever it betters is saved
// (through a temporary file; a failed write keeps the old records). A damaged
// records file is first kept aside as "<file>.damaged", and one set on a level
// of another flight hash as "<file>.old"; one that cannot be read (no
// permission, a folder in its place) is never written over: saveError says
// why. The records file names the par, so a later look can tell the medal.
void Records_Offer(const char* key, const Replay* run, float time, int32_t score, float parTime,
                   float authorTime, RecordOutcome* outcome);

// The medal a time earns: author at or under the author's time (when known,
// above 0), then gold, silver and bronze at fixed fractions of par; none
// without a par.
Medal Medal_ForTime(float time, float parTime, float authorTime);
// "Author", "Gold", "Silver", "Bronze", or "" for none.
const char* Medal_Name(Medal medal);
// The author's time of a shipped level (its proving replay's), or 0.
float Records_AuthorTime(const char* shippedName);
// The same only while the level is the one the author proved: 0 when its
// flight hash is another (the level has changed, or is a test's own).
float Records_AuthorTimeOf(const char* shippedName, uint64_t flightHash);
// The words for a records error: RECORD_DAMAGED, or FileError_Text's.
const char* Records_ErrorText(int error);
