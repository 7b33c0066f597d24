// The World's fixed step: a run depends on the keys of each step, never on the
// display's frame times. A player flies through hitches and the run, recorded
// as a replay file, ends identically when replayed at 60 and at 144 frames per
// second; taps between two steps still count; hitches catch up a few steps.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "play/replay_run.h"
#include "world/replay.h"
#include "world/world_fixture.h"

namespace {

// Asteroids around the start, fuel cells to pick up and a goal up ahead.
const char* const kArena =
    "/0\n.20.0\n%60.0\n"
    "A,-260,120,0,90,90\nA,260,160,0,90,90\nA,0,-260,0,90,90\nA,-150,420,0,70,70\n"
    "A,220,480,0,70,70\nF,120,300,0,50,50\nF,-300,-100,0,50,50\nE,0,900,0,65,65\n";

struct EndState {
    TS_Vec2 position, velocity;
    float rotation, fuel, levelTime;
    int32_t steps, phase;
    bool stranded;
};

EndState TakeEnd() {
    return EndState{world.ship.body->position,
                    world.ship.velocity,
                    world.ship.body->rotation,
                    world.ship.fuel->fuel,
                    world.levelTime,
                    world.stepCount,
                    world.phase,
                    world.stranded != 0};
}

void ExpectSameEnd(const EndState& a, const EndState& b, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(a.steps, b.steps);
    EXPECT_EQ(a.phase, b.phase);
    EXPECT_EQ(a.stranded, b.stranded);
    // Exactly the same numbers: the same steps ran on the same keys.
    EXPECT_EQ(a.position.x, b.position.x);
    EXPECT_EQ(a.position.y, b.position.y);
    EXPECT_EQ(a.velocity.x, b.velocity.x);
    EXPECT_EQ(a.velocity.y, b.velocity.y);
    EXPECT_EQ(a.rotation, b.rotation);
    EXPECT_EQ(a.fuel, b.fuel);
    EXPECT_EQ(a.levelTime, b.levelTime);
}

bool LevelOver() { return world.stranded || world.phase >= PHASE_DONE; }

class FixedStepTest : public WorldTest {
protected:
    std::string LevelPath() { return TempDir() + "/test.vexl"; }

    void Restart() {
        TeardownWorld();
        FreeLevel(&level_);
        worldUp_ = false;
        Load(kArena);
    }

