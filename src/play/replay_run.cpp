// Flying a level under a replay in the running framework: the replay's keys go
// through the real input path, one engine frame per world update. The one
// replay loop of the game, its tests and the level tool.
#include <cstring>

#include "app/bindings.h"
#include "app/config.h"
#include "level/kind_shapes.h"
#include "level/level.h"
#include "platform/automation.h"
#include "play/replay_run.h"
#include "play/score.h"
#include "world/draw.h"
#include "world/world.h"

namespace {

bool runnerActive = false;

// The frame's update while a replay runs, as a gameplay screen would do it.
void Replay_Frame(void) {
    if (!runnerActive) return;
    World_Update();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
    DrawWorld();
}

void TakeState(int32_t frames, ReplayState* state) {
    state->frames = frames;
    state->steps = world.stepCount;
    state->phase = world.phase;
    state->levelComplete = world.levelComplete != 0;
    state->stranded = world.stranded != 0;
    state->levelTime = world.levelTime;
    state->fuel = world.ship.fuel ? world.ship.fuel->fuel : 0.0f;
    state->levelScore = Score_LevelValue();
    const GameObject* body = world.ship.body;
    state->position = body ? body->position : TS_Vec2{0.0f, 0.0f};
    state->velocity = world.ship.velocity;
    state->rotation = body ? body->rotation : 0.0f;
}

}  // namespace

void Replay_Fly(const Replay* replay, int32_t maxFrames, ReplayFrameHook hook, void* context,
                ReplayState* result) {
    std::memset(result, 0, sizeof *result);
    // A replay frame is one step of the World: every engine frame of the run
    // lasts exactly one step, whatever the caller's frame time.
    const float savedFrameTime = TS_System_GetDt();
    Automation_SetFrameTime(kWorldStepSeconds);
    // The replay's keys are the control scheme's, never the player's own.
    const bool wasSuspended = Bindings_Suspend(true);
    bool held[TS_KEY_COUNT] = {};
    uint32_t next = 0;
    int32_t frames = 0;
    while (frames < maxFrames) {
        for (; replay && next < replay->count && replay->events[next].frame <= frames; ++next) {
            const ReplayEvent& event = replay->events[next];
            if (event.frame < frames || event.key <= 0 || event.key >= TS_KEY_COUNT) continue;
            if (event.down) Automation_KeyDown(event.key);
            else Automation_KeyUp(event.key);
            held[event.key] = event.down != 0;
        }
        Automation_RunFrames(1);
        ++frames;
        TakeState(frames, result);
        if (hook) hook(result, context);
        if (world.phase >= PHASE_DONE || world.stranded) break;
    }
    TakeState(frames, result);

    // Leave no key held for whatever runs next.
    for (int key = 0; key < TS_KEY_COUNT; ++key) {
        if (held[key]) Automation_KeyUp(key);
    }
    Automation_SetFrameTime(savedFrameTime);
    Bindings_Suspend(wasSuspended);
}

int Replay_Run(const char* levelPath, const Replay* replay, int32_t maxFrames, ReplayFrameHook hook,
               void* context, ReplayState* result) {
    std::memset(result, 0, sizeof *result);
    const int savedScheme = userConfig.controlScheme;
    userConfig.controlScheme = replay ? replay->scheme : REPLAY_DEFAULT_SCHEME;

    // Make the replay's update the current screen first: the frame of the
    // change still runs the old screen's update (and its exit), which must
    // not step the World about to be flown.
    TS_Engine_SetNextGameState(nullptr, Replay_Frame, nullptr);
    if (TS_Engine_CurrentUpdate() && TS_Engine_CurrentUpdate() != Replay_Frame) {
        Automation_RunFrames(1);
    }

    const bool buildShapes = kindShapes[KIND_SHAPE_ASTEROID] == nullptr;
    if (buildShapes) BuildKindShapes();
    Level level;
    const int error = ReadLevelFile(levelPath, &level, true);
    if (error != 0) {
        FreeLevel(&level);
        if (buildShapes) FreeKindShapes();
        userConfig.controlScheme = savedScheme;
        return error;
    }
    SetupWorld(&level);
    runnerActive = true;
    Replay_Fly(replay, maxFrames, hook, context, result);
    runnerActive = false;

    TeardownWorld();
    FreeLevel(&level);
    if (buildShapes) FreeKindShapes();
    userConfig.controlScheme = savedScheme;
    return 0;
}
