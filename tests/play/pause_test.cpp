// The pause menu: Escape only while flying, the two questions, the help
// overlay, leaving for the main menu, and the music under it all.
#include "play_fixture.h"

#include "level/kind_shapes.h"
#include "play/custom_level.h"

namespace {

class PauseTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        userConfig.musicVolume = 80;
        ApplyMusicVolume();
    }

    // Far from the goal, with a fuel cell on the start: picked up at once.
    void StartFuelLevel() {
        UseCampaignLevels("%50\nF,0,40,0,50,50\nE,0,3000,0,50,50\n");
        StartCampaign(0);
        SkipIntro();
        Automation_RunFrames(1);
        ASSERT_FALSE(CellActive());
        ASSERT_FLOAT_EQ(world.ship.fuel->fuel, 100.0f);
    }

    static bool CellActive() {
        const Level& level = world.level;
        for (uint64_t i = 0; i < level.objectCapacity; ++i) {
            if (level.objects[i] && level.objects[i]->kind == KIND_FUEL_CELL) {
                return level.objects[i]->object->active != 0;
            }
        }
        return false;
    }
};

TEST_F(PauseTest, EscapePausesOnlyWhileFlyingAndFreezesTheWorld) {
    UseCampaignLevels("E,0,400,0,50,50\n");
    StartCampaign(0);
    ASSERT_EQ(world.phase, PHASE_INTRO);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(Open(pausePopup));

    SkipIntro();
    Automation_KeyDown(TS_KEY_SPACE);  // thrusting toward the goal
    Automation_RunFrames(20);
    Pause();
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), kDuckedMusicVolume);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), kDuckedMusicVolume);
    const float clock = world.levelTime;
    const TS_Vec2 at = world.ship.body->position;
    Automation_RunFrames(30);
    EXPECT_EQ(world.levelTime, clock);
    EXPECT_EQ(world.ship.body->position.y, at.y);

    TapKey(TS_KEY_ESCAPE);  // closes it as "Resume"
    EXPECT_FALSE(Open(pausePopup));
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 0.8f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.8f);

    // During the goal capture Escape does nothing.
    ASSERT_TRUE(RunUntil([] { return world.phase == PHASE_CAPTURE; }, 300));
    Automation_KeyUp(TS_KEY_SPACE);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(Open(pausePopup));
}

TEST_F(PauseTest, RestartAsksFirstNoReturnsToThePauseMenuYesBringsEveryFuelCellBack) {
    StartFuelLevel();
    Pause();
    Press(pausePopup, 1);  // "Restart"
    EXPECT_FALSE(Open(pausePopup));
    ASSERT_TRUE(Open(restartPopup));
    EXPECT_STREQ(restartPopup->title, "Restart Level");

    Press(restartPopup, 1);  // "No"
    EXPECT_FALSE(Open(restartPopup));
    EXPECT_TRUE(Open(pausePopup));
    // Escape answers No as well, and does not also resume.
    Press(pausePopup, 1);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(Open(restartPopup));
    EXPECT_TRUE(Open(pausePopup));
    Press(pausePopup, 3);  // "Exit"
    ASSERT_TRUE(Open(exitPopup));
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(Open(exitPopup));
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), kDuckedMusicVolume);
    EXPECT_FALSE(CellActive());

    Press(pausePopup, 1);
    Press(restartPopup, 0);  // "Yes"
    EXPECT_FALSE(Open(restartPopup));
    EXPECT_FALSE(Open(pausePopup));
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 50.0f);
    EXPECT_TRUE(CellActive());
    EXPECT_EQ(world.levelTime, 0.0f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.8f);
}

TEST_F(PauseTest, RestartingWithTheMapOpenStartsWithTheMapClosed) {
    UseCampaignLevels("E,0,3000,0,50,50\n");
    StartCampaign(0);
    SkipIntro();
    Automation_KeyDown(TS_KEY_M);
    Automation_RunFrames(20);
    ASSERT_EQ(world.mapState, MAP_OPEN);
    TapKey(TS_KEY_ESCAPE);
    ASSERT_TRUE(Open(pausePopup));
    Automation_KeyUp(TS_KEY_M);
    Press(pausePopup, 1);    // "Restart"
    Press(restartPopup, 0);  // "Yes"
    EXPECT_EQ(world.mapState, MAP_OFF);

    // The first flying step already moves the ship and the clock.
    SkipIntro();
    Automation_KeyDown(TS_KEY_SPACE);
    Automation_RunFrames(1);
    Automation_KeyUp(TS_KEY_SPACE);
    EXPECT_GT(world.levelTime, 0.0f);
    EXPECT_GT(world.ship.velocity.y, 0.0f);
    EXPECT_EQ(world.camera.zoom, world.defaultZoom);
}

