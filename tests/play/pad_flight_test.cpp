// Flying with a game pad: a shipped level flown on a pad plugged in mid-game
// ends exactly as its keyboard replay does; the pause menu with Start, the
// D-pad, A and B; unplugging mid-flight pauses; a resting stick or trigger
// never turns or thrusts; and a pad run is recorded as keys.
#include "play/replay_run.h"
#include "play_fixture.h"
#include "world/replay.h"

namespace {

class PadFlightTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        Automation_RunFrames(1);
    }

    static void PlugIn() {
        ASSERT_TRUE(Automation_AttachVirtualPad());
        Automation_RunFrames(1);
        ASSERT_TRUE(TS_Pad_Connected());
    }

    static void TapPad(int button) {
        Automation_SetPadButton(button, true);
        Automation_RunFrames(1);
        Automation_SetPadButton(button, false);
        Automation_RunFrames(1);
    }

    void StartFlying(const char* level) {
        UseCampaignLevels(level);
        StartCampaign(0);
        TapPad(TS_PAD_X);
        ASSERT_EQ(world.phase, PHASE_FLYING);
    }
};

// The replay's keys (scheme 2) as the pad: the trigger thrusts, the stick
// turns, X skips and the shoulder holds the map.
struct PadReplay {
    const Replay* replay;
    uint32_t next;
    float stick;  // where the turns left the stick
};

void ApplyPadEvents(PadReplay* pad, int32_t frame) {
    float& stick = pad->stick;
    for (; pad->next < pad->replay->count && pad->replay->events[pad->next].frame <= frame;
         ++pad->next) {
        const ReplayEvent& event = pad->replay->events[pad->next];
        const bool down = event.down != 0;
        switch (event.key) {
            case TS_KEY_SPACE: Automation_SetPadTrigger(true, down ? 1.0f : 0.0f); break;
            case TS_KEY_LEFT: stick = down ? -1.0f : (stick < 0.0f ? 0.0f : stick); break;
            case TS_KEY_RIGHT: stick = down ? 1.0f : (stick > 0.0f ? 0.0f : stick); break;
            case TS_KEY_X: Automation_SetPadButton(TS_PAD_X, down); break;
            case TS_KEY_M: Automation_SetPadButton(TS_PAD_LEFT_SHOULDER, down); break;
            default: ADD_FAILURE() << "key " << event.key << " has no pad button here"; break;
        }
        Automation_SetPadStick(stick, 0.0f);
    }
}

void PadHook(const ReplayState* state, void* context) {
    ApplyPadEvents(static_cast<PadReplay*>(context), state->frames);
}

TEST_F(PadFlightTest, AShippedLevelFlownOnAPadPluggedInMidGameEndsAsItsReplay) {
    const std::string level = "./Assets/levels/level_1.vexl";
    Replay replay;
    ASSERT_EQ(
        ReadReplayFile((std::string(VEXAL_SOURCE_DIR) + "/tests/replays/level_1.replay").c_str(),
                       &replay),
        0);
    Automation_SetRendering(false);
    ReplayState keys = {};
    ASSERT_EQ(Replay_Run(level.c_str(), &replay, REPLAY_DEFAULT_FRAMES, nullptr, nullptr, &keys),
              0);
    ASSERT_TRUE(keys.levelComplete);

    PlugIn();  // between two runs, as a player would mid-game
    Replay none;
    InitReplay(&none);
    none.scheme = replay.scheme;
    PadReplay pad = {&replay, 0, 0.0f};
    ApplyPadEvents(&pad, 0);
    ReplayState flown = {};
    ASSERT_EQ(Replay_Run(level.c_str(), &none, REPLAY_DEFAULT_FRAMES, PadHook, &pad, &flown), 0);
    Automation_SetRendering(true);
    FreeReplay(&replay);

    EXPECT_TRUE(flown.levelComplete);
    EXPECT_FALSE(flown.stranded);
    EXPECT_EQ(flown.frames, keys.frames);
    EXPECT_EQ(flown.position.x, keys.position.x);
    EXPECT_EQ(flown.position.y, keys.position.y);
    EXPECT_EQ(flown.rotation, keys.rotation);
    EXPECT_EQ(flown.fuel, keys.fuel);
}

TEST_F(PadFlightTest, StartPausesTheDPadAndAChooseAndBResumes) {
    PlugIn();
    StartFlying("E,0,3000,0,50,50\n");
    TapPad(TS_PAD_START);
    ASSERT_TRUE(Open(pausePopup));

    TapPad(TS_PAD_RIGHT);  // shows the selection on "Resume"
    TapPad(TS_PAD_DOWN);   // down moves along the row as right does
    TapPad(TS_PAD_A);      // "Restart"
    ASSERT_TRUE(Open(restartPopup));
    TapPad(TS_PAD_LEFT);   // "Yes"
    TapPad(TS_PAD_RIGHT);  // "No"
    TapPad(TS_PAD_A);
    ASSERT_TRUE(Open(pausePopup));
    EXPECT_FALSE(Open(restartPopup));

    TapPad(TS_PAD_B);
    EXPECT_FALSE(Open(pausePopup));
    EXPECT_EQ(world.phase, PHASE_FLYING);
    TapPad(TS_PAD_START);
    EXPECT_TRUE(Open(pausePopup));
    TapPad(TS_PAD_START);
    EXPECT_FALSE(Open(pausePopup));
}