    // Replays `replay` with every frame `frameTime` long: a step's presses go
    // in before the first frame at which that step is next to run.
    EndState FlyReplay(const Replay& replay, float frameTime, int32_t lastStep) {
        Automation_SetFrameTime(frameTime);
        uint32_t next = 0;
        for (int frame = 0; frame < 100000 && world.stepCount < lastStep && !LevelOver(); ++frame) {
            for (; next < replay.count && replay.events[next].frame <= world.stepCount; ++next) {
                if (replay.events[next].down) {
                    Press(replay.events[next].key);
                } else {
                    Release(replay.events[next].key);
                }
            }
            Run(1);
        }
        for (int key : {kThrust, kLeft, kRight, kMap, kSkip}) Release(key);
        Automation_SetFrameTime(kWorldStepSeconds);
        return TakeEnd();
    }
};

TEST_F(FixedStepTest, AHitchingRunRecordedAsAReplayEndsTheSameAt60And144Hz) {
    Load(kArena);
    Replay recording;
    InitReplay(&recording);
    World_RecordInto(&recording);

    // A seeded player at a machine that hitches: every frame lasts 5 to 50
    // ms; keys are held, let go and tapped between frames, some within a
    // frame too short for a step.
    std::mt19937 random(20261207u);
    std::uniform_int_distribution<int> millis(5, 50);
    std::uniform_int_distribution<int> roll(0, 99);
    const int keys[] = {kThrust, kThrust, kLeft, kRight, kMap, kSkip};
    bool held[6] = {};
    int stepsInOneFrame = 0, tapsBetweenSteps = 0;
    int tapKey = 0, tapStep = -1;
    for (int frame = 0; frame < 700 && !LevelOver(); ++frame) {
        if (tapKey) {
            Release(tapKey);
            if (world.stepCount == tapStep) ++tapsBetweenSteps;
            tapKey = 0;
        }
        const int r = roll(random);
        if (r < 12) {
            const int which = r % 6;
            held[which] = !held[which];
            if (held[which]) Press(keys[which]);
            else Release(keys[which]);
        } else if (r < 20) {
            tapKey = keys[r % 4];
            Press(tapKey);
            tapStep = world.stepCount;
        }
        const int before = world.stepCount;
        Automation_SetFrameTime(static_cast<float>(millis(random)) / 1000.0f);
        Run(1);
        if (world.stepCount - before > 1) ++stepsInOneFrame;
    }
    World_RecordInto(nullptr);
    for (int key : keys) Release(key);
    Automation_SetFrameTime(kWorldStepSeconds);
    const EndState hitching = TakeEnd();
    // The run did what it should show: frames of several steps, taps that
    // began and ended between two steps, and real flying.
    EXPECT_GT(stepsInOneFrame, 20);
    EXPECT_GT(tapsBetweenSteps, 3);
    EXPECT_GT(hitching.steps, 600);
    EXPECT_LT(hitching.fuel, 60.0f);

    const std::string replayPath = TempDir() + "/hitching.replay";
    ASSERT_EQ(WriteReplayFile(replayPath.c_str(), &recording), 0);
    FreeReplay(&recording);
    Replay replay;
    ASSERT_EQ(ReadReplayFile(replayPath.c_str(), &replay), 0);
    EXPECT_EQ(replay.badLines, 0u);
    EXPECT_GT(replay.count, 40u);

    Restart();
    ExpectSameEnd(hitching, FlyReplay(replay, 1.0f / 60.0f, hitching.steps), "steady 60 Hz");
    Restart();
    ExpectSameEnd(hitching, FlyReplay(replay, 1.0f / 144.0f, hitching.steps), "steady 144 Hz");

    // And through the game's own replay runner, as the level tool runs it.
    TeardownWorld();
    worldUp_ = false;
    ReplayState run;
    ASSERT_EQ(Replay_Run(LevelPath().c_str(), &replay, hitching.steps, nullptr, nullptr, &run), 0);
    FreeReplay(&replay);
    EXPECT_EQ(run.steps, hitching.steps);
    EXPECT_EQ(run.frames, hitching.steps);
    EXPECT_EQ(run.position.x, hitching.position.x);
    EXPECT_EQ(run.position.y, hitching.position.y);
    EXPECT_EQ(run.velocity.x, hitching.velocity.x);
    EXPECT_EQ(run.velocity.y, hitching.velocity.y);
    EXPECT_EQ(run.fuel, hitching.fuel);
    EXPECT_EQ(run.levelTime, hitching.levelTime);
    EXPECT_EQ(run.rotation, hitching.rotation);
}

TEST_F(FixedStepTest, ATapBetweenTwoStepsStillThrustsForOneStep) {
    LoadFlying(kArena);
    Automation_SetFrameTime(1.0f / 240.0f);
    // Line the frames up just after a step, so the tap begins and ends
    // before the next one.
    const int32_t start = world.stepCount;
    while (world.stepCount == start) Run(1);
    const int32_t step = world.stepCount;
    Press(kThrust);
    Run(1);
    Release(kThrust);
    Run(1);
    ASSERT_EQ(world.stepCount, step);  // no step yet: the tap lives in the latch
    const float fuel = Gauge()->fuel;
    while (world.stepCount == step) Run(1);
    Automation_SetFrameTime(kWorldStepSeconds);
    EXPECT_GT(Speed(), 0.0f);
    EXPECT_LT(Gauge()->fuel, fuel);  // one step's burn
    EXPECT_FLOAT_EQ(Gauge()->fuel, fuel - 20.0f * kWorldStepSeconds);
}

TEST_F(FixedStepTest, TheGameRunsAtOneSpeedAndAHitchCatchesUpAtMostFiveSteps) {
    LoadFlying(kArena);
    // A 60 Hz display's frames, each up to 2 ms early or late: one step each.
    const float jitter[] = {-0.002f, 0.0015f, 0.002f, -0.001f, -0.0015f, 0.001f};
    for (int i = 0; i < 120; ++i) {
        Automation_SetFrameTime(kWorldStepSeconds + jitter[i % 6]);
        const int32_t was = world.stepCount;
        Run(1);
        ASSERT_EQ(world.stepCount - was, 1) << "frame " << i;
    }

    // A second at 144 frames per second flies a second of steps.
    Automation_SetFrameTime(1.0f / 144.0f);
    const int32_t start = world.stepCount;
    const float clock = world.levelTime;
    Run(144);
    EXPECT_NEAR(world.stepCount - start, 60, 1);
    EXPECT_NEAR(world.levelTime - clock, (world.stepCount - start) * kWorldStepSeconds, 1e-4f);

    // Half a second lost in one frame: five steps, the rest let go.
    Automation_SetFrameTime(0.5f);
    const int32_t before = world.stepCount;
    Run(1);
    EXPECT_EQ(world.stepCount - before, WORLD_MAX_STEPS_PER_FRAME);
    Automation_SetFrameTime(kWorldStepSeconds);
    const int32_t after = world.stepCount;
    Run(1);
    EXPECT_EQ(world.stepCount - after, 1);
}

}  // namespace
