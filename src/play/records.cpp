// The player's records in the save folder: records/<level>.replay is the
// replay of the level's fastest run with its best time, best score and par
// beside the key presses, so the level tool can fly it like any replay.
#include "play/records.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/config.h"
#include "app/safe_file.h"
#include "app/text_file.h"
#include "platform/native.h"

namespace {

// A records file holds one run: 262,144 key events (about 19 bytes a line at
// most) is hours of the busiest play, well inside the file limit below.
const uint32_t kRecordMaxEvents = 1u << 18;
const uint64_t kRecordMaxBytes = uint64_t{8} << 20;

// A shipped level's author time: its proving replay's (tests/replays/), which
// the shipped levels' test flies and checks against this table. Exact floats:
// a player who flies the same number of steps ties the author.
// The level's flight hash is kept beside it: a level changed since (or a
// test's level flown under a shipped name) has no author's time.
struct AuthorTime {
    const char* level;
    uint64_t flightHash;
    float seconds;
};
const AuthorTime kAuthorTimes[] = {
    {"tutorial_0", 0x2f1657bd98ee3aadull, 2.83333135f},
    {"tutorial_1", 0x59c7c27a552a4419ull, 5.00001001f},
    {"tutorial_2", 0xb15a4fff86d1f679ull, 6.41669559f},
    {"tutorial_3", 0xe74b6d38d38d0c0eull, 5.71668625f},
    {"tutorial_4", 0xfb2f61a7338e7690ull, 17.3332405f},
    {"tutorial_5", 0xc81ae52d60678c0cull, 10.7000084f},
    {"level_1", 0x980c1580a9159432ull, 5.55001736f},
    {"level_2", 0xacd248f8b5acbbbbull, 5.3333478f},
    {"level_3", 0xcf2525cd030c61ffull, 13.4333f},
    {"level_4", 0x568ab2f853cdfc75ull, 13.5666313f},
    {"level_5", 0x5bc8000c385a4ab8ull, 16.6332512f},
    {"level_6", 0xfc8bd5e0c6c055afull, 18.1498947f},
    {"level_7", 0xfc235b6cc8bd17a0ull, 10.7333412f},
    {"level_8", 0x11359e1da9a8e3cfull, 30.5663719f},
    {"level_9", 0xfced41c555702896ull, 17.5332375f},
    {"level_10", 0x5ada08dcbd4df01bull, 36.8829422f},
    {"level_11", 0x95ef4b3d2958148cull, 9.9000206f},
    {"level_12", 0x00ae89efa272cce2ull, 42.7828522f},
    {"level_13", 0xa9da2a5c7b90b4efull, 24.0498047f},
};

// Medals as fractions of par. The shipped levels' proofs finish in 0.71 to
// 0.85 of par (level_8 is the tightest, 30.57 s of 36), so a gold line at
// 0.85 never falls under the author's time (which would leave no gold to
// win): on the hardest levels it sits a few hundredths of a second behind the
// author, on the tutorials up to a fifth of the author's time behind.
// In the score's terms, gold earns a time bonus of about 150 or more. Silver (a
// bonus of about 80) lies between; bronze is simply beating par, the time
// from which the score pays a bonus at all.
const float kGoldFraction = 0.85f;
const float kSilverFraction = 0.92f;
const float kBronzeFraction = 1.0f;

// A key is a file name of our own making; anything else is refused rather
// than let a name reach outside the records folder.
bool KeyIsPlain(const char* key) {
    if (!key || !*key || std::strlen(key) >= RECORD_KEY_SIZE) return false;
    for (const char* p = key; *p; ++p) {
        const char c = *p;
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!plain) return false;
    }
    return true;
}

// The records folder ("<save folder>/records"), made when `create` asks for
// it. Returns 0 or an errno value.
int RecordsFolder(char* folder, size_t size, bool create) {
    SavePath save = {{0}, false};
    if (!SavePath_Ensure(&save, "records")) return ENOENT;
    if (std::snprintf(folder, size, "%s", save.path) >= static_cast<int>(size)) {
        return ENAMETOOLONG;
    }
    return create ? Native_MakeFolder(folder) : 0;
}

int RecordPath(const char* key, char* path, size_t size, bool createFolder) {
    if (!KeyIsPlain(key)) return EINVAL;
    char folder[SAVE_PATH_SIZE];
    const int error = RecordsFolder(folder, sizeof folder, createFolder);
    if (error) return error;
    if (std::snprintf(path, size, "%s/%s.replay", folder, key) >= static_cast<int>(size)) {
        return ENAMETOOLONG;
    }
    return 0;
}

// What a records file must be to be trusted: every line understood, a best
// time and a best score, and a whole recording.
bool IsWholeRecord(const Replay* replay) {
    return replay->badLines == 0 && replay->bestTime > 0.0f && replay->bestScore >= 0 &&
           !replay->incomplete;
}

// Keeps a records file that cannot be trusted beside the records, as
// "<file>.<suffix>", so a new record never destroys what the player may still
// want back. Returns 0 or an errno value (the file is then where it was).
int SetAside(const char* path, const char* suffix) {
    char aside[SAVE_PATH_SIZE + 32];
    if (std::snprintf(aside, sizeof aside, "%s.%s", path, suffix) >=
        static_cast<int>(sizeof aside)) {
        return ENAMETOOLONG;
    }
    return File_MoveOver(path, aside);
}

