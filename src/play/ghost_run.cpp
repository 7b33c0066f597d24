// The best run the ghost flies, read from the records when a level is read,
// so a new best time is the ghost of the very next attempt.
#include "play/ghost_run.h"

#include "app/preferences.h"
#include "play/records.h"
#include "world/world.h"

namespace {

LevelRecord record = {};
bool recordHeld = false;  // `record` holds a level's best run
bool flying = false;      // a gameplay screen's World is up

const Replay* BestRun(void) {
    return recordHeld && record.bestRun.count > 0 ? &record.bestRun : nullptr;
}

void Release(void) {
    if (recordHeld) FreeLevelRecord(&record);
    recordHeld = false;
}

}  // namespace

void GhostRun_NameLevel(const char* shippedName, const Level* level) {
    Release();
    if (preferences.ghost) {
        char key[RECORD_KEY_SIZE];
        Records_Key(shippedName, Level_FlightHash(level), key, sizeof key);
        // A damaged or unreadable record is simply no ghost.
        recordHeld = Records_Load(key, &record) == 0;
        if (!recordHeld) FreeLevelRecord(&record);
    }
    // The level about to start is checked against the run's hash then.
    // The World's own level may be the one just freed by the reading: the
    // ghost is checked against the level read.
    if (flying) World_SetGhostRun(BestRun(), level);
}

void GhostRun_Start(void) {
    flying = true;
    World_SetGhostRun(BestRun(), &world.level);
}

void GhostRun_Stop(void) {
    flying = false;
    Release();
}
