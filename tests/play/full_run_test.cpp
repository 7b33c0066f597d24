// The whole game from the splash: the main menu's "Play" starts the campaign,
// a replay flies the first level, "You Win!" leads into the second level.
#include "play_fixture.h"

#include "game/game.h"
#include "world/replay.h"

namespace {

class FullRunTest : public PlayTest {
protected:
    static std::string HopLevel() {
        return std::string(VEXAL_SOURCE_DIR) + "/tests/replays/campaign_hop.vexl";
    }
    static std::string HopReplay() {
        return std::string(VEXAL_SOURCE_DIR) + "/tests/replays/campaign_hop.replay";
    }
};

TEST_F(FullRunTest, FromTheSplashThroughPlayAndTheFirstLevelIntoTheSecond) {
    SavePath probe = {{0}, false};
    ASSERT_TRUE(SavePath_Ensure(&probe, "user.cfg"));
    WriteText(SaveFolder() + "user.cfg", "0 100 100 2 ");
    UseCampaignFiles(std::vector<std::string>(CAMPAIGN_LEVEL_COUNT, HopLevel()));
    Replay replay;
    ASSERT_EQ(ReadReplayFile(HopReplay().c_str(), &replay), 0);
    ASSERT_EQ(replay.badLines, 0u);

    Game_Start();
    Automation_RunFrames(2);
    ASSERT_STREQ(Screen_CurrentName(), "Splash");
    TapKey(TS_KEY_ENTER);  // skip the logos
    ASSERT_TRUE(RunUntil([] { return std::string(Screen_CurrentName()) == "MainMenu"; }, 5));

    // "Play" is the first of the seven menu buttons.
    Automation_MouseMove((1280.0f * 0.1f + 150.0f) * 0.5f, 720.0f * 0.775f);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    Automation_MouseUp(TS_MOUSE_LEFT);
    ASSERT_STREQ(Screen_CurrentName(), "Campaign");
    EXPECT_EQ(Campaign_List()->current, 0);
    EXPECT_EQ(Plays(1), 1);  // the gameplay music

    // The replay's frame 0 is the campaign's first world update.
    uint32_t next = 0;
    int frame = 0;
    while (!AnyResultsOpen() && frame < 600) {
        for (; next < replay.count && replay.events[next].frame == frame; ++next) {
            if (replay.events[next].down) Automation_KeyDown(replay.events[next].key);
            else Automation_KeyUp(replay.events[next].key);
        }
        Automation_RunFrames(1);
        ++frame;
    }
    FreeReplay(&replay);
    ASSERT_TRUE(Open(levelWinPopup));
    EXPECT_EQ(world.levelComplete, 1);
    EXPECT_GT(world.levelScore, 250 + 900);  // most of the tank is left
    EXPECT_EQ(world.totalScore, world.levelScore);
    EXPECT_EQ(std::string(levelWinPopup->message).rfind("Total Time Taken : ", 0), 0u);

    Press(levelWinPopup, 0);  // "Next Level"
    EXPECT_EQ(Campaign_List()->current, 1);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 100.0f);
    EXPECT_EQ(world.ship.body->position.y, 0.0f);
    Automation_RunFrames(30);  // the second level's intro flies on
    EXPECT_STREQ(Screen_CurrentName(), "Campaign");
    EXPECT_FALSE(AnyResultsOpen());
}

}  // namespace