// The level's records as they stand before an offer, in `old` (empty when it
// has none, or when what was there has just been set aside). Returns 0, or
// why the offer must not write (the records file is then left untouched).
int LoadForOffer(const char* key, const char* path, const Replay* run, LevelRecord* old) {
    int error = Records_Load(key, old);
    if (error == ENOENT) return 0;
    if (error == RECORD_DAMAGED) {
        // Lines the reader did not understand, a file far too large: not a
        // record, yet perhaps the player's. Kept aside, then replaced.
        return SetAside(path, "damaged");
    }
    if (error != 0) {
        // A folder in its place, no permission, a failing disk: nothing we
        // may write over.
        return error;
    }
    if (run->hasLevelHash && old->bestRun.hasLevelHash &&
        old->bestRun.levelHash != run->levelHash) {
        // Set on a level that has changed since: its time is no measure of
        // this one, and its run no longer flies it.
        FreeLevelRecord(old);
        InitLevelRecord(old);
        return SetAside(path, "old");
    }
    return 0;
}

}  // namespace

void Records_Key(const char* shippedName, uint64_t flightHash, char* key, size_t size) {
    if (!key || size == 0) return;
    if (shippedName && *shippedName) {
        std::snprintf(key, size, "%s", shippedName);
    } else {
        std::snprintf(key, size, "custom-%016llx", static_cast<unsigned long long>(flightHash));
    }
}

void InitLevelRecord(LevelRecord* record) {
    record->bestTime = 0.0f;
    record->bestScore = -1;
    InitReplay(&record->bestRun);
}

void FreeLevelRecord(LevelRecord* record) { FreeReplay(&record->bestRun); }

int Records_Load(const char* key, LevelRecord* record) {
    InitLevelRecord(record);
    char path[SAVE_PATH_SIZE + RECORD_KEY_SIZE + 16];
    int error = RecordPath(key, path, sizeof path, false);
    if (error) return error;
    error = File_Exists(path);
    if (error) return error;
    Replay read;
    error = ReadReplayFileWithin(path, kRecordMaxBytes, &read);
    if (error == FILE_ERROR_TOO_LARGE || error == FILE_ERROR_UTF16) return RECORD_DAMAGED;
    if (error) return error;
    if (!IsWholeRecord(&read)) {
        FreeReplay(&read);
        return RECORD_DAMAGED;
    }
    record->bestTime = read.bestTime;
    record->bestScore = read.bestScore;
    record->bestRun = read;
    return 0;
}

void Records_Offer(const char* key, const Replay* run, float time, int32_t score, float parTime,
                   float authorTime, RecordOutcome* outcome) {
    *outcome = RecordOutcome{false, false, 0.0f, Medal_ForTime(time, parTime, authorTime), 0};
    char path[SAVE_PATH_SIZE + RECORD_KEY_SIZE + 16];
    int error = RecordPath(key, path, sizeof path, true);
    if (error) {
        outcome->saveError = error;
        return;
    }
    LevelRecord old;
    error = LoadForOffer(key, path, run, &old);
    if (error) {
        outcome->saveError = error;
        FreeLevelRecord(&old);
        return;
    }
    const bool hadRecord = old.bestTime > 0.0f;
    outcome->previousTime = old.bestTime;
    outcome->newBestTime = time > 0.0f && (!hadRecord || time < old.bestTime);
    outcome->newBestScore = score > old.bestScore;
    // A best time is only ever kept with the run that flew it.
    bool keepRun = outcome->newBestTime;
    if (keepRun && (run->incomplete || run->count > kRecordMaxEvents)) {
        outcome->saveError = run->incomplete ? ENOMEM : EFBIG;
        keepRun = false;
    }
    const bool parChanged = hadRecord && old.bestRun.parTime != parTime;
    if (!keepRun && (!hadRecord || (!outcome->newBestScore && !parChanged))) {
        FreeLevelRecord(&old);
        return;
    }
    // A shallow copy: the events stay the run's (or the old record's).
    Replay written = keepRun ? *run : old.bestRun;
    written.bestTime = keepRun ? time : old.bestTime;
    written.bestScore = outcome->newBestScore ? score : old.bestScore;
    written.parTime = parTime > 0.0f ? parTime : 0.0f;
    error = WriteReplayFile(path, &written);
    if (error) outcome->saveError = error;
    FreeLevelRecord(&old);
}

Medal Medal_ForTime(float time, float parTime, float authorTime) {
    if (!(time > 0.0f)) return MEDAL_NONE;
    if (authorTime > 0.0f && time <= authorTime) return MEDAL_AUTHOR;
    if (!(parTime > 0.0f)) return MEDAL_NONE;
    if (time <= parTime * kGoldFraction) return MEDAL_GOLD;
    if (time <= parTime * kSilverFraction) return MEDAL_SILVER;
    if (time <= parTime * kBronzeFraction) return MEDAL_BRONZE;
    return MEDAL_NONE;
}

const char* Medal_Name(Medal medal) {
    switch (medal) {
        case MEDAL_AUTHOR: return "Author";
        case MEDAL_GOLD: return "Gold";
        case MEDAL_SILVER: return "Silver";
        case MEDAL_BRONZE: return "Bronze";
        default: return "";
    }
}

float Records_AuthorTime(const char* shippedName) {
    if (!shippedName) return 0.0f;
    for (const AuthorTime& author : kAuthorTimes) {
        if (!std::strcmp(author.level, shippedName)) return author.seconds;
    }
    return 0.0f;
}

float Records_AuthorTimeOf(const char* shippedName, uint64_t flightHash) {
    if (!shippedName) return 0.0f;
    for (const AuthorTime& author : kAuthorTimes) {
        if (!std::strcmp(author.level, shippedName) && author.flightHash == flightHash) {
            return author.seconds;
        }
    }
    return 0.0f;
}

const char* Records_ErrorText(int error) {
    if (error == RECORD_DAMAGED) return "The records file is damaged";
    return FileError_Text(error);
}
