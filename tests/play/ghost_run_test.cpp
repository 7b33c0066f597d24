// The ghost on the campaign: the level's best run from the player's records
// flies beside the ship, starts again with a restart, follows the campaign to
// the next level, and stays away when the option is off.
#include <string>

#include "app/preferences.h"
#include "play/best_run.h"
#include "play/campaign.h"
#include "play/play_fixture.h"
#include "play/play_screen.h"
#include "play/records.h"
#include "play/replay_run.h"
#include "world/ghost.h"
#include "world/replay.h"

namespace {

const int kLevel2 = 7;  // campaign slots of the shipped levels
const int kLevel3 = 8;

class GhostRunTest : public PlayTest {
protected:
    static void RecordLevel3Proof() { RecordShippedProof("level_3"); }
    static bool GhostFlies() { return world.ghost && Ghost_Visible(world.ghost); }
};

TEST_F(GhostRunTest, TheBestRunFliesBesideTheShipAndARestartStartsItAgain) {
    RecordLevel3Proof();
    StartCampaign(kLevel3);
    ASSERT_TRUE(GhostFlies());
    SkipIntro();
    // The player drifts; the ghost flies its own run, one step per step.
    Automation_RunFrames(90);
    const Ghost* ghost = world.ghost;
    const int flown = static_cast<int>(world.levelTime / kWorldStepSeconds + 0.5f);
    EXPECT_GT(flown, 80);
    EXPECT_EQ(ghost->flyingSteps, flown);
    EXPECT_NE(ghost->ship.position.y, world.ship.body->position.y);

    Play_Restart();
    Automation_RunFrames(1);
    ASSERT_TRUE(GhostFlies());
    EXPECT_EQ(world.ghost->flyingSteps, 0);
    EXPECT_EQ(world.ghost->ship.position.y, 0.0f);
}

TEST_F(GhostRunTest, ScreenshotOfTheGhostAheadOfTheShip) {
    RecordLevel3Proof();
    StartCampaign(kLevel3);
    SkipIntro();
    // The player sets off on the same run a moment after the ghost.
    Automation_RunFrames(12);
    Replay run;
    const std::string replays = std::string(VEXAL_SOURCE_DIR) + "/tests/replays/";
    ASSERT_EQ(ReadReplayFile((replays + "level_3.replay").c_str(), &run), 0);
    ReplayState state;
    Replay_Fly(&run, 150, nullptr, nullptr, &state);
    FreeReplay(&run);
    ASSERT_TRUE(GhostFlies());
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("flight_with_ghost.png").c_str()));
}

TEST_F(GhostRunTest, TheNextLevelFliesItsOwnBestRunOrNone) {
    RecordLevel3Proof();
    StartCampaign(kLevel2);
    EXPECT_FALSE(GhostFlies()) << "level_2 has no best run";
    Campaign_NextLevel();
    EXPECT_TRUE(GhostFlies());
    Campaign_NextLevel();
    EXPECT_FALSE(GhostFlies()) << "level_4 has no best run";
}

TEST_F(GhostRunTest, NoGhostWhenTheOptionIsOff) {
    RecordLevel3Proof();
    preferences.ghost = false;
    StartCampaign(kLevel3);
    EXPECT_EQ(world.ghost, nullptr);
}

}  // namespace
