// Flying on the player's own keys: level texts name them, the help screen's
// caps and the skip hint show them, and a run flown on them is recorded in
// the scheme's keys and replays to the same end, whatever keys are bound
// while it replays.
#include "app/bindings.h"
#include "level/level.h"
#include "play/replay_run.h"
#include "play_fixture.h"
#include "world/replay.h"

namespace {

class ReboundKeysTest : public PlayTest {};

TEST_F(ReboundKeysTest, LevelTextsNameTheBoundKeysAndPadButtons) {
    const std::string path =
        WriteLevel("hint.vexl", "T,0,-110,0,444,24,Hold $THRUST_KEY$, turn with $TRIGHT_KEY$\n");
    const auto hint = [&path]() {
        Level level;
        EXPECT_EQ(ReadLevelFile(path.c_str(), &level, true), 0);
        std::string text = level.texts[0] ? level.texts[0]->text : "";
        FreeLevel(&level);
        return text;
    };
    ASSERT_TRUE(Bindings_SetKey(CONTROL_THRUST, TS_KEY_RIGHT_SHIFT));
    ASSERT_TRUE(Bindings_SetKey(CONTROL_TURN_RIGHT, TS_KEY_KP_0 + 6));
    EXPECT_EQ(hint(), "Hold Right Shift, turn with Keypad 6");

    ASSERT_TRUE(Automation_AttachVirtualPad());
    Automation_RunFrames(1);
    ASSERT_TRUE(Bindings_SetPad(CONTROL_THRUST, TS_PAD_RIGHT_SHOULDER));
    Automation_SetPadButton(TS_PAD_RIGHT_SHOULDER, true);
    Automation_RunFrames(1);
    Automation_SetPadButton(TS_PAD_RIGHT_SHOULDER, false);
    Automation_RunFrames(1);
    EXPECT_EQ(hint(), "Hold RB, turn with Right");
    Automation_DetachVirtualPad();
    Automation_RunFrames(1);
}

TEST_F(ReboundKeysTest, TheSkipHintShowsTheBoundSkipKey) {
    ASSERT_TRUE(Bindings_SetKey(CONTROL_SKIP, TS_KEY_K));
    UseCampaignLevels("%50\nE,0,3000,0,50,50\n");
    Automation_RecordDraws(true);
    StartCampaign(0);
    Automation_RunFrames(1);
    bool drawn = false;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_TEXT && call.text == "K") drawn = true;
    }
    EXPECT_TRUE(drawn);
    TapKey(TS_KEY_X);
    EXPECT_EQ(world.phase, PHASE_INTRO) << "X skips no more";
    TapKey(TS_KEY_K);
    EXPECT_EQ(world.phase, PHASE_FLYING);
}

TEST_F(ReboundKeysTest, ARunFlownOnBoundKeysReplaysToTheSameEnd) {
    // W thrusts and J turns left in place of the scheme's Spacebar and Left.
    ASSERT_TRUE(Bindings_SetKey(CONTROL_THRUST, TS_KEY_W));
    ASSERT_TRUE(Bindings_SetKey(CONTROL_TURN_LEFT, TS_KEY_J));
    const std::string path = WriteLevel("drift.vexl", "%80\nE,0,3000,0,50,50\n");
    UseCampaignLevels("%80\nE,0,3000,0,50,50\n");
    Automation_SetFrameTime(kWorldStepSeconds);  // one step a frame, as a replay flies
    StartCampaign(0);
    Replay recording;
    InitReplay(&recording);
    recording.scheme = userConfig.controlScheme;
    World_RecordInto(&recording);
    SkipIntro();
    const auto hold = [](int key, int frames) {
        Automation_KeyDown(key);
        Automation_RunFrames(frames);
        Automation_KeyUp(key);
    };
    hold(TS_KEY_W, 20);
    hold(TS_KEY_J, 9);
    hold(TS_KEY_W, 15);
    Automation_RunFrames(30);
    World_RecordInto(nullptr);
    const int32_t steps = static_cast<int32_t>(world.stepCount);
    const TS_Vec2 position = world.ship.body->position;
    const float rotation = world.ship.body->rotation;
    const float fuel = world.ship.fuel->fuel;
    ASSERT_NE(rotation, 0.0f);
    ASSERT_LT(fuel, 80.0f);
    for (uint32_t i = 0; i < recording.count; ++i) {
        const int key = recording.events[i].key;
        EXPECT_TRUE(key == TS_KEY_SPACE || key == TS_KEY_LEFT || key == TS_KEY_X) << key;
    }
    LeaveScreen();

    // Replayed with the bindings still in place: the scheme's keys fly it.
    ReplayState replayed = {};
    ASSERT_EQ(Replay_Run(path.c_str(), &recording, steps, nullptr, nullptr, &replayed), 0);
    FreeReplay(&recording);
    EXPECT_EQ(replayed.steps, static_cast<uint32_t>(steps));
    EXPECT_EQ(replayed.position.x, position.x);
    EXPECT_EQ(replayed.position.y, position.y);
    EXPECT_EQ(replayed.rotation, rotation);
    EXPECT_EQ(replayed.fuel, fuel);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_W) << "the player's keys are kept";
}

}  // namespace
