// Replays: a level flown from a file of timed key presses, headless at a fixed
// 60 frames per second — for tests, for proving a level beatable, for authors.
//
//   # vexal replay 1
//   scheme 2              # optional control scheme index, default 2
//   level level_3         # optional: the level flown (name, up to 63 bytes)
//   hash 0123456789abcdef # optional: Level_FlightHash of the level flown
//   best-time 5.21666718  # a records file's: the level's best time, seconds
//   best-score 1234       # a records file's: the level's best score
//   par-time 30           # a records file's: the par those were set against
//   <frame> down <key>    # key codes of the framework, e.g. 32, 263, 262, 77, 88
//   <frame> up <key>
//
// Frame 0 is the first world update after the level starts.
#pragma once

#include <cstdint>

#include "platform/tessera.h"

enum { REPLAY_DEFAULT_SCHEME = 2, REPLAY_DEFAULT_FRAMES = 36000 };
enum { REPLAY_MAX_FRAME = 100000000 };

struct ReplayEvent {
    int32_t frame;
    int32_t key;
    uint8_t down;  // 1 pressed, 0 released
};

struct Replay {
    int32_t scheme;       // control scheme the level's key names are read with
    ReplayEvent* events;  // owned; by frame, file order within a frame
    uint32_t count;
    uint32_t capacity;
    uint32_t badLines;      // lines not understood, and skipped
    uint32_t firstBadLine;  // 1-based line number of the first, 0 when none
    char firstBadReason[64];
    uint8_t incomplete;  // a recording lost an event (out of memory)
    uint8_t hasLevelHash;
    uint64_t levelHash;  // Level_FlightHash of the level flown, when known
    char levelName[64];  // the level flown, or empty
    // A records file is the replay of a level's fastest run with the level's
    // bests beside it (play/records.h); any other replay has none of them.
    float bestTime;     // seconds of the fastest run, 0 when none
    int32_t bestScore;  // the highest level score, -1 when none
    float parTime;      // the level's par when they were set, 0 when none
};

// An empty replay: scheme 2, no events, no level named.
void InitReplay(Replay* replay);
// Reads a replay file into `replay` (initialised first). Lines end in "\n",
// "\r\n" or a lone "\r". Lines that cannot be understood are skipped and
// counted; they never fail the read: a line of more than 511 bytes counts as
// one bad line ("line too long"), and so does a line holding a NUL byte.
// Returns 0, -1 when memory runs out, otherwise the error number from opening
// or reading the file (errno, or a FileError of app/text_file.h: too large,
// UTF-16, not a regular file); after an error the replay is empty.
int ReadReplayFile(const char* path, Replay* replay);
// The same for a file that may hold at most `maxBytes` (FILE_ERROR_TOO_LARGE
// beyond), such as a records file, which never holds a very long run.
int ReadReplayFileWithin(const char* path, uint64_t maxBytes, Replay* replay);
void FreeReplay(Replay* replay);
// Makes room for `capacity` events in all, so a recording that stays within it
// never allocates while the level is flown. Returns 0, or -1 when memory runs
// out (the replay is then as it was).
int Replay_Reserve(Replay* replay, uint32_t capacity);
// Empties a replay for a new recording of the same level: no events, nothing
// incomplete, no bests; the room for events and the level it names are kept.
void Replay_Clear(Replay* replay);
// Adds one press or release; a recording keeps its events in frame order.
// Returns 0, or -1 when memory runs out or the replay is full: nothing is
// added and the replay is marked incomplete.
int Replay_AddEvent(Replay* replay, int32_t frame, int32_t key, bool down);
// Writes a replay in the format above (through a temporary file). Returns 0
// or an errno value (ENOMEM for an incomplete recording, which would replay
// a different run); the old file is then intact.
int WriteReplayFile(const char* path, const Replay* replay);
// Names the level a recording flies: its name (cut to 63 bytes; white space
// and '#' become '_', so the line reads back the same) and its flight hash.
void Replay_SetLevel(Replay* replay, const char* levelName, uint64_t levelHash);
// Whether the replay may be played on a level of this flight hash: a replay
// that names no hash (written by hand, or before replays named their level)
// may be played on any.
bool Replay_FitsLevel(const Replay* replay, uint64_t levelHash);
