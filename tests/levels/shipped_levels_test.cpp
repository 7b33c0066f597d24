// The campaign's 19 level files: each is clean for the level tool's lint and is
// beaten by its replay in tests/replays/ within its par time, without being
// stranded. The replays are flown by the replay runner, as `vexal-level run`
// flies them; only the rasterising is skipped, so that the whole campaign
// flies in seconds.
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <string>

#include "play/records.h"
#include "play/replay_run.h"
#include "level/level.h"
#include "platform/automation.h"
#include "support/headless.h"
#include "world/replay.h"
#include "world/world.h"
#include "levels/shipped_level_names.h"

namespace {

const std::string kReplays = std::string(VEXAL_SOURCE_DIR) + "/tests/replays/";

// The frame each proof ends on, in kLevelNames order. The flight is
// deterministic, so any change to these is a change to how the ship flies
// (or to a level): it must be deliberate, never a side effect.
const int kProofFrames[] = {172,  302,  387, 345,  1042, 644,  335, 322,  808, 816,
                            1000, 1091, 646, 1836, 1054, 2215, 596, 2569, 1445};
static_assert(sizeof kProofFrames / sizeof kProofFrames[0] ==
                  sizeof kLevelNames / sizeof kLevelNames[0],
              "one proof length per shipped level");

struct Outcome {
    ReplayState end = {};
    float parTime = 0.0f;
    uint64_t flightHash = 0;
};

class ShippedLevelsTest : public HeadlessTest {
protected:
    // Flies the shipped level under its replay; false (with a failure) when a
    // file cannot be read.
    static bool Fly(const std::string& name, Outcome* out) {
        Replay replay;
        const std::string replayPath = kReplays + name + ".replay";
        if (ReadReplayFile(replayPath.c_str(), &replay) != 0) {
            ADD_FAILURE() << "cannot read " << replayPath;
            return false;
        }
        EXPECT_EQ(replay.badLines, 0u)
            << replayPath << " line " << replay.firstBadLine << ": " << replay.firstBadReason;
        const std::string levelPath = "./Assets/levels/" + name + ".vexl";
        Level level;
        const int error = ReadLevelFile(levelPath.c_str(), &level, true);
        out->parTime = level.parTime;
        out->flightHash = Level_FlightHash(&level);
        FreeLevel(&level);
        if (error == 0) {
            Automation_SetRendering(false);
            Replay_Run(levelPath.c_str(), &replay, REPLAY_DEFAULT_FRAMES, nullptr, nullptr,
                       &out->end);
            Automation_SetRendering(true);
        }
        FreeReplay(&replay);
        if (error != 0) ADD_FAILURE() << "cannot read " << levelPath;
        return error == 0;
    }
};

TEST_F(ShippedLevelsTest, EveryLevelIsBeatenByItsReplayWithinParTime) {
    int index = 0;
    for (const char* name : kLevelNames) {
        SCOPED_TRACE(name);
        const int proofFrames = kProofFrames[index++];
        Outcome outcome;
        if (!Fly(name, &outcome)) continue;
        const ReplayState& end = outcome.end;
        EXPECT_EQ(end.phase, PHASE_DONE) << "after " << end.frames << " frames";
        EXPECT_EQ(end.frames, proofFrames);
        EXPECT_TRUE(end.levelComplete);
        EXPECT_FALSE(end.stranded);
        EXPECT_GT(outcome.parTime, 0.0f) << "a shipped level needs a par time";
        EXPECT_LT(end.levelTime, outcome.parTime);
        // A good run keeps a margin: par is not set below the proof's time, and
        // not so far above it that any run earns the bonus.
        EXPECT_LT(outcome.parTime, end.levelTime * 1.6f);
        // The author's medal is the proof's own time, exactly.
        EXPECT_EQ(Records_AuthorTime(name), end.levelTime)
            << std::hexfloat << end.levelTime << " = " << std::defaultfloat << std::setprecision(9)
            << end.levelTime;
        EXPECT_EQ(Records_AuthorTimeOf(name, outcome.flightHash), end.levelTime)
            << "flight hash 0x" << std::hex << outcome.flightHash << std::dec;
        EXPECT_EQ(Medal_ForTime(end.levelTime, outcome.parTime, Records_AuthorTime(name)),
                  MEDAL_AUTHOR);
        // Gold is still there to win just behind the author.
        EXPECT_EQ(Medal_ForTime(std::nextafter(end.levelTime, 1e9f), outcome.parTime,
                                Records_AuthorTime(name)),
                  MEDAL_GOLD);
        std::printf("%-11s %5d frames, time %6.2f s of par %5.1f s (%.3f), fuel %6.2f\n", name,
                    end.frames, end.levelTime, outcome.parTime, end.levelTime / outcome.parTime,
                    end.fuel);
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
