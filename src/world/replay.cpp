// Reading replay files. A replay comes from anyone's editor, so every line is
// checked and anything odd is skipped and counted, never trusted.
#include "world/replay.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <string>

#include "app/config.h"
#include "app/safe_file.h"
#include "app/text_file.h"

namespace {

const uint32_t kMaxEvents = 1u << 22;
// Bytes of a line, its ending zero included: a real line is a dozen
// characters and a comment.
const size_t kLineBuffer = 512;
// Room for every one of kMaxEvents events with a comment each; a larger file
// is no replay.
const uint64_t kMaxReplayBytes = uint64_t{128} << 20;
// Longer than any level is flown: a best time or par beyond it is no time.
const float kMaxRecordSeconds = 1.0e7f;

void NoteBadLine(Replay* replay, uint32_t line, const char* reason) {
    if (replay->badLines == 0) {
        replay->firstBadLine = line;
        std::snprintf(replay->firstBadReason, sizeof replay->firstBadReason, "%s", reason);
    }
    ++replay->badLines;
}

// Next whitespace-separated word of the line; null when none is left.
char* NextWord(char** cursor) {
    char* p = *cursor;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
    if (!*p) return nullptr;
    char* word = p;
    while (*p && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') ++p;
    if (*p) *p++ = '\0';
    *cursor = p;
    return word;
}

// A whole word as a decimal number within [low, high].
bool ParseNumber(const char* word, long low, long high, long* value) {
    if (!word || !*word) return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(word, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    *value = parsed;
    return true;
}

// Exactly sixteen hexadecimal digits.
bool ParseHash(const char* word, uint64_t* value) {
    if (!word || std::strlen(word) != 16) return false;
    uint64_t parsed = 0;
    for (const char* p = word; *p; ++p) {
        int digit = 0;
        if (*p >= '0' && *p <= '9') {
            digit = *p - '0';
        } else if (*p >= 'a' && *p <= 'f') {
            digit = *p - 'a' + 10;
        } else if (*p >= 'A' && *p <= 'F') {
            digit = *p - 'A' + 10;
        } else {
            return false;
        }
        parsed = parsed << 4 | static_cast<uint64_t>(digit);
    }
    *value = parsed;
    return true;
}

// A whole word as a finite decimal number within [low, high].
bool ParseSeconds(const char* word, float low, float high, float* value) {
    if (!word || !*word) return false;
    char* end = nullptr;
    errno = 0;
    const float parsed = std::strtof(word, &end);
    if (errno != 0 || *end != '\0' || !(parsed >= low && parsed <= high)) return false;
    *value = parsed;
    return true;
}

// A records file's lines: the level's best time, best score and par. Returns
// whether `first` named one of them (handled, or noted as bad).
bool ParseBestLine(Replay* replay, const char* first, char* cursor, uint32_t lineNumber) {
    const bool time = !std::strcmp(first, "best-time");
    const bool par = !std::strcmp(first, "par-time");
    if (time || par) {
        float seconds = 0.0f;
        // A best time is a flight of at least one step; a par may be 0 (none).
        const float low = time ? 0.001f : 0.0f;
        if (!ParseSeconds(NextWord(&cursor), low, kMaxRecordSeconds, &seconds) ||
            NextWord(&cursor)) {
            NoteBadLine(replay, lineNumber,
                        time ? "best-time needs seconds above 0" : "par-time needs seconds");
            return true;
        }
        (time ? replay->bestTime : replay->parTime) = seconds;
        return true;
    }
    if (!std::strcmp(first, "best-score")) {
        long score = 0;
        if (!ParseNumber(NextWord(&cursor), 0, INT32_MAX, &score) || NextWord(&cursor)) {
            NoteBadLine(replay, lineNumber, "best-score needs a number from 0");
            return true;
        }
        replay->bestScore = static_cast<int32_t>(score);
        return true;
    }
    return false;
}

// -1 when memory runs out, 0 otherwise.
int AddEvent(Replay* replay, int32_t frame, int32_t key, bool down) {
    if (replay->count == replay->capacity) {
        const uint32_t capacity = replay->capacity ? replay->capacity * 2 : 64;
        void* grown = std::realloc(replay->events, capacity * sizeof(ReplayEvent));
        if (!grown) return -1;
        replay->events = static_cast<ReplayEvent*>(grown);
        replay->capacity = capacity;
    }
    replay->events[replay->count++] = ReplayEvent{frame, key, static_cast<uint8_t>(down)};
    return 0;
}

int ParseLine(Replay* replay, char* line, uint32_t lineNumber) {
    char* comment = std::strchr(line, '#');
    if (comment) *comment = '\0';
    char* cursor = line;
    char* first = NextWord(&cursor);
    if (!first) return 0;
    if (!std::strcmp(first, "scheme")) {
        long scheme = 0;
        if (!ParseNumber(NextWord(&cursor), 0, CONTROL_SCHEME_COUNT - 1, &scheme) ||
            NextWord(&cursor)) {
            NoteBadLine(replay, lineNumber, "scheme needs one index from 0 to 3");
            return 0;
        }
        replay->scheme = static_cast<int32_t>(scheme);
        return 0;
    }
    if (!std::strcmp(first, "level")) {
        const char* name = NextWord(&cursor);
        if (!name || NextWord(&cursor) || std::strlen(name) >= sizeof replay->levelName) {
            NoteBadLine(replay, lineNumber, "level needs one name of up to 63 bytes");
            return 0;
        }
        std::snprintf(replay->levelName, sizeof replay->levelName, "%s", name);
        return 0;
    }
    if (!std::strcmp(first, "hash")) {
        uint64_t hash = 0;
        if (!ParseHash(NextWord(&cursor), &hash) || NextWord(&cursor)) {
            NoteBadLine(replay, lineNumber, "hash needs 16 hexadecimal digits");
            return 0;
        }
        replay->levelHash = hash;
        replay->hasLevelHash = 1;
        return 0;
    }
    if (ParseBestLine(replay, first, cursor, lineNumber)) return 0;
    long frame = 0, key = 0;
    if (!ParseNumber(first, 0, REPLAY_MAX_FRAME, &frame)) {
        NoteBadLine(replay, lineNumber, "expected a frame number or 'scheme'");
        return 0;
    }
    const char* action = NextWord(&cursor);
    const bool down = action && !std::strcmp(action, "down");
    const bool up = action && !std::strcmp(action, "up");
    if (!down && !up) {
        NoteBadLine(replay, lineNumber, "expected 'down' or 'up' after the frame");
        return 0;
    }
    if (!ParseNumber(NextWord(&cursor), 1, TS_KEY_COUNT - 1, &key) || NextWord(&cursor)) {
        NoteBadLine(replay, lineNumber, "expected one key code from 1 to 349");
        return 0;
    }
    if (replay->count >= kMaxEvents) {
        NoteBadLine(replay, lineNumber, "too many key events");
        return 0;
    }
    return AddEvent(replay, static_cast<int32_t>(frame), static_cast<int32_t>(key), down);
}

}  // namespace

void InitReplay(Replay* replay) {
    replay->scheme = REPLAY_DEFAULT_SCHEME;
    replay->events = nullptr;
    replay->count = 0;
    replay->capacity = 0;
    replay->badLines = 0;
    replay->firstBadLine = 0;
    replay->firstBadReason[0] = '\0';
    replay->incomplete = 0;
    replay->hasLevelHash = 0;
    replay->levelHash = 0;
    replay->levelName[0] = '\0';
    replay->bestTime = 0.0f;
    replay->bestScore = -1;
    replay->parTime = 0.0f;
}

int ReadReplayFile(const char* path, Replay* replay) {
    return ReadReplayFileWithin(path, kMaxReplayBytes, replay);
}

int ReadReplayFileWithin(const char* path, uint64_t maxBytes, Replay* replay) {
    InitReplay(replay);
    TextFile file;
    const int openError = TextFile_Open(&file, path, maxBytes);
    if (openError) return openError;
    char line[kLineBuffer];
    size_t length = 0;
    bool cut = false;
    uint32_t lineNumber = 0;
    int result = 0;
    while (result == 0 && TextFile_ReadLine(&file, line, sizeof line, &length, &cut)) {
        ++lineNumber;
        if (cut) {
            // Far longer than any real line; the reader has skipped the rest.
            NoteBadLine(replay, lineNumber, "line too long");
        } else if (std::strlen(line) != length) {
            // Whatever follows the NUL byte would go unseen: not a line to trust.
            NoteBadLine(replay, lineNumber, "NUL byte in the line");
        } else {
            result = ParseLine(replay, line, lineNumber);
        }
    }
    const int readError = TextFile_Close(&file);
    if (result == 0) result = readError;
    if (result != 0) {
        FreeReplay(replay);
        return result;
    }
    // Lines may come in any order; presses of one frame keep their file order.
    std::stable_sort(replay->events, replay->events + replay->count,
                     [](const ReplayEvent& a, const ReplayEvent& b) { return a.frame < b.frame; });
    return 0;
}

int Replay_AddEvent(Replay* replay, int32_t frame, int32_t key, bool down) {
    if (replay->count >= kMaxEvents || AddEvent(replay, frame, key, down) != 0) {
        replay->incomplete = 1;
        return -1;
    }
    return 0;
}

int WriteReplayFile(const char* path, const Replay* replay) {
    if (replay->incomplete) return ENOMEM;
    std::string text = "# vexal replay 1\n";
    char line[64];
    std::snprintf(line, sizeof line, "scheme %d\n", static_cast<int>(replay->scheme));
    text += line;
    if (replay->levelName[0]) {
        text += "level ";
        text += replay->levelName;
        text += "\n";
    }
    if (replay->hasLevelHash) {
        std::snprintf(line, sizeof line, "hash %016llx\n",
                      static_cast<unsigned long long>(replay->levelHash));
        text += line;
    }
    // Nine significant digits bring a float back exactly, so a record read
    // again compares equal to the run that set it.
    if (replay->bestTime > 0.0f) {
        std::snprintf(line, sizeof line, "best-time %.9g\n", static_cast<double>(replay->bestTime));
        text += line;
    }
    if (replay->bestScore >= 0) {
        std::snprintf(line, sizeof line, "best-score %d\n", static_cast<int>(replay->bestScore));
        text += line;
    }
    if (replay->parTime > 0.0f) {
        std::snprintf(line, sizeof line, "par-time %.9g\n", static_cast<double>(replay->parTime));
        text += line;
    }
    for (uint32_t i = 0; i < replay->count; ++i) {
        const ReplayEvent& event = replay->events[i];
        std::snprintf(line, sizeof line, "%d %s %d\n", static_cast<int>(event.frame),
                      event.down ? "down" : "up", static_cast<int>(event.key));
        text += line;
    }
    return WriteFileSafely(path, text.data(), text.size());
}

void FreeReplay(Replay* replay) {
    std::free(replay->events);
    replay->events = nullptr;
    replay->count = 0;
    replay->capacity = 0;
}

int Replay_Reserve(Replay* replay, uint32_t capacity) {
    if (capacity > kMaxEvents) capacity = kMaxEvents;
    if (capacity <= replay->capacity) return 0;
    void* grown = std::realloc(replay->events, capacity * sizeof(ReplayEvent));
    if (!grown) return -1;
    replay->events = static_cast<ReplayEvent*>(grown);
    replay->capacity = capacity;
    return 0;
}

void Replay_Clear(Replay* replay) {
    replay->count = 0;
    replay->badLines = 0;
    replay->firstBadLine = 0;
    replay->firstBadReason[0] = '\0';
    replay->incomplete = 0;
    replay->bestTime = 0.0f;
    replay->bestScore = -1;
    replay->parTime = 0.0f;
}

void Replay_SetLevel(Replay* replay, const char* levelName, uint64_t levelHash) {
    size_t length = 0;
    for (; levelName && levelName[length] && length + 1 < sizeof replay->levelName; ++length) {
        const char c = levelName[length];
        const bool plain = static_cast<unsigned char>(c) > ' ' && c != '#' && c != 0x7f;
        replay->levelName[length] = plain ? c : '_';
    }
    replay->levelName[length] = '\0';
    replay->levelHash = levelHash;
    replay->hasLevelHash = 1;
}

bool Replay_FitsLevel(const Replay* replay, uint64_t levelHash) {
    return !replay->hasLevelHash || replay->levelHash == levelHash;
}