TEST_F(PadFlightTest, UnpluggingThePadMidFlightPausesAndLetsGoOfTheThrust) {
    PlugIn();
    StartFlying("E,0,3000,0,50,50\n");
    Automation_SetPadButton(TS_PAD_A, true);
    Automation_RunFrames(10);
    ASSERT_EQ(world.keys.thrust, 1);
    Automation_DetachVirtualPad();
    Automation_RunFrames(1);
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), kDuckedMusicVolume);

    // Plugged back in, the game goes on with it.
    PlugIn();
    TapPad(TS_PAD_START);
    EXPECT_FALSE(Open(pausePopup));
    Automation_RunFrames(2);
    EXPECT_EQ(world.keys.thrust, 0);
}

TEST_F(PadFlightTest, AStickOrTriggerUnderTheThresholdNeverTurnsOrThrusts) {
    PlugIn();
    StartFlying("E,0,3000,0,50,50\n");
    const float rotation = world.ship.body->rotation;
    const float fuel = world.ship.fuel->fuel;
    for (int frame = 0; frame < 60; ++frame) {
        // A worn stick wandering about, and a finger resting on the trigger.
        const float wobble = (frame % 3 == 0) ? 0.3f : 0.2f;
        Automation_SetPadStick(frame % 2 ? wobble : -wobble, wobble);
        Automation_SetPadTrigger(true, 0.3f);
        Automation_RunFrames(1);
    }
    EXPECT_EQ(world.ship.body->rotation, rotation);
    EXPECT_EQ(world.ship.fuel->fuel, fuel);
    EXPECT_EQ(world.ship.velocity.y, 0.0f);

    // Past half way it turns, whatever the stick's exact angle.
    Automation_SetPadStick(0.8f, 0.0f);
    Automation_RunFrames(10);
    EXPECT_NE(world.ship.body->rotation, rotation);
}

TEST_F(PadFlightTest, BackRestartsAtOnceAndARunFlownOnThePadIsRecordedAsKeys) {
    PlugIn();
    StartFlying("%50\nE,0,3000,0,50,50\n");
    Replay recording;
    InitReplay(&recording);
    World_RecordInto(&recording);
    Automation_SetPadButton(TS_PAD_A, true);
    Automation_RunFrames(10);
    Automation_SetPadButton(TS_PAD_A, false);
    Automation_RunFrames(1);
    World_RecordInto(nullptr);
    ASSERT_GE(recording.count, 2u);
    EXPECT_EQ(recording.events[0].key, SchemeKey(ACTION_THRUST));
    EXPECT_EQ(recording.events[0].down, 1);
    EXPECT_EQ(recording.events[1].key, SchemeKey(ACTION_THRUST));
    EXPECT_EQ(recording.events[1].down, 0);
    FreeReplay(&recording);

    ASSERT_GT(world.levelTime, 0.0f);
    TapPad(TS_PAD_BACK);
    EXPECT_EQ(world.phase, PHASE_FLYING);  // held for a frame: the intro is skipped
    EXPECT_LT(world.levelTime, 0.05f);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 50.0f);
}

TEST_F(PadFlightTest, LevelTextsNameThePadsButtonsWhileAPadIsInUse) {
    const std::string path =
        WriteLevel("hint.vexl", "T,0,-110,0,444,24,Hold $THRUST_KEY$, turn with $TLEFT_KEY$\n");
    const auto hint = [&path]() {
        Level level;
        EXPECT_EQ(ReadLevelFile(path.c_str(), &level, true), 0);
        std::string text = level.texts[0] ? level.texts[0]->text : "";
        FreeLevel(&level);
        return text;
    };
    userConfig.controlScheme = 2;
    PlugIn();
    EXPECT_EQ(hint(), "Hold Spacebar, turn with Left Arrow");  // plugged in, not yet used
    TapPad(TS_PAD_A);
    EXPECT_EQ(hint(), "Hold A, turn with Left");
    TapKey(TS_KEY_SPACE);
    EXPECT_EQ(hint(), "Hold Spacebar, turn with Left Arrow");

    // The first tutorial as a pad player meets it.
    TapPad(TS_PAD_A);
    UseCampaignFiles(
        std::vector<std::string>(CAMPAIGN_LEVEL_COUNT, "./Assets/levels/tutorial_0.vexl"));
    StartCampaign(0);
    TapPad(TS_PAD_X);
    Automation_RunFrames(30);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("level_text_pad_button.png").c_str()));
}

}  // namespace