TEST_F(PauseTest, ExitAsksFirstThenLeavesThroughMenuMusicWhichRestartsTheMenuTheme) {
    StartFuelLevel();
    Pause();
    Press(pausePopup, 3);  // "Exit"
    ASSERT_TRUE(Open(exitPopup));
    EXPECT_STREQ(exitPopup->message,
                 " All progress will be lost.\nAre you sure you want to return to the main menu?");
    Press(exitPopup, 1);  // "No"
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_STREQ(Screen_CurrentName(), "Campaign");

    Press(pausePopup, 3);
    Automation_ClearSoundLog();
    PressAndRunOneFrame(exitPopup, 0);  // "Yes": the switch takes effect after this frame
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
    EXPECT_EQ(Plays(0), 1);          // the menu theme starts again
    EXPECT_EQ(pausePopup, nullptr);  // the campaign freed its popups
    Automation_RunFrames(1);
    EXPECT_STREQ(Screen_CurrentName(), "MainMenu");
}

TEST_F(PauseTest, WithTheMusicOffNoGroupVolumeIsEverTouched) {
    userConfig.musicVolume = 0;
    StartFuelLevel();
    Automation_ClearSoundLog();
    Pause();
    TapKey(TS_KEY_ESCAPE);
    Pause();
    Press(pausePopup, 0);  // "Resume"
    Automation_FocusLost();
    Automation_RunFrames(1);
    Automation_FocusGained();
    Automation_RunFrames(1);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_EQ(GroupVolumeChanges(), 0);
}

TEST_F(PauseTest, LosingFocusPausesAndSilencesComingBackStaysPausedAndDucked) {
    StartFuelLevel();
    Automation_FocusLost();
    Automation_RunFrames(1);
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 0.0f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.0f);
    const float clock = world.levelTime;

    Automation_FocusGained();
    Automation_RunFrames(10);
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), kDuckedMusicVolume);
    EXPECT_EQ(world.levelTime, clock);

    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(Open(pausePopup));
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 0.8f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.8f);
}

TEST_F(PauseTest, FocusLossClosesTheQuestionsAndBringsThePauseMenuBack) {
    StartFuelLevel();
    Pause();
    Press(pausePopup, 3);
    ASSERT_TRUE(Open(exitPopup));
    Automation_FocusLost();
    Automation_RunFrames(1);
    EXPECT_FALSE(Open(exitPopup));
    EXPECT_TRUE(Open(pausePopup));
}

TEST_F(PauseTest, HelpOpensOverThePausedGameAndBackReturnsToThePauseMenu) {
    StartFuelLevel();
    Pause();
    Automation_RecordDraws(true);
    Press(pausePopup, 2);  // "Help"
    EXPECT_TRUE(Help_OverlayOpen());
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_NE(TextCall("to Pause the game"), nullptr);  // the page is drawn over the game
    const float clock = world.levelTime;

    // Escape closes the page as its "Back" does, back to the pause menu
    // (it does not also resume).
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(Help_OverlayOpen());
    EXPECT_TRUE(Open(pausePopup));
    Press(pausePopup, 2);
    ASSERT_TRUE(Help_OverlayOpen());
    Click(1280.0f * 0.85f, 720.0f * 0.85f);
    EXPECT_FALSE(Help_OverlayOpen());
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_EQ(TextCall("to Pause the game"), nullptr);
    EXPECT_NE(TextCall("Game Paused"), nullptr);
    EXPECT_EQ(world.levelTime, clock);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), kDuckedMusicVolume);
}

// The level's texts are part of the scene: under the dim, the popup and its
// words, and under the ship and the HUD.
TEST_F(PauseTest, ALevelTextDrawsUnderTheDimAndThePauseMenu) {
    UseCampaignLevels("E,0,3000,0,50,50\nT,0,0,0,200,40,Written under the ship\n");
    StartCampaign(0);
    SkipIntro();
    Automation_RecordDraws(true);
    Automation_RunFrames(1);
    Pause();
    Automation_RunFrames(1);
    const std::vector<AutomationDrawCall>& calls = Automation_DrawCalls();
    int levelText = -1, dim = -1, title = -1, clock = -1;
    for (size_t i = 0; i < calls.size(); ++i) {
        const AutomationDrawCall& call = calls[i];
        const int at = static_cast<int>(i);
        if (call.kind == DRAW_TEXT && call.text == "Written under the ship") levelText = at;
        if (call.kind == DRAW_TEXT && call.text == "Game Paused") title = at;
        if (call.kind == DRAW_TEXT && call.text.rfind("Time: ", 0) == 0) clock = at;
        if (call.kind == DRAW_RECT && dim < 0 && call.w == 1280.0f && call.h == 720.0f &&
            call.fill.a == 150) {
            dim = at;
        }
    }
    ASSERT_GE(levelText, 0);
    ASSERT_GE(dim, 0) << "no dim under the pause menu";
    ASSERT_GE(title, 0);
    EXPECT_LT(levelText, clock);
    EXPECT_LT(clock, dim);
    EXPECT_LT(dim, title);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("pause_over_dimmed_flight.png").c_str()));
}

}  // namespace
