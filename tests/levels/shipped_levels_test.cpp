// The campaign's 19 level files: each is clean for the level tool's lint and is
// beaten by its replay in tests/replays/ within its par time, without being
// stranded. The replays are flown the way `vexal-level run` flies them (60
// frames per second, keys through the real input path, the replay's control
// scheme for the level's key names); the World is updated but not drawn, so
// that the whole campaign flies in seconds.
#include <cstdio>
#include <string>

#include "app/config.h"
#include "level/kind_shapes.h"
#include "level/level.h"
#include "platform/automation.h"
#include "support/headless.h"
#include "world/replay.h"
#include "world/world.h"
#include "levels/shipped_level_names.h"

namespace {

const std::string kReplays = std::string(VEXAL_SOURCE_DIR) + "/tests/replays/";

struct Outcome {
    int frames = 0;
    int phase = -1;
    bool levelComplete = false;
    bool stranded = false;
    float levelTime = 0.0f;
    float fuel = 0.0f;
    float parTime = 0.0f;
    uint32_t flags = 0;
};

void UpdateOnly() { World_Update(); }

class ShippedLevelsTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        BuildKindShapes();
    }
    void TearDown() override {
        FreeKindShapes();
        HeadlessTest::TearDown();
    }

    // Flies the shipped level under its replay; false (with a failure) when a
    // file cannot be read.
    static bool Fly(const std::string& name, Outcome* out) {
        Replay replay;
        const std::string replayPath = kReplays + name + ".replay";
        if (ReadReplayFile(replayPath.c_str(), &replay) != 0) {
            ADD_FAILURE() << "cannot read " << replayPath;
            return false;
        }
        EXPECT_EQ(replay.badLines, 0u) << replayPath << " line " << replay.firstBadLine << ": "
                                       << replay.firstBadReason;
        const int savedScheme = userConfig.controlScheme;
        userConfig.controlScheme = replay.scheme;

        Level level;
        const std::string levelPath = "./Assets/levels/" + name + ".vexl";
        if (ReadLevelFile(levelPath.c_str(), &level, true) != 0) {
            ADD_FAILURE() << "cannot read " << levelPath;
            FreeLevel(&level);
            FreeReplay(&replay);
            userConfig.controlScheme = savedScheme;
            return false;
        }
        out->parTime = level.parTime;
        out->flags = level.flags;
        SetupWorld(&level);
        TS_Engine_SetNextGameState(nullptr, UpdateOnly, nullptr);
        if (TS_Engine_CurrentUpdate() && TS_Engine_CurrentUpdate() != UpdateOnly) {
            Automation_RunFrames(1);
        }

        bool held[TS_KEY_COUNT] = {};
        uint32_t next = 0;
        int frame = 0;
        // The game ends a level at the end of the capture (phase 3) or when stranded.
        for (; frame < REPLAY_DEFAULT_FRAMES; ++frame) {
            for (; next < replay.count && replay.events[next].frame <= frame; ++next) {
                const ReplayEvent& event = replay.events[next];
                if (event.key <= 0 || event.key >= TS_KEY_COUNT) continue;
                if (event.down) Automation_KeyDown(event.key);
                else Automation_KeyUp(event.key);
                held[event.key] = event.down != 0;
            }
            Automation_RunFrames(1);
            if (world.phase >= PHASE_DONE || world.stranded) break;
        }
        for (int key = 0; key < TS_KEY_COUNT; ++key) {
            if (held[key]) Automation_KeyUp(key);
        }
        out->frames = frame + 1;
        out->phase = world.phase;
        out->levelComplete = world.levelComplete != 0;
        out->stranded = world.stranded != 0;
        out->levelTime = world.levelTime;
        out->fuel = world.ship.fuel ? world.ship.fuel->fuel : 0.0f;

        TS_Engine_SetNextGameState(nullptr, nullptr, nullptr);
        Automation_RunFrames(1);
        TeardownWorld();
        FreeLevel(&level);
        FreeReplay(&replay);
        userConfig.controlScheme = savedScheme;
        return true;
    }
};

TEST_F(ShippedLevelsTest, EveryLevelIsBeatenByItsReplayWithinParTime) {
    for (const char* name : kLevelNames) {
        SCOPED_TRACE(name);
        Outcome outcome;
        if (!Fly(name, &outcome)) continue;
        EXPECT_EQ(outcome.phase, PHASE_DONE) << "after " << outcome.frames << " frames";
        EXPECT_TRUE(outcome.levelComplete);
        EXPECT_FALSE(outcome.stranded);
        EXPECT_GT(outcome.parTime, 0.0f) << "a shipped level needs a par time";
        EXPECT_LT(outcome.levelTime, outcome.parTime);
        // A good run keeps a margin: par is not set below the proof's time, and
        // not so far above it that any run earns the bonus.
        EXPECT_LT(outcome.parTime, outcome.levelTime * 1.6f);
        std::printf("%-11s time %6.2f s of par %5.1f s, fuel %6.2f\n", name, outcome.levelTime,
                    outcome.parTime, outcome.fuel);
    }
}

TEST_F(ShippedLevelsTest, TutorialsCarryTheFlagsOfTheirLesson) {
    // T1 thrust only with endless fuel, T2 and T3 no turning, T3 no stranding.
    const uint32_t expected[][2] = {
        {LEVEL_UNLIMITED_FUEL | LEVEL_NO_TURNING, LEVEL_UNLIMITED_FUEL | LEVEL_NO_TURNING},
        {LEVEL_NO_TURNING | LEVEL_UNLIMITED_FUEL, LEVEL_NO_TURNING},
        {LEVEL_NO_TURNING | LEVEL_NO_STRANDING | LEVEL_UNLIMITED_FUEL,
         LEVEL_NO_TURNING | LEVEL_NO_STRANDING},
        {LEVEL_NO_TURNING, 0u},
    };
    for (int i = 0; i < 4; ++i) {
        Level level;
        const std::string path = "./Assets/levels/tutorial_" + std::to_string(i) + ".vexl";
        ASSERT_EQ(ReadLevelFile(path.c_str(), &level, true), 0) << path;
        EXPECT_EQ(level.flags & expected[i][0], expected[i][1]) << path;
        EXPECT_NE(level.goal, nullptr) << path;
        FreeLevel(&level);
    }
}

TEST(ShippedLevelFiles, LintFindsNothingToRepair) {
    for (const char* name : kLevelNames) {
        const std::string command = std::string(VEXAL_BINARY_DIR) +
                                    "/vexal-level lint ./Assets/levels/" + name + ".vexl 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr) << command;
        std::string output;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        const int status = pclose(pipe);
        EXPECT_EQ(status, 0) << name << ":\n" << output;
    }
}

}  // namespace
