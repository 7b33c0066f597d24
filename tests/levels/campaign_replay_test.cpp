// The whole campaign as a player meets it: the Campaign screen plays the 19
// shipped levels in order, each flown by its replay, "Next Level" after every
// "You Win!", and the final total earns a place in the saved top-ten table.
#include <string>

#include "play/play_fixture.h"
#include "play/replay_run.h"
#include "world/replay.h"
#include "levels/shipped_level_names.h"

namespace {

class WholeCampaignTest : public PlayTest {
protected:
    // Flies the current level with its replay through the replay runner: frame
    // 0 is the first world update after the level starts. True when a results
    // popup opened at the end.
    bool FlyWithReplay(const std::string& name) {
        Replay replay;
        const std::string path =
            std::string(VEXAL_SOURCE_DIR) + "/tests/replays/" + name + ".replay";
        if (ReadReplayFile(path.c_str(), &replay) != 0) {
            ADD_FAILURE() << "cannot read " << path;
            return false;
        }
        ReplayState end;
        Replay_Fly(&replay, 20000, nullptr, nullptr, &end);
        FreeReplay(&replay);
        return CampaignResultsOpen();
    }
};

TEST_F(WholeCampaignTest, NineteenReplaysFromPlayToASavedTopScore) {
    userConfig.controlScheme = REPLAY_DEFAULT_SCHEME;
    // Every frame is updated and drawn as in play; only the rasterising is
    // skipped so that some twenty thousand frames fly in seconds.
    Automation_SetRendering(false);
    StartCampaign(0);
    int expectedTotal = 0;
    for (int index = 0; index < CAMPAIGN_LEVEL_COUNT; ++index) {
        SCOPED_TRACE(kLevelNames[index]);
        ASSERT_EQ(Campaign_List()->current, index);
        ASSERT_TRUE(FlyWithReplay(kLevelNames[index]));
        ASSERT_FALSE(Open(gameOverPopup));
        EXPECT_EQ(world.levelComplete, 1);
        EXPECT_LT(world.levelTime, world.level.parTime);
        expectedTotal += world.levelScore;
        EXPECT_EQ(world.totalScore, expectedTotal);
        if (index + 1 < CAMPAIGN_LEVEL_COUNT) {
            ASSERT_TRUE(Open(levelWinPopup));
            PressAndRunOneFrame(levelWinPopup, 0);  // "Next Level"
        }
    }
    // The proofs fly each level well under par; the campaign they make is
    // worth 16847, a place in the table below the default best of 27095.
    EXPECT_EQ(expectedTotal, 16847);
    ASSERT_TRUE(Open(victoryEntryPopup)) << "total " << world.totalScore;
    Press(victoryEntryPopup, 0);  // "Save Score" under the name "Player"
    ASSERT_TRUE(RunUntil([] { return Open(topScoresPopup); }, 10));
    EXPECT_STREQ(scoreTable[0].name, "Tansy");
    EXPECT_EQ(scoreTable[0].score, 27095);
    EXPECT_STREQ(scoreTable[1].name, "Player");
    EXPECT_EQ(scoreTable[1].score, expectedTotal);
    const std::string saved = ReadText(SaveFolder() + "score.vex");
    EXPECT_EQ(
        saved.rfind("Tansy      27095\nPlayer     " + std::to_string(expectedTotal) + "\n", 0), 0u)
        << saved;
}

}  // namespace
